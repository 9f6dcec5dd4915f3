#pragma once

#include "site/site_structure.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;

namespace arkona::app {
class CommandSet;
class MainStatusBar;
} // namespace arkona::app

namespace arkona::site::ui {

class PageTreeWidget;

// The left side of the main window ("Struktura stránek projektu"): the page tree with its bar,
// its popup menu and the page commands of the menus and the toolbar. It turns what the user
// does into operations of the SiteStructure and shows their results: the selection, the
// pictures, the enabled commands and the status panels.
class TreePane : public QWidget {
    Q_OBJECT
public:
    // The main window's commands that act on pages.
    struct Commands {
        QAction* newSection = nullptr;     // "Nový &oddíl stránek"
        QAction* newPage = nullptr;        // "Nová &stránka"
        QAction* newProductPage = nullptr; // "Nová stránka s &produktovou sekcí"
        QAction* newLink = nullptr;        // "O&dkaz na stránku"
        QAction* rename = nullptr;         // "Př&ejmenovat"
        QAction* remove = nullptr;         // "O&dstranit"
        QAction* optimise = nullptr;       // "&Optimalizace stromu WWW"
        QAction* toolbarNew = nullptr;     // "Nová": opens the drop-down
        QAction* toolbarEdit = nullptr;
        QAction* toolbarDelete = nullptr;
    };

    TreePane(SiteStructure& structure, storage::TData2& data, app::CommandSet& commandSet,
             app::MainStatusBar* status, QWidget* parent = nullptr);

    // Connects the commands, marks them ready and adds the drop-down to the toolbar's "new".
    void setCommands(const Commands& commands);
    PageTreeWidget* treeWidget() const { return tvTree_; }
    QMenu* newMenu() const { return pmNova_; }
    QMenu* popupMenu() const { return pmTree_; }

    // What the loading of a project shows: the status bar's text and the bar under the tree.
    LoadDisplay loadDisplay();
    // After a project was opened: the first page becomes current.
    void projectOpened();
    void projectClosed();
    // Renumbers a changed tree with its progress window (before leaving the project, a preview
    // or "Uložit projekt jako"); the error of a failure is shown.
    void renumberIfChanged(OptimiseKind kind = OptimiseKind::AfterChanges);
    // Refreshes the command availability and the status panels for the selection (TestBtn).
    void updateCommands();

public slots:
    void newPage(NewPageKind kind);
    void newLink();
    void renameCurrent();
    void deleteCurrent();
    void optimiseFromMenu();
    void showNewMenu();

signals:
    // A page was chosen in the tree and made current in the data module.
    void pageChosen();
    // The page commands were enabled anew (after every selection and change).
    void commandsUpdated();

private:
    void choose(const std::string& id, bool force);
    void moveOnDrop(const QString& dragged, const QString& target, const QPoint& at);
    void renamed(const QString& id, const QString& title);
    // Runs an operation that changes the tree, then makes the tree's current item the selection.
    void changeTree(const std::function<void()>& work);
    void setReadyEnabled(QAction* action, bool enabled);
    QAction* addEntry(QMenu* menu, const char* name, const char* caption);

    SiteStructure& structure_;
    storage::TData2& data_;
    app::CommandSet& commandSet_;
    app::MainStatusBar* status_;
    Commands commands_;
    QLabel* lblStrom_;
    PageTreeWidget* tvTree_;
    QProgressBar* prbStrom_;
    QTimer* keyTimer_;
    QMenu* pmNova_;
    QMenu* pmTree_;
    QMenu* puPridat_;
    QAction* puVlozitPred_;
    QAction* puVlozitZa_;
    QAction* puVlozitPod_;
    QList<QAction*> addUnder_; // disabled for a link page
    QList<QAction*> deleteCommands_;
    QList<QAction*> normalEntries_; // the popup without a drop
    QList<QAction*> popupOnly_;     // entries that are not commands of the window
    std::unique_ptr<Progress> bar_;
};

} // namespace arkona::site::ui
