#pragma once

#include "catalogue/catalogue_settings.h"
#include "catalogue/goods_placing.h"
#include "catalogue/group_tree.h"
#include "catalogue/item_batches.h"
#include "catalogue/item_list.h"
#include "catalogue/item_store.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTableView;
class QToolButton;
class QTreeWidgetItem;

namespace arkona::storage {
class TData2;
class UserSettings;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::app {
class TfrmTherm;
}

namespace arkona::catalogue::ui {

class GroupTreeWidget;
class ItemListModel;
class TfrmZarazZbozi;

// The catalogue window: the tree of groups, the items of the selected group with a preview of
// the current one, and the commands on groups, items, distributors, prices and the price list.
// It lives as long as the program and is shown and hidden; its mode, remembered group and item
// and search field survive hiding.
class TfrmKat : public QMainWindow {
    Q_OBJECT
public:
    // The placing mode: opened for a product section to place goods ("Z") or sets ("S"), or
    // for a set to place its components ("KS", with the breakdowns of sets).
    enum class Mode { None, Z, S, KS };

    TfrmKat(storage::ProjectContext& project, storage::TData2& data,
            storage::UserSettings& settings, QWidget* parent = nullptr);
    ~TfrmKat() override;

    // "&Katalog zboží": builds the tree, selects the group and item of the last close, shows the
    // window.
    void openCatalogue();
    void setMode(Mode mode);
    Mode mode() const { return mode_; }
    // Opens the window (or raises it) to place the marked items into the section.
    void startPlacing(Mode mode, const catalogue::PlacingTarget& target);
    const std::optional<catalogue::PlacingTarget>& target() const { return target_; }
    // The pages window, while it exists.
    TfrmZarazZbozi* pagesWindow() const { return pagesWindow_; }

    int shownGroup() const { return shownGroup_; }
    const GroupTree& tree() const { return tree_; }
    const ItemList& items() const;
    // The marked items in list order, or the current one when none is marked and `orCurrent`.
    ItemSelection markedItems(bool orCurrent) const;
    int currentRow() const;
    bool autoCalc() const;

    // Commands of the menus, pop-ups, toolbar and keys.
    void addMainGroupCommand();
    void addSubgroupCommand();
    void editGroupCommand();
    void deleteGroupCommand();
    void addItemCommand();
    void editItemCommand();
    void deleteItemsCommand();
    void copyItemCommand();
    void moveItemsCommand();
    void markAllCommand();
    void updatePricesAllCommand();
    void updatePricesSelectedCommand();
    void printPriceListCommand();
    void distributorsCommand();
    // "&Vložit do sekce" and its toolbar button: places the marked items, then closes the
    // window unless Ctrl (alone) is held.
    void placeCommand();

    // Selects the group in the tree and loads its items at once.
    void selectGroup(int id);
    // Makes the item with this code current and the only marked one.
    bool selectItem(std::string_view code);

    // What a drop of a group on another asks: before, after or under it (a pop-up menu).
    using PlaceChooser = std::function<std::optional<GroupPlace>(const QPoint& globalPos)>;
    void setPlaceChooser(PlaceChooser chooser) { placeChooser_ = std::move(chooser); }

signals:
    // The window was shown or hidden (the main window's check mark follows).
    void shownChanged(bool shown);
    // Placing added rows to the section (its list reloads).
    void goodsPlaced();
    // Mode "S": the first set the command placed (its row editor opens on it).
    void firstSetPlaced(const arkona::catalogue::ProductRef& ref);
    // Each text the status bar's group panel shows (placing and loading texts included).
    void statusShown(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Pane { Tree, List };

    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildCentralArea();
    void buildStatusBar();
    QAction* action(const char* name, const char* caption, const QKeySequence& key = {});

    void readSettings();
    void writeSettings();
    bool buildTree();
    void fillTree();
    void loadGroup(int id);
    void reloadItems(std::optional<std::uint32_t> keepRecno = std::nullopt,
                     std::string_view keepCode = {});
    void countAllItems();
    void updateStatus();
    void updateCommands();
    void updatePreview();
    void setActivePane(Pane pane);
    int currentTreeGroup() const;
    std::optional<StoredItem> currentItem() const;
    std::string groupName(int id) const;
    void addGroup(bool subgroup);
    void editItem(const StoredItem& stored);
    void moveItems(const ItemSelection& selection, int target);
    void groupDropped(int id, QTreeWidgetItem* target, const QPoint& globalPos);
    void itemsDropped(QTreeWidgetItem* target);
    void search(const QString& text);
    void setSearchField(int index);
    void setWholeCatalogueSearch(bool on);
    void showMessage(const std::string& text);
    void setPagesWindowShown(bool on);
    // Shows the pages of the current item; `reload` also when it was shown already.
    void updatePagesWindow(bool reload);
    std::vector<StoredItem> markedForPlacing() const;
    app::TfrmTherm& progress();

    storage::ProjectContext& project_;
    storage::TData2& data_;
    storage::UserSettings& settings_;
    std::unique_ptr<GroupTable> groups_;
    GroupTree tree_;
    std::unordered_map<int, QTreeWidgetItem*> nodes_;
    CatalogueIndex index_;
    KatalogSettings settingsValues_;
    Mode mode_ = Mode::None;
    std::optional<PlacingTarget> target_;
    TfrmZarazZbozi* pagesWindow_ = nullptr;
    std::optional<std::uint32_t> pagesRecno_; // the item the pages window shows
    Pane activePane_ = Pane::Tree;
    int shownGroup_ = 0;
    int lastGroup_ = 0;
    std::string lastItem_;
    bool treeChanged_ = false;
    bool keyboardMove_ = false;
    int totalItems_ = 0;
    std::optional<StoredItem> previewed_;
    PlaceChooser placeChooser_;
    QTimer groupTimer_;
    std::unique_ptr<app::TfrmTherm> progress_;

    GroupTreeWidget* tvSkupiny_ = nullptr;
    ItemListModel* model_ = nullptr;
    QTableView* grdKatalog_ = nullptr;
    QSplitter* spKatalog_ = nullptr;
    QSplitter* spSeznam_ = nullptr;
    QFrame* fbSkupiny_ = nullptr;
    QFrame* fbSeznam_ = nullptr;
    QWidget* pnNahled_ = nullptr;
    QLabel* lblPCena_ = nullptr;
    QLabel* lblPCenaDPH_ = nullptr;
    QLabel* lblSlevaKc_ = nullptr;
    QLabel* lblSleva_ = nullptr;
    QPlainTextEdit* txtPopis_ = nullptr;
    QLabel* imgObrazek_ = nullptr;
    QComboBox* cbHledat_ = nullptr;
    QLineEdit* txtHledat_ = nullptr;
    QToolButton* tbPridat_ = nullptr;
    QLabel* lblPocetSkupin_ = nullptr;
    QLabel* lblPocetPolozek_ = nullptr;
    QLabel* lblSkupina_ = nullptr;
    QMenu* addGroupMenu_ = nullptr;
    QMenu* puSkupiny_ = nullptr;
    QMenu* puZbozi_ = nullptr;

    QAction* mnDistributori_ = nullptr;
    QAction* mnTiskCeniku_ = nullptr;
    QAction* mnKonec_ = nullptr;
    QAction* mnHlavniSkupinu_ = nullptr;
    QAction* mnPodskupinu_ = nullptr;
    QAction* mnUpravitSkupinu_ = nullptr;
    QAction* mnOdstranitSkupinu_ = nullptr;
    QAction* mnPridatZbozi_ = nullptr;
    QAction* mnUpravitZbozi_ = nullptr;
    QAction* mnOdstranitZbozi_ = nullptr;
    QAction* mnKopirovat_ = nullptr;
    QAction* mnZmenitSkupinu_ = nullptr;
    QAction* mnHromadnaZmena_ = nullptr;
    QAction* mnOznacitVse_ = nullptr;
    QAction* mnImport_ = nullptr;
    QAction* mnAktVse_ = nullptr;
    QAction* mnAktVybrane_ = nullptr;
    QAction* mnVlozitDoSekce_ = nullptr;
    QAction* mnVlozitDoSestavy_ = nullptr;
    QAction* mnNahled_ = nullptr;
    QAction* mnObrazek_ = nullptr;
    QAction* mnStranky_ = nullptr;
    QAction* mnAutoCalc_ = nullptr;
    QAction* mnCelyKatalog_ = nullptr;
    QAction* puPridatHlavni_ = nullptr;
    QAction* puPridatPod_ = nullptr;
    QAction* puUpravitSkupinu_ = nullptr;
    QAction* puOdstranitSkupinu_ = nullptr;
    QAction* puPridatZbozi_ = nullptr;
    QAction* puOdstranitZbozi_ = nullptr;
    QAction* puKopirovat_ = nullptr;
    QAction* puUpravit_ = nullptr;
    QAction* puPresunout_ = nullptr;
    QAction* tbUpravit_ = nullptr;
    QAction* tbOdstranit_ = nullptr;
    QAction* tbKopirovat_ = nullptr;
    QAction* tbHromadna_ = nullptr;
    QAction* tbZmenaSkupiny_ = nullptr;
    QAction* tbVlozit_ = nullptr;
    QAction* tbCelyKatalog_ = nullptr;
    QAction* tbObrazek_ = nullptr;
    QAction* tbNahled_ = nullptr;
    QAction* tbStranky_ = nullptr;
};

} // namespace arkona::catalogue::ui
