#pragma once

#include "app/environment_check.h"
#include "site/page_sections.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTabWidget;
class QVBoxLayout;

namespace arkona::app {
class CommandSet;
class MainStatusBar;
} // namespace arkona::app

namespace arkona::site::ui {

// The tab "Sekce stránky" of the main window: the list of the current page's sections and,
// under it, the content of the selected one (the HTML of a text section, the template of the
// others). It turns the section commands of the menus, the popup and the toolbar into the
// operations of PageSections and shows their results.
class TSectionPanel : public QWidget {
    Q_OBJECT
public:
    // The main window's commands that act on sections (menu "Sek&ce").
    struct Commands {
        QAction* newText = nullptr;    // "&Textová"
        QAction* newProduct = nullptr; // "&Produktová"
        QAction* newOrder = nullptr;   // "&Objednávka"
        QAction* newCart = nullptr;    // "Nákupní &karta"
        QAction* newMain = nullptr;    // "Hlavní strana"
        QAction* edit = nullptr;       // "&Upravit"
        QAction* describe = nullptr;   // "P&opis"
        QAction* remove = nullptr;     // "O&dstranit"
        QAction* sort = nullptr;       // "&Seřadit"
        QAction* editSource = nullptr; // "Upravit zdroj &HTML"
        QAction* editExternal = nullptr;
        QAction* loadFile = nullptr;     // "&Načíst zdroj ze souboru..."
        QAction* editGoods = nullptr;    // "Upravit &produtky" (goods, a later part)
        QAction* bulkDiscount = nullptr; // "Hromadně změnit &slevu" (a later part)
    };
    // What the panel needs of the program around it.
    struct Environment {
        std::function<app::ExternalEditor()> externalEditor;
        std::function<bool()> externalByDefault; // "Jako výchozí použít e&xterní editor"
        // The HTML source editor: the edited text on OK.
        std::function<std::optional<std::string>(const std::string& title, const std::string&)>
            editSource;
    };

    TSectionPanel(storage::TData2& data, storage::ProjectContext& context,
                  app::CommandSet& commandSet, app::MainStatusBar* status,
                  QWidget* parent = nullptr);

    void setCommands(const Commands& commands);
    Environment& environment() { return environment_; }
    PageSections& sections() { return sections_; }

    // The current page changed: its sections are listed again.
    void reload();
    // The current section changed: its content is shown.
    void showCurrent();
    // The list of a product section's goods, shown under its template; `reload` reads the
    // goods of the current section again.
    void setGoodsPanel(QWidget* panel, std::function<void()> reload);

    // The toolbar's "new" drop-down while the section list is the focus area.
    QMenu* newMenu() const { return pmNova_; }
    QTableWidget* list() const { return grdSekce_; }
    QPlainTextEdit* textView() const { return txtHTML_; }

    void newSection(char kind);
    void describeCurrent();
    void removeCurrent();
    void sortSections();
    void editHtml(); // the section's edit button: the external or the own editor
    void editSource();
    void editExternally();
    void loadFromFile();
    void clearContent();
    void chooseTemplate();
    void editTemplate();

    // The toolbar's "Upravit", delete and "Seřadit" in the focus areas of this panel
    // (2: the section list, 4: the section text).
    struct ToolbarState {
        bool edit = false;
        bool remove = false;
        bool sort = false;
    };
    ToolbarState toolbarState(int focusArea) const;
    // Enables the section commands for the current page and section.
    void updateCommands();

signals:
    // The user entered the section list (2) or the section text (4).
    void focusAreaEntered(int area);
    // Sections were added, removed or re-ordered.
    void sectionsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildList();
    void buildContent();
    void fillList();
    void rowClicked(int row);
    void showCount();
    char currentType() const;
    bool hasPage() const;
    void run(const std::function<void()>& work);
    void setReadyEnabled(QAction* action, bool enabled);

    storage::TData2& data_;
    storage::ProjectContext& context_;
    app::CommandSet& commandSet_;
    app::MainStatusBar* status_;
    PageSections sections_;
    Commands commands_;
    Environment environment_;

    QTableWidget* grdSekce_ = nullptr;
    QTabWidget* pcSekceObsah_ = nullptr;
    QStackedWidget* stObsah_ = nullptr;
    QWidget* pnText_ = nullptr;
    QWidget* pnSablona_ = nullptr;
    QVBoxLayout* templateLayout_ = nullptr;
    QWidget* goodsPanel_ = nullptr; // made by the main window
    std::function<void()> reloadGoods_;
    QWidget* pnPrazdny_ = nullptr;
    QPlainTextEdit* txtHTML_ = nullptr;
    QPushButton* sbUpravitHTML_ = nullptr;
    QLineEdit* txtSablona_ = nullptr;
    QPushButton* sbVybratSablonu_ = nullptr;
    QPushButton* sbUpravitSablonu_ = nullptr;
    QMenu* pmNova_ = nullptr;
    QMenu* pmSekce_ = nullptr;
    QAction* puUpravit_ = nullptr;
    QAction* puOdstranit_ = nullptr;
    QAction* puSeradit_ = nullptr;
    bool filling_ = false;
};

} // namespace arkona::site::ui
