#pragma once

#include "app/command_set.h"
#include "app/environment_check.h"
#include "app/project_session.h"
#include "app/window_layout.h"
#include "site/site_structure.h"

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <optional>

class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;

namespace arkona::site::ui {
class TreePane;
}

namespace arkona::site::ui {
class TPageProperties;
class TSectionPanel;
} // namespace arkona::site::ui

namespace arkona::catalogue {
struct ProductRef;
struct SectionKey;
} // namespace arkona::catalogue

namespace arkona::catalogue::ui {
class TfrmKat;
class TGoodsPanel;
} // namespace arkona::catalogue::ui

namespace arkona::app {

class MainStatusBar;

// The main window: the page tree on the left, the page panels on the right, the menus and the
// toolbar of the whole program.
class TArkona1 : public QMainWindow {
    Q_OBJECT
public:
    TArkona1(storage::ProjectContext& context, storage::TData2& data,
             storage::UserSettings& settings, QWidget* parent = nullptr);
    ~TArkona1() override;

    // A project to open at the first activation (the command line).
    void setStartProject(std::filesystem::path folder) { startProject_ = std::move(folder); }
    // How "Otevřít projekt" picks a folder; an empty result is Cancel. Tests put a script here.
    using FolderChooser = std::function<std::filesystem::path()>;
    void setProjectChooser(FolderChooser chooser) { chooser_ = std::move(chooser); }

    void SetCaption();
    // Shows the current page of the data module on the page panels.
    void InitPageFrame();

    // Runs what an activation of the window runs (also called by the window's activation).
    void FormActivate();

    enum class OpenResult { Ok, No, Cancel };
    // "Otevřít projekt": asks for a folder and opens it.
    OpenResult openProjectCommand();
    // Opens the project in `folder` (the open sequence); false when refused or failed.
    bool openProjectFolder(const std::filesystem::path& folder);

    bool projectOpen() const;
    const WindowLayout& layoutState() const { return layout_; }
    const ExternalEditor& externalEditor() const { return externalEditor_; }
    MainStatusBar* mainStatusBar() const { return statusBar_; }
    CommandSet& commands() { return commands_; }
    site::SiteStructure& siteStructure() { return structure_; }
    site::ui::TreePane* treePane() const { return treePane_; }
    catalogue::ui::TfrmKat* catalogueWindow() const { return katalog_; }
    catalogue::ui::TGoodsPanel* goodsPanel() const { return goodsPanel_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void queueActivation();
    void buildMenus();
    void buildToolBar();
    void buildCentralArea();
    void connectTreePane();
    // The focus area: 1 the tree, 2 the section list, 3 the goods list, 4 the section text.
    void setFocusArea(int area);
    void updateToolbar();
    void toolbarNew();
    void popupUnderToolbar(QMenu* menu);
    // Before the project is left: renumbers a changed tree and records the end of work.
    void leaveProject();
    QWidget* emptyPanel(const char* name);

    void restoreLayout();
    void saveLayout();
    void readExternalEditor();
    void setProjectCommands(bool open);
    void updateOrderProgramCommand();

    void wireCatalogue();
    void openCatalogue();
    void closeCatalogue();
    void wireGoodsPanel();
    bool openRowEditor(const catalogue::SectionKey& section, char typ,
                       const catalogue::ProductRef* ref);
    void runEnvironmentSettings();
    void runDataCheck();
    void runGenerator();
    void startOrderProgram();
    void showAbout();

    storage::ProjectContext& context_;
    storage::TData2& data_;
    storage::UserSettings& settings_;
    site::SiteStructure structure_;
    ProjectSession session_;
    CommandSet commands_;
    WindowLayout layout_;
    ExternalEditor externalEditor_;
    std::optional<std::filesystem::path> startProject_;
    FolderChooser chooser_;

    bool firstActivationDone_ = false;
    bool activationRunning_ = false; // an activation is showing its questions and dialogs
    bool activationQueued_ = false;
    int activations_ = 0;

    MainStatusBar* statusBar_ = nullptr;
    QToolBar* tbHlavni_ = nullptr;
    QSplitter* spHlavni_ = nullptr;
    site::ui::TreePane* treePane_ = nullptr;
    QTabWidget* pcPage_ = nullptr;
    site::ui::TPageProperties* pageProperties_ = nullptr;
    site::ui::TSectionPanel* sectionPanel_ = nullptr;
    int focusArea_ = 1;
    QAction* mnKatalog_ = nullptr;
    QAction* tbKatalog_ = nullptr;
    catalogue::ui::TfrmKat* katalog_ = nullptr; // made when first opened
    catalogue::ui::TGoodsPanel* goodsPanel_ = nullptr;
    QAction* mnObjednavky_ = nullptr;
    QAction* mnBarevne_ = nullptr;
    QAction* mnExterniEditor_ = nullptr;
    QAction* mnNahledNavrchu_ = nullptr;
    QAction* mnZobrazitCeny_ = nullptr;
};

// The text of the about box: "major.minor   sestavení build".
QString aboutText();

} // namespace arkona::app
