#include "catalogue/ui/catalogue_window.h"

#include "app/busy_cursor.h"
#include "app/message_box.h"
#include "app/progress_window.h"
#include "base/error.h"
#include "base/textcase.h"
#include "catalogue/calculated_columns.h"
#include "catalogue/derived_values.h"
#include "catalogue/group_deletion.h"
#include "catalogue/item_pages.h"
#include "catalogue/picture_files.h"
#include "catalogue/price_list.h"
#include "catalogue/price_update.h"
#include "catalogue/tables.h"
#include "catalogue/ui/distributor_dialog.h"
#include "catalogue/ui/group_chooser.h"
#include "catalogue/ui/group_dialog.h"
#include "catalogue/ui/input_box.h"
#include "catalogue/ui/item_dialog.h"
#include "catalogue/ui/item_list_model.h"
#include "catalogue/ui/item_pages_dialog.h"
#include "catalogue/ui/picture_chooser.h"
#include "catalogue/ui/price_list_report.h"
#include "catalogue/ui/ui_text.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/user_settings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>

namespace arkona::catalogue::ui {

using app::Messages;

namespace {

constexpr int kGroupDelayMs = 500;
const QSize kPreviewPicture(140, 110);

// Text of the status panels.
QString groupsText(int n) {
    return QStringLiteral("Počet skupin: %1").arg(n);
}

// The status bar's group panel as the status line of long work: each text is painted at once.
class PanelStatus : public StatusLine {
public:
    explicit PanelStatus(std::function<void(const std::string&)> show) : show_(std::move(show)) {}
    void show(const std::string& text) override { show_(text); }

private:
    std::function<void(const std::string&)> show_;
};

} // namespace

TfrmKat::TfrmKat(storage::ProjectContext& project, storage::TData2& data,
                 storage::UserSettings& settings, QWidget* parent)
    : QMainWindow(parent), project_(project), data_(data), settings_(settings) {
    setObjectName(QStringLiteral("TfrmKat"));
    setWindowFlag(Qt::Window, true);
    setWindowTitle(QStringLiteral("Katalog zboží"));
    groupTimer_.setSingleShot(true);
    groupTimer_.setInterval(kGroupDelayMs);
    connect(&groupTimer_, &QTimer::timeout, this, [this] {
        const int id = currentTreeGroup();
        if (id != shownGroup_) {
            loadGroup(id);
        }
    });
    placeChooser_ = [this](const QPoint& at) -> std::optional<GroupPlace> {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("puPresunSkupiny"));
        QAction* before = menu.addAction(QStringLiteral("Vložit před vybranou"));
        QAction* after = menu.addAction(QStringLiteral("Vložit za  vybranou"));
        QAction* under = menu.addAction(QStringLiteral("Vložit pod  vybranou"));
        QAction* chosen = menu.exec(at);
        if (chosen == before) {
            return GroupPlace::Before;
        }
        if (chosen == after) {
            return GroupPlace::After;
        }
        if (chosen == under) {
            return GroupPlace::Under;
        }
        return std::nullopt;
    };

    buildActions();
    buildMenus();
    buildToolBar();
    buildCentralArea();
    buildStatusBar();
    resize(kKatalogMaximizedWidth, kKatalogMaximizedHeight);
}

TfrmKat::~TfrmKat() = default;

const ItemList& TfrmKat::items() const {
    return model_->list();
}

app::TfrmTherm& TfrmKat::progress() {
    if (!progress_) {
        progress_ = std::make_unique<app::TfrmTherm>(this);
        progress_->setWindowModality(Qt::ApplicationModal);
    }
    return *progress_;
}

// ---------------------------------------------------------------- building

QAction* TfrmKat::action(const char* name, const char* caption, const QKeySequence& key) {
    auto* a = new QAction(QString::fromUtf8(caption), this);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    return a;
}

void TfrmKat::buildActions() {
    const auto on = [this](QAction* a, void (TfrmKat::*command)()) {
        connect(a, &QAction::triggered, this, command);
        return a;
    };
    mnDistributori_ = on(action("mnDistributori", "&Distributoři"), &TfrmKat::distributorsCommand);
    mnTiskCeniku_ = on(action("mnTiskCeniku", "Tisk &ceníku"), &TfrmKat::printPriceListCommand);
    mnKonec_ = action("mnKonec", "&Konec");
    connect(mnKonec_, &QAction::triggered, this, &QWidget::close);
    mnHlavniSkupinu_ =
        on(action("mnHlavniSkupinu", "&Hlavní skupinu"), &TfrmKat::addMainGroupCommand);
    mnPodskupinu_ = on(action("mnPodskupinu", "&Podskupinu"), &TfrmKat::addSubgroupCommand);
    mnUpravitSkupinu_ = on(action("mnUpravitSkupinu", "&Upravit"), &TfrmKat::editGroupCommand);
    mnOdstranitSkupinu_ =
        on(action("mnOdstranitSkupinu", "&Odstranit"), &TfrmKat::deleteGroupCommand);
    mnPridatZbozi_ = on(action("mnPridatZbozi", "&Přidat"), &TfrmKat::addItemCommand);
    mnUpravitZbozi_ = on(action("mnUpravitZbozi", "&Upravit"), &TfrmKat::editItemCommand);
    mnOdstranitZbozi_ = on(action("mnOdstranitZbozi", "&Odstranit"), &TfrmKat::deleteItemsCommand);
    mnKopirovat_ = on(action("mnKopirovat", "&Kopírovat"), &TfrmKat::copyItemCommand);
    mnZmenitSkupinu_ = on(action("mnZmenitSkupinu", "&Změnit skupinu"), &TfrmKat::moveItemsCommand);
    // The bulk change of the marked items plugs in here.
    mnHromadnaZmena_ = action("mnHromadnaZmena", "&Hromadná změna");
    mnOznacitVse_ = on(action("mnOznacitVse", "Označit &vše", QKeySequence(Qt::CTRL | Qt::Key_A)),
                       &TfrmKat::markAllCommand);
    // The import window plugs in here: it first creates the reserved groups
    // (GroupTable::ensureReservedGroups), rebuilds the tree when one was created, and afterwards
    // selects group 9998.
    mnImport_ = action("mnImport", "&Import");
    mnAktVse_ = on(action("mnAktVse", "&Vše"), &TfrmKat::updatePricesAllCommand);
    mnAktVybrane_ = on(action("mnAktVybrane", "Vy&brané"), &TfrmKat::updatePricesSelectedCommand);
    mnVlozitDoSekce_ = on(action("mnVlozitDoSekce", "&Vložit do sekce"), &TfrmKat::placeCommand);
    // Placing components into a set (mode KS) plugs in here with the breakdowns of sets.
    mnVlozitDoSestavy_ = action("mnVlozitDoSestavy", "&Vložit do sestavy");
    mnNahled_ = action("mnNahled", "Zobrazit &náhled");
    mnObrazek_ = action("mnObrazek", "Zobrazit &obrázek");
    mnStranky_ = action("mnStranky", "Zobrazit seznam &stránek");
    mnAutoCalc_ = action("mnAutoCalc", "&Aktualizovat ceny");
    mnCelyKatalog_ = action("mnCelyKatalog", "Vyhledávat v &celém seznamu");
    for (QAction* toggle : {mnNahled_, mnObrazek_, mnStranky_, mnAutoCalc_, mnCelyKatalog_}) {
        toggle->setCheckable(true);
    }
    for (QAction* later : {mnHromadnaZmena_, mnImport_, mnVlozitDoSestavy_}) {
        later->setEnabled(false);
        later->setStatusTip(QStringLiteral("Zatím není k dispozici."));
    }
    connect(mnNahled_, &QAction::toggled, this, [this](bool on) {
        pnNahled_->setVisible(on);
        tbNahled_->setChecked(on);
        updatePreview();
    });
    connect(mnObrazek_, &QAction::toggled, this, [this](bool on) {
        tbObrazek_->setChecked(on);
        updatePreview();
    });
    connect(mnCelyKatalog_, &QAction::toggled, this, &TfrmKat::setWholeCatalogueSearch);
    connect(mnStranky_, &QAction::toggled, this, &TfrmKat::setPagesWindowShown);

    puPridatHlavni_ =
        on(action("puPridatHlavni", "Přidat hlavní skupinu"), &TfrmKat::addMainGroupCommand);
    puPridatPod_ = on(action("puPridatPod", "Přidat podskupinu"), &TfrmKat::addSubgroupCommand);
    puUpravitSkupinu_ =
        on(action("puUpravitSkupinu", "Upravit skupinu"), &TfrmKat::editGroupCommand);
    puOdstranitSkupinu_ =
        on(action("puOdstranitSkupinu", "Odstranit skupinu"), &TfrmKat::deleteGroupCommand);
    puPridatZbozi_ = on(action("puPridatZbozi", "Přidat zboží"), &TfrmKat::addItemCommand);
    puOdstranitZbozi_ =
        on(action("puOdstranitZbozi", "Odstranit zboží"), &TfrmKat::deleteItemsCommand);
    puKopirovat_ = on(action("puKopirovat", "Kopírovat zboží"), &TfrmKat::copyItemCommand);
    puUpravit_ = on(action("puUpravit", "Upravit záznam"), &TfrmKat::editItemCommand);
    puPresunout_ =
        on(action("puPresunout", "Přesunout do skupiny ..."), &TfrmKat::moveItemsCommand);

    QStyle* st = style();
    tbUpravit_ = action("tbUpravit", "Upravit");
    tbUpravit_->setIcon(st->standardIcon(QStyle::SP_FileDialogDetailedView));
    connect(tbUpravit_, &QAction::triggered, this,
            [this] { activePane_ == Pane::Tree ? editGroupCommand() : editItemCommand(); });
    tbOdstranit_ = action("tbOdstranit", "Odstranit");
    tbOdstranit_->setIcon(st->standardIcon(QStyle::SP_TrashIcon));
    connect(tbOdstranit_, &QAction::triggered, this,
            [this] { activePane_ == Pane::Tree ? deleteGroupCommand() : deleteItemsCommand(); });
    tbKopirovat_ = on(action("tbKopirovat", "Kopírovat"), &TfrmKat::copyItemCommand);
    tbKopirovat_->setIcon(st->standardIcon(QStyle::SP_FileDialogNewFolder));
    tbHromadna_ = action("tbHromadna", "Změna parametrů zboží");
    tbHromadna_->setIcon(st->standardIcon(QStyle::SP_FileDialogListView));
    tbZmenaSkupiny_ = on(action("tbZmenaSkupiny", "Změna skupiny"), &TfrmKat::moveItemsCommand);
    tbZmenaSkupiny_->setIcon(st->standardIcon(QStyle::SP_ArrowRight));
    tbVlozit_ = on(action("tbVlozit", "Vložit vybrané zboží do sekce"), &TfrmKat::placeCommand);
    tbVlozit_->setIcon(st->standardIcon(QStyle::SP_DialogApplyButton));
    tbCelyKatalog_ = action("tbCelyKatalog", "Vyhledávat v celém katalogu");
    tbCelyKatalog_->setIcon(st->standardIcon(QStyle::SP_FileDialogContentsView));
    tbObrazek_ = action("tbObrazek", "Zobrazovat náhled na obrázek zboží");
    tbObrazek_->setIcon(st->standardIcon(QStyle::SP_DesktopIcon));
    tbNahled_ = action("tbNahled", "Zobrazovat náhled na popis a obrázek zboží");
    tbNahled_->setIcon(st->standardIcon(QStyle::SP_FileDialogInfoView));
    tbStranky_ = action("tbStranky", "Zobrazit seznam stránek obsahujících vybrané zboží");
    tbStranky_->setIcon(st->standardIcon(QStyle::SP_DirLinkIcon));
    for (QAction* toggle : {tbCelyKatalog_, tbObrazek_, tbNahled_, tbStranky_}) {
        toggle->setCheckable(true);
    }
    tbHromadna_->setEnabled(false);
    tbVlozit_->setEnabled(false);
    connect(tbCelyKatalog_, &QAction::toggled, mnCelyKatalog_, &QAction::setChecked);
    connect(tbObrazek_, &QAction::toggled, mnObrazek_, &QAction::setChecked);
    connect(tbNahled_, &QAction::toggled, mnNahled_, &QAction::setChecked);
    connect(tbStranky_, &QAction::toggled, mnStranky_, &QAction::setChecked);
    for (QAction* a : findChildren<QAction*>()) {
        a->setToolTip(a->text().remove(QLatin1Char('&')));
    }
}

void TfrmKat::buildMenus() {
    QMenuBar* bar = menuBar();
    const auto menu = [bar](const char* name, const char* caption) {
        QMenu* m = bar->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    QMenu* katalog = menu("mnKatalog", "&Katalog");
    katalog->addAction(mnDistributori_);
    katalog->addAction(mnTiskCeniku_);
    katalog->addSeparator();
    katalog->addAction(mnKonec_);

    QMenu* skupiny = menu("mnSkupiny", "&Skupiny");
    addGroupMenu_ = skupiny->addMenu(QStringLiteral("&Přidat"));
    addGroupMenu_->setObjectName(QStringLiteral("mnPridatSkupinu"));
    addGroupMenu_->addAction(mnHlavniSkupinu_);
    addGroupMenu_->addAction(mnPodskupinu_);
    skupiny->addAction(mnUpravitSkupinu_);
    skupiny->addAction(mnOdstranitSkupinu_);

    QMenu* zbozi = menu("mnZbozi", "&Zboží");
    zbozi->addAction(mnPridatZbozi_);
    zbozi->addAction(mnUpravitZbozi_);
    zbozi->addAction(mnOdstranitZbozi_);
    zbozi->addSeparator();
    zbozi->addAction(mnKopirovat_);
    zbozi->addAction(mnZmenitSkupinu_);
    zbozi->addAction(mnHromadnaZmena_);
    zbozi->addSeparator();
    zbozi->addAction(mnOznacitVse_);
    zbozi->addSeparator();
    zbozi->addAction(mnImport_);
    QMenu* aktualizovat = zbozi->addMenu(QStringLiteral("&Aktualizovat ceny v prod. sekcích"));
    aktualizovat->setObjectName(QStringLiteral("mnAktualizovatCeny"));
    aktualizovat->addAction(mnAktVse_);
    aktualizovat->addAction(mnAktVybrane_);
    zbozi->addSeparator();
    zbozi->addAction(mnVlozitDoSekce_);
    zbozi->addAction(mnVlozitDoSestavy_);

    QMenu* moznosti = menu("mnMoznosti", "&Možnosti");
    moznosti->addAction(mnNahled_);
    moznosti->addAction(mnObrazek_);
    moznosti->addAction(mnStranky_);
    moznosti->addSeparator();
    moznosti->addAction(mnAutoCalc_);
    moznosti->addAction(mnCelyKatalog_);

    puSkupiny_ = new QMenu(this);
    puSkupiny_->setObjectName(QStringLiteral("puSkupiny"));
    puSkupiny_->addActions({puPridatHlavni_, puPridatPod_, puUpravitSkupinu_, puOdstranitSkupinu_});
    puZbozi_ = new QMenu(this);
    puZbozi_->setObjectName(QStringLiteral("puZbozi"));
    puZbozi_->addActions(
        {puPridatZbozi_, puOdstranitZbozi_, puKopirovat_, puUpravit_, puPresunout_});
}

void TfrmKat::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Nástroje"));
    bar->setObjectName(QStringLiteral("tbKatalog"));
    bar->setMovable(false);
    tbPridat_ = named(new QToolButton(bar), "tbPridat");
    tbPridat_->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    tbPridat_->setToolTip(QStringLiteral("Přidat"));
    connect(tbPridat_, &QToolButton::clicked, this, [this] {
        if (activePane_ == Pane::List) {
            addItemCommand();
        }
    });
    bar->addWidget(tbPridat_);
    bar->addAction(tbUpravit_);
    bar->addAction(tbOdstranit_);
    bar->addAction(tbKopirovat_);
    bar->addSeparator();
    bar->addAction(tbHromadna_);
    bar->addAction(tbZmenaSkupiny_);
    bar->addAction(tbVlozit_);
    bar->addSeparator();
    cbHledat_ = named(new QComboBox(bar), "cbHledat");
    cbHledat_->addItems({QStringLiteral("Kód zboží"), QStringLiteral("Název zboží")});
    connect(cbHledat_, &QComboBox::currentIndexChanged, this, &TfrmKat::setSearchField);
    txtHledat_ = named(new QLineEdit(bar), "txtHledat");
    txtHledat_->setMaximumWidth(200);
    txtHledat_->setClearButtonEnabled(true);
    connect(txtHledat_, &QLineEdit::textChanged, this, &TfrmKat::search);
    bar->addWidget(cbHledat_);
    bar->addWidget(txtHledat_);
    bar->addAction(tbCelyKatalog_);
    bar->addSeparator();
    bar->addAction(tbObrazek_);
    bar->addAction(tbNahled_);
    bar->addAction(tbStranky_);
}

void TfrmKat::buildCentralArea() {
    spKatalog_ = named(new QSplitter(Qt::Horizontal, this), "spKatalog");
    spKatalog_->setChildrenCollapsible(false);
    const auto focusBar = [](QWidget* parent, const char* name) {
        auto* bar = named(new QFrame(parent), name);
        bar->setFixedHeight(4);
        bar->setAutoFillBackground(true);
        return bar;
    };

    auto* left = named(new QWidget(spKatalog_), "pnSkupiny");
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(2, 2, 0, 2);
    leftLayout->setSpacing(2);
    leftLayout->addWidget(new QLabel(QStringLiteral("Seznam skupin zboží"), left));
    fbSkupiny_ = focusBar(left, "fbSkupiny");
    leftLayout->addWidget(fbSkupiny_);
    tvSkupiny_ = named(new GroupTreeWidget(left), "tvSkupiny");
    tvSkupiny_->setHeaderHidden(true);
    tvSkupiny_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvSkupiny_->setContextMenuPolicy(Qt::CustomContextMenu);
    tvSkupiny_->installEventFilter(this);
    tvSkupiny_->viewport()->installEventFilter(this);
    leftLayout->addWidget(tvSkupiny_, 1);
    tvSkupiny_->groupDropped = [this](int id, QTreeWidgetItem* target, const QPoint& at) {
        groupDropped(id, target, at);
    };
    tvSkupiny_->itemsDropped = [this](QTreeWidgetItem* target) { itemsDropped(target); };
    connect(tvSkupiny_, &QTreeWidget::currentItemChanged, this, [this] {
        if (keyboardMove_) {
            keyboardMove_ = false;
            groupTimer_.start();
        } else {
            groupTimer_.stop();
            const int id = currentTreeGroup();
            if (id != shownGroup_) {
                loadGroup(id);
            }
        }
        updateCommands();
    });
    connect(tvSkupiny_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        tree_.setExpanded(item->data(0, Qt::UserRole).toInt(), true);
    });
    connect(tvSkupiny_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        tree_.setExpanded(item->data(0, Qt::UserRole).toInt(), false);
    });
    connect(tvSkupiny_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        setActivePane(Pane::Tree);
        puSkupiny_->popup(tvSkupiny_->viewport()->mapToGlobal(at));
    });

    auto* right = named(new QWidget(spKatalog_), "pnZbozi");
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 2, 2, 2);
    rightLayout->setSpacing(2);
    rightLayout->addWidget(new QLabel(QStringLiteral("Zboží v označené skupině"), right));
    fbSeznam_ = focusBar(right, "fbSeznam");
    rightLayout->addWidget(fbSeznam_);
    spSeznam_ = named(new QSplitter(Qt::Vertical, right), "spSeznam");
    spSeznam_->setChildrenCollapsible(false);
    model_ = new ItemListModel(this);
    grdKatalog_ = named(new QTableView(spSeznam_), "grdKatalog");
    grdKatalog_->setModel(model_);
    grdKatalog_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdKatalog_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grdKatalog_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdKatalog_->setDragEnabled(true);
    grdKatalog_->setDragDropMode(QAbstractItemView::DragOnly);
    grdKatalog_->setWordWrap(false);
    grdKatalog_->verticalHeader()->hide();
    grdKatalog_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdKatalog_->verticalHeader()->setDefaultSectionSize(grdKatalog_->fontMetrics().height() + 4);
    grdKatalog_->horizontalHeader()->setStretchLastSection(true);
    grdKatalog_->horizontalHeader()->setHighlightSections(false);
    grdKatalog_->setContextMenuPolicy(Qt::CustomContextMenu);
    grdKatalog_->installEventFilter(this);
    grdKatalog_->viewport()->installEventFilter(this);
    connect(grdKatalog_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        setActivePane(Pane::List);
        puZbozi_->popup(grdKatalog_->viewport()->mapToGlobal(at));
    });
    connect(grdKatalog_, &QTableView::doubleClicked, this, &TfrmKat::editItemCommand);
    connect(grdKatalog_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        updatePreview();
        updateCommands();
        updatePagesWindow(false);
    });

    pnNahled_ = named(new QFrame(spSeznam_), "pnNahled");
    static_cast<QFrame*>(pnNahled_)->setFrameShape(QFrame::StyledPanel);
    const auto value = [this](const char* name) {
        auto* l = named(new QLabel(pnNahled_), name);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(80);
        return l;
    };
    lblPCena_ = value("lblPCena");
    lblPCenaDPH_ = value("lblPCenaDPH");
    lblSlevaKc_ = value("lblSlevaKc");
    lblSleva_ = value("lblSleva");
    auto* prices = new QGridLayout;
    prices->addWidget(new QLabel(QStringLiteral("Prodejní cena"), pnNahled_), 0, 0, 1, 2);
    prices->addWidget(lblPCena_, 1, 0);
    prices->addWidget(lblPCenaDPH_, 1, 1);
    prices->addWidget(new QLabel(QStringLiteral("sleva:"), pnNahled_), 2, 0, 1, 2);
    prices->addWidget(lblSlevaKc_, 3, 0);
    prices->addWidget(lblSleva_, 3, 1);
    prices->setRowStretch(4, 1);
    txtPopis_ = named(new QPlainTextEdit(pnNahled_), "txtPopis");
    txtPopis_->setReadOnly(true);
    txtPopis_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    imgObrazek_ = named(new QLabel(pnNahled_), "imgObrazek");
    imgObrazek_->setFixedSize(kPreviewPicture);
    imgObrazek_->setAlignment(Qt::AlignCenter);
    auto* preview = new QHBoxLayout(pnNahled_);
    preview->addLayout(prices);
    preview->addWidget(txtPopis_, 1);
    preview->addWidget(imgObrazek_);

    spSeznam_->addWidget(grdKatalog_);
    spSeznam_->addWidget(pnNahled_);
    spSeznam_->setStretchFactor(0, 1);
    rightLayout->addWidget(spSeznam_, 1);

    spKatalog_->addWidget(left);
    spKatalog_->addWidget(right);
    spKatalog_->setStretchFactor(1, 1);
    setCentralWidget(spKatalog_);
    setActivePane(Pane::Tree);
}

void TfrmKat::buildStatusBar() {
    lblPocetSkupin_ = named(new QLabel(this), "lblPocetSkupin");
    lblPocetPolozek_ = named(new QLabel(this), "lblPocetPolozek");
    lblSkupina_ = named(new QLabel(this), "lblSkupina");
    statusBar()->addWidget(lblPocetSkupin_);
    statusBar()->addWidget(lblPocetPolozek_);
    statusBar()->addWidget(lblSkupina_, 1);
}

// ---------------------------------------------------------------- settings, opening, closing

void TfrmKat::readSettings() {
    settingsValues_ = readKatalogSettings(settings_);
    const KatalogSettings& s = settingsValues_;
    if (s.width && s.height) {
        resize(*s.width, *s.height);
    }
    if (s.left && s.top) {
        move(*s.left, *s.top);
    }
    spKatalog_->setSizes({s.treeSplit, std::max(width() - s.treeSplit, 200)});
    spSeznam_->setSizes({s.gridHeight, std::max(height() - s.gridHeight - 120, 80)});
    grdKatalog_->setColumnWidth(0, s.col0);
    grdKatalog_->setColumnWidth(1, s.col1);
    txtPopis_->setMinimumWidth(std::min(s.memoWidth, 400));
    mnNahled_->setChecked(s.preview);
    pnNahled_->setVisible(s.preview);
    mnObrazek_->setChecked(s.showPic);
    mnAutoCalc_->setChecked(s.autoCalc);
    // The pages window opens once the catalogue is shown.
    const QSignalBlocker blockMenu(mnStranky_);
    const QSignalBlocker blockButton(tbStranky_);
    mnStranky_->setChecked(s.zarazZbozi);
    tbStranky_->setChecked(s.zarazZbozi);
}

void TfrmKat::writeSettings() {
    KatalogSettings& s = settingsValues_;
    s.maximized = isMaximized();
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    s.top = pos().y();
    s.left = pos().x();
    s.width = normal.width();
    s.height = normal.height();
    if (const QList<int> sizes = spKatalog_->sizes(); !sizes.isEmpty() && sizes.front() > 0) {
        s.treeSplit = sizes.front();
    }
    if (const QList<int> sizes = spSeznam_->sizes(); !sizes.isEmpty() && sizes.front() > 0) {
        s.gridHeight = sizes.front();
    }
    s.col0 = grdKatalog_->columnWidth(0);
    s.col1 = grdKatalog_->columnWidth(1);
    s.memoWidth = txtPopis_->width();
    s.preview = mnNahled_->isChecked();
    s.showPic = mnObrazek_->isChecked();
    s.autoCalc = mnAutoCalc_->isChecked();
    s.zarazZbozi = mnStranky_->isChecked();
    writeKatalogSettings(settings_, s);
}

void TfrmKat::openCatalogue() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    app::BusyCursor busy;
    showMessage("Otevírám katalog zboží ...");
    groups_ = std::make_unique<GroupTable>(projectTable(project_, storage::kSkupiny),
                                           projectTable(project_, storage::kKatalog));
    readSettings();
    if (!buildTree()) {
        return;
    }
    setMode(mode_);
    countAllItems();
    const int group = tree_.contains(lastGroup_) ? lastGroup_
                      : tree_.topLevel().empty() ? 0
                                                 : tree_.topLevel().front();
    shownGroup_ = -1;
    selectGroup(group);
    if (!lastItem_.empty()) {
        selectItem(lastItem_);
    }
    if (settingsValues_.maximized) {
        showMaximized();
    } else {
        show();
    }
    raise();
    activateWindow();
    tvSkupiny_->setFocus();
    if (mnStranky_->isChecked()) {
        setPagesWindowShown(true);
    }
    emit shownChanged(true);
}

void TfrmKat::setMode(Mode mode) {
    mode_ = mode;
    const bool section = mode == Mode::Z || mode == Mode::S;
    mnVlozitDoSekce_->setVisible(section);
    mnVlozitDoSekce_->setEnabled(section);
    mnVlozitDoSestavy_->setVisible(mode == Mode::KS);
    tbVlozit_->setVisible(mode != Mode::None);
    tbVlozit_->setEnabled(section);
    if (!section) {
        target_.reset();
    }
}

void TfrmKat::startPlacing(Mode mode, const PlacingTarget& target) {
    setMode(mode);
    target_ = target;
    openCatalogue();
}

std::vector<StoredItem> TfrmKat::markedForPlacing() const {
    std::vector<int> rows;
    for (const QModelIndex& index : grdKatalog_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    CodeSet codes;
    for (int row : rows) {
        codes.add(model_->list().at(row).kod);
    }
    // One pass over the catalogue for all coded items; a row without a code by its place.
    std::unordered_map<std::string, StoredItem> byCode;
    for (StoredItem& item : itemsByCode(project_, codes)) {
        byCode.emplace(CodeSet::key(item.item.kod), std::move(item));
    }
    std::vector<StoredItem> out;
    out.reserve(rows.size());
    for (int row : rows) {
        const ListedItem& listed = model_->list().at(row);
        if (text::trim(listed.kod).empty()) {
            if (auto item = readItemAt(project_, listed.recno, listed.kod)) {
                out.push_back(std::move(*item));
            }
        } else if (const auto it = byCode.find(CodeSet::key(listed.kod)); it != byCode.end()) {
            out.push_back(std::move(it->second));
            byCode.erase(it);
        }
    }
    return out;
}

void TfrmKat::placeCommand() {
    if ((mode_ != Mode::Z && mode_ != Mode::S) || !target_) {
        return;
    }
    // Ctrl alone keeps the window open for placing more.
    const bool keepOpen = QGuiApplication::keyboardModifiers() == Qt::ControlModifier;
    const Mode mode = mode_;
    PlacingResult result;
    try {
        const std::vector<StoredItem> marked = markedForPlacing();
        PanelStatus status([this](const std::string& text) {
            showMessage(text);
            lblSkupina_->repaint();
        });
        const bool nothing = marked.empty();
        result =
            placeItems(project_, *target_, mode == Mode::S ? PlacingMode::Sets : PlacingMode::Goods,
                       marked, Messages::prompter(), status);
        if (nothing) {
            updateStatus();
            return;
        }
    } catch (const Error& e) {
        updateStatus();
        Messages::error(e.what());
        return;
    }
    grdKatalog_->clearSelection();
    updateStatus();
    if (result.added > 0) {
        updatePagesWindow(true);
        emit goodsPlaced();
    }
    if (!keepOpen) {
        close();
    }
    if (mode == Mode::S && result.firstSet) {
        emit firstSetPlaced(*result.firstSet);
    }
}

void TfrmKat::closeEvent(QCloseEvent* event) {
    try {
        writeSettings();
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    lastGroup_ = shownGroup_;
    const auto current = currentItem();
    lastItem_ = current ? current->item.kod : std::string();
    try {
        if (groups_) {
            if (treeChanged_) {
                tree_.renumber(*groups_);
                treeChanged_ = false;
            }
            if (mode_ == Mode::None) {
                std::unordered_set<int> expanded;
                for (const auto& [id, node] : nodes_) {
                    if (node->isExpanded()) {
                        expanded.insert(id);
                    }
                }
                groups_->storeExpanded(expanded);
            }
        }
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    setMode(Mode::None);
    txtHledat_->clear();
    // The main window reloads its product section on shownChanged(false).
    event->accept();
}

void TfrmKat::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (!event->spontaneous()) {
        mnCelyKatalog_->setChecked(false);
        // The pages window closes with the catalogue; its toggle stays as it was.
        if (pagesWindow_) {
            pagesWindow_->hide();
        }
        emit shownChanged(false);
    }
}

// ---------------------------------------------------------------- the tree

bool TfrmKat::buildTree() {
    showMessage("Načítám stromovou strukturu katalogu zboží ...");
    ProgressSetup setup;
    setup.title = "Načítání stromové struktury skupin";
    setup.message = "Čekejte prosím, probíhá načítání stromové struktury katalogu.";
    setup.bars = ProgressBars::None;
    setup.animation = ProgressAnimation::Search;
    progress().start(setup);
    try {
        GroupTree::Built built = GroupTree::build(*groups_);
        tree_ = std::move(built.tree);
        progress().finish();
        if (built.repaired) {
            // The renumbering ran with the build; the window only says what it did.
            setup.title = "Optimalizace stromové struktury skupin";
            setup.message = "Čekejte prosím, probíhá optimalizace stromové struktury skupin.";
            progress().start(setup);
            progress().finish();
        }
    } catch (const Error& e) {
        progress().finish();
        Messages::error(e.what());
        return false;
    }
    fillTree();
    return true;
}

void TfrmKat::fillTree() {
    const QSignalBlocker block(tvSkupiny_);
    tvSkupiny_->clear();
    nodes_.clear();
    std::vector<QTreeWidgetItem*> toExpand;
    for (int id : tree_.preorder()) {
        const GroupNode& node = tree_.node(id);
        QTreeWidgetItem* item = node.parent == 0 ? new QTreeWidgetItem(tvSkupiny_)
                                                 : new QTreeWidgetItem(nodes_.at(node.parent));
        item->setText(0, q(node.name));
        item->setData(0, Qt::UserRole, id);
        if (isReservedGroup(id)) {
            item->setFlags(item->flags() & ~Qt::ItemIsDragEnabled);
        }
        nodes_[id] = item;
        if (node.expand) {
            toExpand.push_back(item);
        }
    }
    for (QTreeWidgetItem* item : toExpand) {
        item->setExpanded(true);
    }
    if (const auto it = nodes_.find(shownGroup_); it != nodes_.end()) {
        tvSkupiny_->setCurrentItem(it->second);
    }
}

int TfrmKat::currentTreeGroup() const {
    const QTreeWidgetItem* item = tvSkupiny_->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

std::string TfrmKat::groupName(int id) const {
    return tree_.contains(id) ? tree_.node(id).name : std::string();
}

void TfrmKat::selectGroup(int id) {
    groupTimer_.stop();
    if (const auto it = nodes_.find(id); it != nodes_.end()) {
        const QSignalBlocker block(tvSkupiny_);
        tvSkupiny_->setCurrentItem(it->second);
        tvSkupiny_->scrollToItem(it->second);
    }
    loadGroup(id);
}

void TfrmKat::loadGroup(int id) {
    const std::string name = groupName(id);
    showMessage("Načítám zboží skupiny " + name + " ...");
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    shownGroup_ = id;
    model_->beginChange();
    try {
        if (id == 0) {
            model_->list().clear();
        } else {
            model_->list().load(projectTable(project_, storage::kKatalog), id);
        }
    } catch (const Error& e) {
        model_->list().clear();
        model_->endChange();
        Messages::error(e.what());
        updateStatus();
        updateCommands();
        return;
    }
    model_->endChange();
    if (!model_->list().empty()) {
        const QModelIndex first = model_->index(0, 0);
        grdKatalog_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    }
    updatePreview();
    updateStatus();
    updateCommands();
    updatePagesWindow(true);
}

void TfrmKat::reloadItems(std::optional<std::uint32_t> keepRecno, std::string_view keepCode) {
    if (!keepRecno && keepCode.empty()) {
        if (const auto current = currentItem()) {
            keepRecno = current->recno;
        }
    }
    const int group = shownGroup_;
    shownGroup_ = -1;
    loadGroup(group);
    int row = -1;
    if (!keepCode.empty()) {
        row = model_->list().indexOfCode(keepCode);
    }
    if (row < 0 && keepRecno) {
        row = model_->list().indexOfRecno(*keepRecno);
    }
    if (row >= 0) {
        const QModelIndex index = model_->index(row, 0);
        grdKatalog_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
        grdKatalog_->scrollTo(index);
    }
}

void TfrmKat::countAllItems() {
    totalItems_ = 0;
    try {
        for (const auto& [group, count] : itemCountsByGroup(project_)) {
            totalItems_ += count;
        }
    } catch (const Error& e) {
        Messages::error(e.what());
    }
}

void TfrmKat::updateStatus() {
    lblPocetSkupin_->setText(groupsText(tree_.size()));
    lblPocetPolozek_->setText(
        QStringLiteral("Počet položek zboží: %1/%2").arg(model_->list().size()).arg(totalItems_));
    showMessage(shownGroupStatus(groupName(shownGroup_)));
}

void TfrmKat::showMessage(const std::string& text) {
    const QString shown = q(text);
    lblSkupina_->setText(shown);
    emit statusShown(shown);
}

// ---------------------------------------------------------------- the pages window

void TfrmKat::setPagesWindowShown(bool on) {
    tbStranky_->setChecked(on);
    if (!on) {
        if (pagesWindow_) {
            pagesWindow_->hide();
        }
        return;
    }
    if (!isVisible()) {
        return; // opens with the catalogue
    }
    if (!pagesWindow_) {
        pagesWindow_ = new TfrmZarazZbozi(settings_, this);
        connect(pagesWindow_, &TfrmZarazZbozi::closedByUser, this,
                [this] { mnStranky_->setChecked(false); });
    }
    pagesWindow_->open(this);
    updatePagesWindow(true);
}

void TfrmKat::updatePagesWindow(bool reload) {
    if (!pagesWindow_ || !pagesWindow_->isVisible()) {
        pagesRecno_.reset();
        return;
    }
    const int row = currentRow();
    if (row < 0) {
        pagesRecno_.reset();
        pagesWindow_->clearPages();
        return;
    }
    const ListedItem& listed = model_->list().at(row);
    if (!reload && pagesRecno_ == listed.recno) {
        return;
    }
    pagesRecno_ = listed.recno;
    showMessage(loadingPagesStatus(listed.nazev));
    lblSkupina_->repaint();
    try {
        pagesWindow_->showPages(listed.nazev, pagesWithItem(project_, listed.kod));
    } catch (const Error& e) {
        pagesWindow_->clearPages();
        Messages::error(e.what());
    }
    showMessage(shownGroupStatus(groupName(shownGroup_)));
}

void TfrmKat::setActivePane(Pane pane) {
    activePane_ = pane;
    const QColor on = palette().color(QPalette::Highlight);
    const QColor off = palette().color(QPalette::Window);
    const auto paint = [](QFrame* bar, const QColor& colour) {
        QPalette p = bar->palette();
        p.setColor(QPalette::Window, colour);
        bar->setPalette(p);
    };
    paint(fbSkupiny_, pane == Pane::Tree ? on : off);
    paint(fbSeznam_, pane == Pane::List ? on : off);
    if (pane == Pane::Tree) {
        tbPridat_->setMenu(addGroupMenu_);
        tbPridat_->setPopupMode(QToolButton::InstantPopup);
    } else {
        tbPridat_->setMenu(nullptr);
        tbPridat_->setPopupMode(QToolButton::DelayedPopup);
    }
    updateCommands();
}

void TfrmKat::updateCommands() {
    if (!model_) {
        return;
    }
    const int group = shownGroup_;
    const int selected = currentTreeGroup();
    const bool ordinaryTree = isOrdinaryGroup(selected);
    const bool ordinaryShown = isOrdinaryGroup(group);
    const bool hasItems = !model_->list().empty();
    const int row = currentRow();
    const bool currentHasCode = row >= 0 && !text::trim(model_->list().at(row).kod).empty();
    for (QAction* a : {mnPodskupinu_, puPridatPod_, mnUpravitSkupinu_, puUpravitSkupinu_,
                       mnOdstranitSkupinu_, puOdstranitSkupinu_}) {
        a->setEnabled(ordinaryTree);
    }
    for (QAction* a : {mnPridatZbozi_, puPridatZbozi_}) {
        a->setEnabled(ordinaryShown);
    }
    for (QAction* a : {mnUpravitZbozi_, puUpravit_, mnOdstranitZbozi_, puOdstranitZbozi_,
                       mnKopirovat_, puKopirovat_, tbKopirovat_, mnOznacitVse_, mnAktVybrane_}) {
        a->setEnabled(hasItems);
    }
    for (QAction* a : {mnZmenitSkupinu_, tbZmenaSkupiny_, puPresunout_}) {
        a->setEnabled(hasItems && currentHasCode);
    }
    if (activePane_ == Pane::Tree) {
        tbPridat_->setEnabled(true);
        tbUpravit_->setEnabled(ordinaryTree);
        tbOdstranit_->setEnabled(ordinaryTree);
    } else {
        tbPridat_->setEnabled(ordinaryShown);
        tbUpravit_->setEnabled(hasItems);
        tbOdstranit_->setEnabled(hasItems);
    }
}

int TfrmKat::currentRow() const {
    const QModelIndex current = grdKatalog_->selectionModel()->currentIndex();
    return current.isValid() && current.row() < model_->list().size() ? current.row() : -1;
}

bool TfrmKat::autoCalc() const {
    return mnAutoCalc_->isChecked();
}

std::optional<StoredItem> TfrmKat::currentItem() const {
    const int row = currentRow();
    if (row < 0) {
        return std::nullopt;
    }
    const ListedItem& listed = model_->list().at(row);
    try {
        return readItemAt(project_, listed.recno, listed.kod);
    } catch (const Error&) {
        return std::nullopt;
    }
}

void TfrmKat::updatePreview() {
    previewed_.reset();
    if (!pnNahled_->isVisible() && !mnNahled_->isChecked()) {
        return;
    }
    previewed_ = currentItem();
    if (!previewed_) {
        for (QLabel* l : {lblPCena_, lblPCenaDPH_, lblSlevaKc_, lblSleva_}) {
            l->clear();
        }
        txtPopis_->clear();
        showPicture(imgObrazek_, QString(), kPreviewPicture);
        return;
    }
    const ItemDerived d = deriveItem(previewed_->item, VatRates::of(project_));
    lblPCena_->setText(q(formatAmount(d.P_CENA)));
    lblPCenaDPH_->setText(q(formatAmount(d.P_CENA_DPH)));
    lblSlevaKc_->setText(q(formatAmount(d.SLEVA_KC)));
    lblSleva_->setText(q(formatPercent(previewed_->item.sleva)));
    txtPopis_->setPlainText(q(previewed_->popis));
    QString picture;
    const std::string& obrazek = previewed_->item.obrazek;
    if (mnObrazek_->isChecked() && !text::trim(obrazek).empty()) {
        const auto file = itemPicturePath(pictureFolder(project_), obrazek);
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) {
            picture = toQt(file);
        }
    }
    showPicture(imgObrazek_, picture, kPreviewPicture);
}

// ---------------------------------------------------------------- groups

void TfrmKat::addMainGroupCommand() {
    addGroup(false);
}

void TfrmKat::addSubgroupCommand() {
    addGroup(true);
}

void TfrmKat::addGroup(bool subgroup) {
    const int selected = currentTreeGroup();
    if (subgroup && !isOrdinaryGroup(selected)) {
        return;
    }
    try {
        Group group;
        GroupTree::Slot slot;
        if (subgroup) {
            const auto parent = groups_->read(selected);
            if (!parent) {
                throw Error("Skupina „" + groupName(selected) + "“ již v katalogu není.");
            }
            group = subgroupPresets(*parent);
            slot = {selected, 0};
        } else {
            slot = tree_.mainGroupSlot(selected);
            group = mainGroupPresets(slot.parent);
        }
        TfrmSkup editor(group, data_, project_, this);
        if (editor.exec() != QDialog::Accepted) {
            return;
        }
        group = editor.group();
        group.parent = slot.parent;
        group.skupId = groups_->nextId();
        group.poradi = groups_->nextOrder();
        groups_->insert(group);
        tree_.add(group.skupId, group.nazev, slot.parent, slot.before);
        // The order is stored at once, so it is right even if the program ends unexpectedly.
        tree_.renumber(*groups_);
        treeChanged_ = true;
        fillTree();
        selectGroup(group.skupId);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
}

void TfrmKat::editGroupCommand() {
    const int id = currentTreeGroup();
    if (!isOrdinaryGroup(id)) {
        return;
    }
    try {
        const auto group = groups_->read(id);
        if (!group) {
            throw Error("Skupina „" + groupName(id) + "“ již v katalogu není.");
        }
        TfrmSkup editor(*group, data_, project_, this);
        if (editor.exec() != QDialog::Accepted) {
            return;
        }
        const Group changed = editor.group();
        groups_->update(changed);
        tree_.rename(id, changed.nazev);
        nodes_.at(id)->setText(0, q(changed.nazev));
        updateStatus();
    } catch (const Error& e) {
        Messages::error(e.what());
    }
}

void TfrmKat::deleteGroupCommand() {
    const int id = currentTreeGroup();
    if (!isOrdinaryGroup(id)) {
        return;
    }
    if (!Messages::questionYesNo(kDeleteGroupQuestion) ||
        Messages::ask(MessageKind::Warning, Buttons::OkCancel, kDeleteGroupWarning,
                      Answer::Cancel) != Answer::Ok) {
        return;
    }
    // Where the selection goes: the group before it, else its parent, else the first group.
    const auto& level = tree_.siblingsOf(id);
    const auto at = std::find(level.begin(), level.end(), id);
    const int parent = tree_.node(id).parent;
    int next = at != level.begin() ? *(at - 1) : parent;
    GroupDeletion done;
    try {
        const CatalogueCalculationOff calculationOff(data_);
        done = deleteGroup(project_, *groups_, tree_, id, Messages::prompter(), progress());
    } catch (const Error& e) {
        progress().finish();
        Messages::error(e.what());
        buildTree();
    }
    if (!tree_.contains(next)) {
        next = tree_.contains(id) ? id : tree_.topLevel().empty() ? 0 : tree_.topLevel().front();
    }
    fillTree();
    countAllItems();
    shownGroup_ = -1;
    selectGroup(done.deletedGroups.empty() ? id : next);
}

void TfrmKat::groupDropped(int id, QTreeWidgetItem* target, const QPoint& globalPos) {
    const int targetId = target->data(0, Qt::UserRole).toInt();
    if (!tree_.contains(id) || id == targetId) {
        return;
    }
    const auto place = placeChooser_(globalPos);
    if (!place) {
        return;
    }
    if (const auto why = tree_.refuseMove(id, targetId, *place)) {
        Messages::warning(*why);
        return;
    }
    try {
        tree_.move(id, targetId, *place);
        tree_.renumber(*groups_);
        treeChanged_ = true;
    } catch (const Error& e) {
        Messages::error(e.what());
        buildTree();
    }
    fillTree();
    selectGroup(id);
}

// ---------------------------------------------------------------- items

ItemSelection TfrmKat::markedItems(bool orCurrent) const {
    ItemSelection selection;
    selection.group = shownGroup_;
    std::vector<int> rows;
    for (const QModelIndex& index : grdKatalog_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (rows.empty() && orCurrent && currentRow() >= 0) {
        rows.push_back(currentRow());
    }
    std::sort(rows.begin(), rows.end());
    for (int row : rows) {
        const ListedItem& item = model_->list().at(row);
        if (text::trim(item.kod).empty()) {
            selection.codeless.push_back(item.recno);
        } else {
            selection.codes.add(item.kod);
        }
    }
    return selection;
}

bool TfrmKat::selectItem(std::string_view code) {
    const int row = model_->list().indexOfCode(code);
    if (row < 0) {
        return false;
    }
    const QModelIndex index = model_->index(row, 0);
    grdKatalog_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    grdKatalog_->scrollTo(index);
    return true;
}

void TfrmKat::addItemCommand() {
    const int group = shownGroup_;
    if (!isOrdinaryGroup(group)) {
        return;
    }
    try {
        const auto presets = groups_->read(group);
        if (!presets) {
            throw Error("Skupina „" + groupName(group) + "“ již v katalogu není.");
        }
        TfrmZboz editor(project_, data_, {newItemOf(*presets), {}, 0}, {true, false}, this);
        editor.setWindowTitle(q(groupName(group) + ", Nové zboží"));
        if (editor.exec() != QDialog::Accepted) {
            return;
        }
        const auto recno = insertItem(project_, editor.item(), editor.popis());
        ++totalItems_;
        reloadItems(recno, editor.item().kod);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
}

void TfrmKat::editItemCommand() {
    const auto stored = currentItem();
    if (!stored) {
        if (currentRow() >= 0) {
            Messages::error("Zboží již v katalogu není.");
            reloadItems();
        }
        return;
    }
    editItem(*stored);
}

void TfrmKat::editItem(const StoredItem& stored) {
    try {
        const bool codeless = text::trim(stored.item.kod).empty();
        TfrmZboz editor(project_, data_, stored,
                        {false, codeless && shownGroup_ == kImportErrorGroup}, this);
        editor.setWindowTitle(q(groupName(shownGroup_) + ", " + stored.item.nazev));
        if (editor.exec() != QDialog::Accepted) {
            return;
        }
        const Item& item = editor.item();
        updateItem(project_, stored.recno, stored.item.kod, item, editor.popis());
        if (autoCalc() && !text::trim(item.kod).empty()) {
            RecalcProdKod(project_, item, CodeSet{item.kod}, progress());
            progress().finish();
        }
        reloadItems(stored.recno, item.kod);
    } catch (const Error& e) {
        progress().finish();
        Messages::error(e.what());
        reloadItems();
    }
}

void TfrmKat::copyItemCommand() {
    const auto source = currentItem();
    if (!source) {
        return;
    }
    QString code;
    for (;;) {
        const auto typed = TfrmInput::ask(this, QStringLiteral("Nová kopie záznamu o zboží"),
                                          QStringLiteral("Nový kód zboží"), code, 40, true);
        if (!typed) {
            return;
        }
        code = q(*typed);
        const CodeStatus status = codeStatus(project_, *typed);
        if (const char* taken = codeTakenMessage(status)) {
            Messages::warning(taken);
            continue;
        }
        if (status == CodeStatus::Empty) {
            continue;
        }
        break;
    }
    try {
        const StoredItem copy = copyItem(project_, *source, s(code));
        ++totalItems_;
        reloadItems(copy.recno, copy.item.kod);
        editItem(copy);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
}

void TfrmKat::deleteItemsCommand() {
    const ItemSelection selection = markedItems(true);
    if (selection.empty()) {
        return;
    }
    if (!Messages::questionYesNo(selection.size() == 1 ? kDeleteOneQuestion
                                                       : kDeleteManyQuestion) ||
        Messages::ask(MessageKind::Warning, Buttons::OkCancel, kDeleteItemsWarning, Answer::Cancel,
                      kDeleteItemsCaption) != Answer::Ok) {
        return;
    }
    try {
        const CatalogueCalculationOff calculationOff(data_);
        deleteItems(project_, selection, progress());
    } catch (const Error& e) {
        progress().finish();
        Messages::error(e.what());
    }
    grdKatalog_->clearSelection();
    countAllItems();
    const int row = std::max(0, currentRow());
    reloadItems();
    if (!model_->list().empty()) {
        const QModelIndex index = model_->index(std::min(row, model_->list().size() - 1), 0);
        grdKatalog_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
}

void TfrmKat::moveItemsCommand() {
    const ItemSelection selection = markedItems(false);
    TfrmZmSk chooser(
        data_, shownGroup_, [this] { addItemCommand(); }, this);
    if (chooser.exec() != QDialog::Accepted || selection.empty()) {
        return;
    }
    moveItems(selection, chooser.chosenGroup());
}

void TfrmKat::itemsDropped(QTreeWidgetItem* target) {
    moveItems(markedItems(true), target->data(0, Qt::UserRole).toInt());
}

void TfrmKat::moveItems(const ItemSelection& selection, int target) {
    if (selection.empty() || target == 0 || target == shownGroup_) {
        return;
    }
    try {
        const CatalogueCalculationOff calculationOff(data_);
        NoProgress quiet;
        Progress& shown = selection.size() > 1 ? static_cast<Progress&>(progress()) : quiet;
        catalogue::moveItems(project_, selection, target, shown);
    } catch (const Error& e) {
        progress().finish();
        Messages::error(e.what());
    }
    grdKatalog_->clearSelection();
    reloadItems();
}

void TfrmKat::markAllCommand() {
    const CatalogueCalculationOff calculationOff(data_);
    grdKatalog_->selectAll();
}

void TfrmKat::updatePricesAllCommand() {
    try {
        RecalcProd(project_, nullptr, progress());
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    progress().finish();
}

void TfrmKat::updatePricesSelectedCommand() {
    const ItemSelection selection = markedItems(true);
    if (selection.codes.empty()) {
        return;
    }
    try {
        const CatalogueCalculationOff calculationOff(data_);
        RecalcProdSelected(project_, selection.codes, progress());
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    progress().finish();
}

void TfrmKat::printPriceListCommand() {
    try {
        std::optional<PriceListReport> report;
        {
            app::BusyCursor busy;
            report.emplace(priceList(project_, shownGroup_), groupName(shownGroup_), Date::today(),
                           TimeOfDay::now());
        }
        showPriceListPreview(this, *report);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
}

void TfrmKat::distributorsCommand() {
    TfrmDistr list(data_, project_, 0, this);
    list.exec();
    updatePreview();
}

// ---------------------------------------------------------------- search

void TfrmKat::setSearchField(int index) {
    const auto current = currentItem();
    model_->beginChange();
    model_->list().setOrder(index == 1 ? ItemField::Name : ItemField::Code);
    model_->endChange();
    if (current) {
        selectItem(current->item.kod);
    }
    search(txtHledat_->text());
}

void TfrmKat::setWholeCatalogueSearch(bool on) {
    tbCelyKatalog_->setChecked(on);
    if (!on) {
        index_.clear();
    }
}

void TfrmKat::search(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    const ItemField field = cbHledat_->currentIndex() == 1 ? ItemField::Name : ItemField::Code;
    const std::string wanted = s(text);
    if (mnCelyKatalog_->isChecked()) {
        try {
            if (!index_.loaded()) {
                app::BusyCursor busy;
                index_.load(projectTable(project_, storage::kKatalog));
            }
        } catch (const Error& e) {
            Messages::error(e.what());
            mnCelyKatalog_->setChecked(false);
            return;
        }
        const auto hit = index_.findFirst(field, wanted);
        if (hit && hit->group != shownGroup_ && tree_.contains(hit->group)) {
            selectGroup(hit->group);
        }
        if (hit && selectItem(hit->kod)) {
            return;
        }
    }
    const int row = model_->list().findPrefix(wanted);
    if (row >= 0) {
        selectItem(model_->list().at(row).kod);
    }
}

// ---------------------------------------------------------------- keys and focus

bool TfrmKat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        if (watched == tvSkupiny_ || watched == tvSkupiny_->viewport()) {
            setActivePane(Pane::Tree);
        } else if (watched == grdKatalog_ || watched == grdKatalog_->viewport()) {
            setActivePane(Pane::List);
        }
    }
    if (event->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == tvSkupiny_) {
        switch (key->key()) {
        case Qt::Key_Delete:
            deleteGroupCommand();
            return true;
        case Qt::Key_Insert: {
            const QRect r = tvSkupiny_->visualItemRect(tvSkupiny_->currentItem());
            addGroupMenu_->popup(tvSkupiny_->viewport()->mapToGlobal(r.bottomLeft()));
            return true;
        }
        case Qt::Key_F2:
            editGroupCommand();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            keyboardMove_ = true;
            break;
        default:
            break;
        }
    } else if (watched == grdKatalog_) {
        switch (key->key()) {
        case Qt::Key_Delete:
            deleteItemsCommand();
            return true;
        case Qt::Key_Insert:
            addItemCommand();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            editItemCommand();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace arkona::catalogue::ui
