#include "app/main_window.h"

#include "app/busy_cursor.h"
#include "app/environment_dialog.h"
#include "app/folder_chooser.h"
#include "app/main_status_bar.h"
#include "app/message_box.h"
#include "app/progress_window.h"
#include "app/window_caption.h"
#include "base/dbf/file_swap.h"
#include "base/error.h"
#include "catalogue/ui/catalogue_window.h"
#include "catalogue/ui/goods_panel.h"
#include "catalogue/ui/product_dialog.h"
#include "generator/ui/generator_dialog.h"
#include "site/ui/page_picker_dialog.h"
#include "site/ui/page_properties.h"
#include "site/ui/page_tree_widget.h"
#include "site/ui/section_panel.h"
#include "site/ui/tree_pane.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace arkona::app {

namespace {

using storage::UserSettings;
using Scope = CommandSet::Scope;
using Readiness = CommandSet::Readiness;

constexpr const char* kNoProjectText =
    "Není otevřen žádný projekt. Otevřete nebo vytvořte nový projekt!";
constexpr const char* kOrderProgram = "objednavky.exe";

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(u(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* addSubMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* menu = parent->addMenu(u(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

std::filesystem::path orderProgramFile() {
    return UserSettings::programFolder() / kOrderProgram;
}

} // namespace

QString aboutText() {
    return QStringLiteral("%1.%2   sestavení %3")
        .arg(ARKONA_VERSION_MAJOR)
        .arg(ARKONA_VERSION_MINOR)
        .arg(ARKONA_BUILD_NUMBER);
}

TArkona1::TArkona1(storage::ProjectContext& context, storage::TData2& data, UserSettings& settings,
                   QWidget* parent)
    : QMainWindow(parent), context_(context), data_(data), settings_(settings),
      structure_(data, context), session_(context, data, settings, structure_) {
    setObjectName(QStringLiteral("TArkona1"));
    setWindowTitle(u(storage::kApplicationTitle));
    context_.projectOpen = false;
    data_.previewCacheKey.clear();

    statusBar_ = new MainStatusBar(this);
    setStatusBar(statusBar_);
    data_.status = statusBar_;
    // A table found half packed after a crash is repaired when opened; say so where the user looks.
    dbf::setRepairNotice([bar = QPointer<MainStatusBar>(statusBar_)](const std::string& text) {
        if (bar) {
            bar->show(text);
        }
    });

    buildMenus();
    buildToolBar();
    buildCentralArea();
    connectTreePane();
    wireCatalogue();
    setProjectCommands(false);
    resize(kMaximizedWidth, kMaximizedHeight);

    // The table layer leaves no temporary files behind, so nothing is cleaned from the user's
    // folders here.

    chooser_ = [this] {
        return TfrmBrowseFldr::choose(this, QStringLiteral("Otevřít projekt"),
                                      settings_.lastOpenFolder(), false);
    };
}

TArkona1::~TArkona1() {
    data_.hooks.reloadPagePanel = nullptr;
    // The tree pane shows the page tree held here: it goes before the tree does.
    delete treePane_;
    treePane_ = nullptr;
}

void TArkona1::buildMenus() {
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* name, const char* caption,
                      const QKeySequence& shortcut, Scope scope, Readiness readiness) {
        QAction* a = commands_.add(this, name, u(caption), shortcut, scope, readiness);
        menu->addAction(a);
        return a;
    };
    const Scope A = Scope::Always;
    const Scope P = Scope::Project;
    const Readiness R = Readiness::Ready;
    const Readiness N = Readiness::NotYet;

    QMenu* projekt = addMenu(bar, "mnProjekt", "&Projekt");
    add(projekt, "mnNovyProjekt", "&Nový projekt", QKeySequence(Qt::CTRL | Qt::Key_N), A, N);
    QAction* open = add(projekt, "mnOtevritProjekt", "&Otevřít projekt",
                        QKeySequence(Qt::CTRL | Qt::Key_O), A, R);
    connect(open, &QAction::triggered, this, [this] { openProjectCommand(); });
    add(projekt, "mnUlozitJako", "&Uložit projekt jako ...", {}, P, N);
    add(projekt, "mnVlastnosti", "&Vlastnosti projektu", {}, P, N);
    projekt->addSeparator();
    mnObjednavky_ = add(projekt, "mnObjednavky", "O&bjednávky zboží", {}, P, R);
    connect(mnObjednavky_, &QAction::triggered, this, &TArkona1::startOrderProgram);
    projekt->addSeparator();
    QAction* konec = add(projekt, "mnKonec", "&Konec", QKeySequence(Qt::Key_F10), A, R);
    connect(konec, &QAction::triggered, this, &QWidget::close);
    connect(projekt, &QMenu::aboutToShow, this, &TArkona1::updateOrderProgramCommand);

    QMenu* stranka = addMenu(bar, "mnStranka", "S&tránka");
    commands_.addProjectMenu(stranka);
    add(stranka, "mnNovyOddil", "Nový &oddíl stránek", {}, P, N);
    add(stranka, "mnNovaStranka", "Nová &stránka", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T), P,
        N);
    add(stranka, "mnNovaProduktovaStranka", "Nová stránka s &produktovou sekcí",
        QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P), P, N);
    add(stranka, "mnOdkazNaStranku", "O&dkaz na stránku", {}, P, N);
    stranka->addSeparator();
    add(stranka, "mnPrejmenovat", "Př&ejmenovat", QKeySequence(Qt::Key_F2), P, N);
    add(stranka, "mnOdstranitStranku", "O&dstranit", {}, P, N);
    stranka->addSeparator();
    add(stranka, "mnHromadnaZmena", "&Hromadná změna", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H),
        P, N);
    add(stranka, "mnNahled", "Náhled / &Preview", QKeySequence(Qt::CTRL | Qt::Key_P), P, N);

    QMenu* sekce = addMenu(bar, "mnSekce", "Sek&ce");
    commands_.addProjectMenu(sekce);
    QMenu* nova = addSubMenu(sekce, "mnNovaSekce", "&Nová");
    add(nova, "mnSekceTextova", "&Textová", {}, P, N);
    add(nova, "mnSekceProduktova", "&Produktová", {}, P, N);
    add(nova, "mnSekceObjednavka", "&Objednávka", {}, P, N);
    add(nova, "mnSekceNakupniKarta", "Nákupní &karta", {}, P, N);
    add(nova, "mnSekceHlavniStrana", "Hlavní strana", {}, P, N);
    add(sekce, "mnUpravitSekci", "&Upravit", {}, P, N);
    add(sekce, "mnPopisSekce", "P&opis", {}, P, N);
    add(sekce, "mnOdstranitSekci", "O&dstranit", {}, P, N);
    add(sekce, "mnSeraditSekce", "&Seřadit", {}, P, N);
    sekce->addSeparator();
    add(sekce, "mnUpravitZdroj", "Upravit zdroj &HTML", {}, P, N);
    add(sekce, "mnUpravitExterne", "Upravit e&xterním editorem", {}, P, N);
    add(sekce, "mnNacistZdroj", "&Načíst zdroj ze souboru...", {}, P, N);
    sekce->addSeparator();
    add(sekce, "mnUpravitProdukty", "Upravit &produtky", {}, P, N);
    add(sekce, "mnHromadnaSleva", "Hromadně změnit &slevu", {}, P, N);
    mnZobrazitCeny_ = add(sekce, "mnZobrazitCeny", "Zobrazovat &ceny v produktové sekci", {}, P, N);
    mnZobrazitCeny_->setCheckable(true);

    QMenu* nastroje = addMenu(bar, "mnNastroje", "Nást&roje");
    mnKatalog_ = add(nastroje, "mnKatalog", "&Katalog zboží", {}, P, N);
    mnKatalog_->setCheckable(true);
    QAction* generovani = add(nastroje, "mnGenerovani", "&Generování HTML", {}, P, R);
    connect(generovani, &QAction::triggered, this, &TArkona1::runGenerator);
    add(nastroje, "mnNahledStranek", "Ná&hled stránek HTML", {}, P, N);
    add(nastroje, "mnEditorSablon", "Editor ša&blon", {}, P, N);
    add(nastroje, "mnAktualizaceWWW", "&Aktualizace WWW", {}, P, N);
    nastroje->addSeparator();
    QMenu* servis = addSubMenu(nastroje, "mnServis", "&Servisní funkce");
    commands_.addProjectMenu(servis);
    QAction* kontrola = add(servis, "mnKontrolaDat", "Kontrola &datových souborů", {}, P, R);
    connect(kontrola, &QAction::triggered, this, &TArkona1::runDataCheck);
    add(servis, "mnOptimalizace", "&Optimalizace stromu WWW", {}, P, N);

    QMenu* moznosti = addMenu(bar, "mnMoznosti", "&Možnosti");
    mnBarevne_ = add(moznosti, "mnBarevne", "Zobrazovat zdroj HTML &barevně", {}, A, R);
    mnExterniEditor_ =
        add(moznosti, "mnExterniEditor", "Jako výchozí použít e&xterní editor", {}, A, R);
    mnNahledNavrchu_ = add(moznosti, "mnNahledNavrchu", "Ná&hled stránky vždy na vrchu", {}, A, R);
    for (QAction* toggle : {mnBarevne_, mnExterniEditor_, mnNahledNavrchu_}) {
        toggle->setCheckable(true);
    }
    connect(mnBarevne_, &QAction::toggled, this, [this](bool on) { layout_.showColor = on; });
    connect(mnExterniEditor_, &QAction::toggled, this,
            [this](bool on) { layout_.extEdDefault = on; });
    connect(mnNahledNavrchu_, &QAction::toggled, this,
            [this](bool on) { layout_.previewOnTop = on; });
    moznosti->addSeparator();
    QAction* nastaveni = add(moznosti, "mnNastaveni", "&Nastavení prostředí ...", {}, A, R);
    connect(nastaveni, &QAction::triggered, this, &TArkona1::runEnvironmentSettings);

    QMenu* napoveda = addMenu(bar, "mnNapoveda", "Nápo&věda");
    add(napoveda, "mnObsah", "&Obsah a rejstřík", {}, A, N);
    napoveda->addSeparator();
    QAction* about = add(napoveda, "mnOProgramu", "&O programu ...", {}, A, R);
    connect(about, &QAction::triggered, this, &TArkona1::showAbout);
}

void TArkona1::buildToolBar() {
    tbHlavni_ = addToolBar(QStringLiteral("Nástroje"));
    tbHlavni_->setObjectName(QStringLiteral("tbHlavni"));
    tbHlavni_->setMovable(false);
    tbHlavni_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QStyle* st = style();
    const Scope A = Scope::Always;
    const Scope P = Scope::Project;
    const Readiness R = Readiness::Ready;
    const Readiness N = Readiness::NotYet;
    auto add = [this, st](const char* name, const char* hint, QStyle::StandardPixmap icon,
                          Scope scope, Readiness readiness, const QKeySequence& key = {}) {
        QAction* a = commands_.add(this, name, u(hint), key, scope, readiness);
        a->setIcon(st->standardIcon(icon));
        if (readiness == Readiness::Ready) {
            a->setToolTip(u(hint));
        }
        tbHlavni_->addAction(a);
        return a;
    };
    QAction* open = add("tbOtevrit", "Otevřít projekt", QStyle::SP_DialogOpenButton, A, R);
    connect(open, &QAction::triggered, this, [this] { openProjectCommand(); });
    add("tbVlastnosti", "Vlastnosti projektu", QStyle::SP_FileDialogInfoView, P, N);
    tbHlavni_->addSeparator();
    add("tbNova", "Nová", QStyle::SP_FileIcon, P, N, QKeySequence(Qt::CTRL | Qt::Key_T));
    add("tbUpravit", "Upravit", QStyle::SP_FileDialogDetailedView, P, N);
    add("tbOdstranit", "Odstranit", QStyle::SP_TrashIcon, P, N);
    add("tbSeradit", "Seřadit", QStyle::SP_ArrowDown, P, N);
    tbHlavni_->addSeparator();
    add("tbEditorSablon", "Editor šablon", QStyle::SP_FileDialogListView, P, N);
    tbKatalog_ = add("tbKatalog", "Katalog zboží", QStyle::SP_DirIcon, P, N);
    QAction* generovani = add("tbGenerovani", "Generování HTML", QStyle::SP_BrowserReload, P, R);
    connect(generovani, &QAction::triggered, this, &TArkona1::runGenerator);
    add("tbNahled", "Náhled označené stránky", QStyle::SP_FileDialogContentsView, P, N);
}

QWidget* TArkona1::emptyPanel(const char* name) {
    auto* panel = new QWidget;
    panel->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(panel);
    auto* note = new QLabel(u(kNotAvailableYet), panel);
    note->setAlignment(Qt::AlignCenter);
    note->setEnabled(false);
    layout->addWidget(note);
    return panel;
}

void TArkona1::buildCentralArea() {
    spHlavni_ = new QSplitter(Qt::Horizontal, this);
    spHlavni_->setObjectName(QStringLiteral("spHlavni"));
    spHlavni_->setChildrenCollapsible(false);

    treePane_ = new site::ui::TreePane(structure_, data_, commands_, statusBar_, spHlavni_);
    commands_.addProjectWidget(treePane_->treeWidget());

    pcPage_ = new QTabWidget(spHlavni_);
    pcPage_->setObjectName(QStringLiteral("pcPage"));

    // Sections of the page: their list above the content of the selected one.
    sectionPanel_ = new site::ui::TSectionPanel(data_, context_, commands_, statusBar_);
    auto& sectionEnvironment = sectionPanel_->environment();
    sectionEnvironment.externalEditor = [this] { return externalEditor_; };
    sectionEnvironment.externalByDefault = [this] { return layout_.extEdDefault; };
    data_.hooks.reloadSectionPanel = [this] { sectionPanel_->showCurrent(); };
    connect(sectionPanel_, &site::ui::TSectionPanel::focusAreaEntered, this,
            [this](int area) { setFocusArea(area); });
    connect(sectionPanel_, &site::ui::TSectionPanel::sectionsChanged, this,
            [this] { updateToolbar(); });
    pcPage_->addTab(sectionPanel_, QStringLiteral("Sekce stránky"));
    wireGoodsPanel();

    // The look of the page.
    pageProperties_ = new site::ui::TPageProperties(data_, context_);
    pageProperties_->hooks().status = [this](int panel, const QString& text) {
        statusBar_->setPanel(panel, text);
    };
    data_.hooks.reloadPagePanel = [this] { InitPageFrame(); };
    // The page setter keeps the panels quiet while it works; they follow the tree's choice.
    connect(treePane_, &site::ui::TreePane::pageChosen, this, &TArkona1::InitPageFrame);
    auto& pageHooks = pageProperties_->hooks();
    pageHooks.choosePageOwner = [this]() -> std::optional<std::string> {
        const site::PageNode* shown = structure_.shownNode();
        return site::ui::TfrmStrom::chooseOwner(this, structure_.tree(), shown ? shown->id : "",
                                                statusBar_);
    };
    // A selected link page shows and renames its own title; otherwise the current page's.
    const auto titledNode = [this]() -> std::string {
        const site::PageNode* selected = structure_.selectedNode();
        if (selected && selected->link) {
            return selected->id;
        }
        return data_.qStruktur.isOpen() && !data_.qStruktur.isEmpty()
                   ? data_.qStruktur.text("HTMLID")
                   : std::string();
    };
    pageHooks.shownTitle = [this, titledNode] {
        const site::PageNode* node = structure_.tree().find(titledNode());
        return node ? node->title : std::string();
    };
    pageHooks.renamePage = [this, titledNode](const std::string& title) {
        try {
            structure_.rename(titledNode(), title);
        } catch (const Error& e) {
            Messages::error(e.what());
        }
    };
    auto* tsVlastnosti = new QWidget;
    tsVlastnosti->setObjectName(QStringLiteral("tsVlastnosti"));
    (new QVBoxLayout(tsVlastnosti))->addWidget(pageProperties_);
    pcPage_->addTab(tsVlastnosti, QStringLiteral("Vlastnosti stránky"));

    // The preview window docks here.
    pcPage_->addTab(emptyPanel("pnNahled"), QStringLiteral("Náhled stránky"));
    commands_.addProjectWidget(pcPage_);

    spHlavni_->addWidget(treePane_);
    spHlavni_->addWidget(pcPage_);
    spHlavni_->setStretchFactor(1, 1);
    setCentralWidget(spHlavni_);

    // The panels shown first.
    pcPage_->setCurrentIndex(0);
    spHlavni_->setSizes({layout_.mainTreeSplit, kMaximizedWidth - layout_.mainTreeSplit});
}

void TArkona1::InitPageFrame() {
    pageProperties_->InitPageFrame();
    sectionPanel_->reload();
    updateToolbar();
}

void TArkona1::connectTreePane() {
    const auto find = [this](const char* name) {
        return findChild<QAction*>(QString::fromLatin1(name));
    };
    site::ui::TreePane::Commands c;
    c.newSection = find("mnNovyOddil");
    c.newPage = find("mnNovaStranka");
    c.newProductPage = find("mnNovaProduktovaStranka");
    c.newLink = find("mnOdkazNaStranku");
    c.rename = find("mnPrejmenovat");
    c.remove = find("mnOdstranitStranku");
    c.optimise = find("mnOptimalizace");
    treePane_->setCommands(c);
    connect(treePane_, &site::ui::TreePane::commandsUpdated, this, [this] { updateToolbar(); });
    connect(treePane_, &site::ui::TreePane::pageChosen, this, [this] { setFocusArea(1); });
    treePane_->treeWidget()->installEventFilter(this);

    site::ui::TSectionPanel::Commands sc;
    sc.newText = find("mnSekceTextova");
    sc.newProduct = find("mnSekceProduktova");
    sc.newOrder = find("mnSekceObjednavka");
    sc.newCart = find("mnSekceNakupniKarta");
    sc.newMain = find("mnSekceHlavniStrana");
    sc.edit = find("mnUpravitSekci");
    sc.describe = find("mnPopisSekce");
    sc.remove = find("mnOdstranitSekci");
    sc.sort = find("mnSeraditSekce");
    sc.editSource = find("mnUpravitZdroj");
    sc.editExternal = find("mnUpravitExterne");
    sc.loadFile = find("mnNacistZdroj");
    sc.editGoods = find("mnUpravitProdukty");
    sc.bulkDiscount = find("mnHromadnaSleva");
    sectionPanel_->setCommands(sc);

    // "Nová", "Upravit", "Odstranit" and "Seřadit" act on what the user entered last.
    for (const char* name : {"tbNova", "tbUpravit", "tbOdstranit", "tbSeradit"}) {
        QAction* a = find(name);
        commands_.setReady(a, true);
        a->setToolTip(a->text());
    }
    connect(find("tbNova"), &QAction::triggered, this, [this] { toolbarNew(); });
    connect(find("tbUpravit"), &QAction::triggered, this, [this] {
        if (focusArea_ == 1) {
            treePane_->renameCurrent();
        } else if (focusArea_ == 3) {
            goodsPanel_->editCurrent();
        } else if (focusArea_ == 4) {
            sectionPanel_->editSource();
        } else {
            sectionPanel_->describeCurrent();
        }
    });
    connect(find("tbOdstranit"), &QAction::triggered, this, [this] {
        if (focusArea_ == 1) {
            treePane_->deleteCurrent();
        } else if (focusArea_ == 3) {
            goodsPanel_->deleteMarked();
        } else if (focusArea_ == 4) {
            sectionPanel_->clearContent();
        } else {
            sectionPanel_->removeCurrent();
        }
    });
    connect(find("tbSeradit"), &QAction::triggered, this, [this] {
        if (focusArea_ == 2) {
            sectionPanel_->sortSections();
        }
    });
    auto* sectionsNew = new QAction(this);
    sectionsNew->setObjectName(QStringLiteral("scNovaSekce"));
    sectionsNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addAction(sectionsNew);
    connect(sectionsNew, &QAction::triggered, this, [this] {
        if (context_.projectOpen && pcPage_->currentWidget() == sectionPanel_) {
            popupUnderToolbar(sectionPanel_->newMenu());
        }
    });
    updateToolbar();
}

void TArkona1::setFocusArea(int area) {
    focusArea_ = area;
    updateToolbar();
}

void TArkona1::popupUnderToolbar(QMenu* menu) {
    QWidget* button = tbHlavni_->widgetForAction(findChild<QAction*>(QStringLiteral("tbNova")));
    const QPoint at = button && button->isVisible()
                          ? button->mapToGlobal(button->rect().bottomLeft())
                          : mapToGlobal(QPoint(0, 0));
    menu->popup(at);
}

void TArkona1::toolbarNew() {
    if (focusArea_ == 1) {
        popupUnderToolbar(treePane_->newMenu());
    } else if (focusArea_ == 3) {
        popupUnderToolbar(goodsPanel_->addMenu());
    } else {
        popupUnderToolbar(sectionPanel_->newMenu());
    }
}

// The toolbar part of TestBtn: the four buttons follow the focus area.
void TArkona1::updateToolbar() {
    const auto set = [this](const char* name, bool enabled) {
        QAction* a = findChild<QAction*>(QString::fromLatin1(name));
        a->setEnabled(enabled && commands_.isReady(a) && commands_.projectOpen());
    };
    if (focusArea_ == 1) {
        const site::PageCommandState state = structure_.commandState();
        set("tbNova", true);
        set("tbUpravit", structure_.selectedNode() != nullptr);
        set("tbOdstranit", state.canDelete);
        set("tbSeradit", false);
        return;
    }
    if (focusArea_ == 3) {
        // Goods sort by a click on a column title.
        set("tbNova", goodsPanel_->addMenu()->actions().first()->isEnabled());
        set("tbUpravit", goodsPanel_->canEdit());
        set("tbOdstranit", goodsPanel_->canDelete());
        set("tbSeradit", false);
        return;
    }
    const auto state = sectionPanel_->toolbarState(focusArea_);
    set("tbNova", true);
    set("tbUpravit", state.edit);
    set("tbOdstranit", state.remove);
    set("tbSeradit", state.sort);
}

bool TArkona1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && treePane_ && watched == treePane_->treeWidget()) {
        setFocusArea(1);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TArkona1::leaveProject() {
    if (!context_.projectOpen) {
        return;
    }
    treePane_->renumberIfChanged();
    TfrmTherm progress(this);
    progress.setWindowModality(Qt::WindowModal);
    session_.markClosed(progress, Messages::prompter());
}

bool TArkona1::projectOpen() const {
    return context_.projectOpen;
}

void TArkona1::SetCaption() {
    setWindowTitle(QString::fromStdString(mainWindowCaption(context_.projectName)));
}

void TArkona1::setProjectCommands(bool open) {
    commands_.setProjectOpen(open);
    updateOrderProgramCommand();
    treePane_->updateCommands();
}

void TArkona1::updateOrderProgramCommand() {
    std::error_code ec;
    mnObjednavky_->setEnabled(commands_.projectOpen() && mnKatalog_->isEnabled() &&
                              std::filesystem::is_regular_file(orderProgramFile(), ec));
}

void TArkona1::queueActivation() {
    if (activationQueued_ || (firstActivationDone_ && context_.projectOpen)) {
        return;
    }
    // Not inside the event itself: the activation shows modal windows, and each of them
    // activates this window again when it closes. An activation run in between makes the
    // queued one superfluous.
    activationQueued_ = true;
    const int seen = activations_;
    QTimer::singleShot(0, this, [this, seen] {
        activationQueued_ = false;
        if (activations_ == seen) {
            FormActivate();
        }
    });
}

bool TArkona1::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        queueActivation();
    } else if (e->type() == QEvent::Show && !firstActivationDone_) {
        // Without a window manager the window may never be activated; the first show counts.
        queueActivation();
    }
    return QMainWindow::event(e);
}

void TArkona1::FormActivate() {
    if (activationRunning_ || !isVisible()) {
        return;
    }
    activationRunning_ = true;
    ++activations_;
    if (!firstActivationDone_) {
        firstActivationDone_ = true;
        restoreLayout();
        readExternalEditor();
        if (startProject_) {
            const auto folder = *startProject_;
            startProject_.reset();
            openProjectFolder(folder);
        }
    }
    if (!context_.projectOpen) {
        setProjectCommands(false);
        if (openProjectCommand() == OpenResult::Cancel) {
            activationRunning_ = false;
            close();
            return;
        }
    }
    activationRunning_ = false;
}

TArkona1::OpenResult TArkona1::openProjectCommand() {
    leaveProject();
    const auto folder = chooser_ ? chooser_() : std::filesystem::path();
    if (folder.empty()) {
        if (!context_.projectOpen) {
            statusBar_->setPanel(3, u(kNoProjectText));
        }
        return OpenResult::Cancel;
    }
    return openProjectFolder(folder) ? OpenResult::Ok : OpenResult::No;
}

bool TArkona1::openProjectFolder(const std::filesystem::path& folder) {
    closeCatalogue();
    bool opened = false;
    {
        BusyCursor busy;
        TfrmTherm repair(this);
        repair.setWindowModality(Qt::WindowModal);
        opened = session_.open(folder, Messages::prompter(), treePane_->loadDisplay(), &repair);
    }
    setProjectCommands(context_.projectOpen);
    InitPageFrame();
    if (context_.projectOpen) {
        SetCaption();
        statusBar_->setPanel(3, QString());
        treePane_->projectOpened();
    } else {
        setWindowTitle(u(storage::kApplicationTitle));
        statusBar_->setPanel(3, u(kNoProjectText));
    }
    return opened;
}

void TArkona1::restoreLayout() {
    layout_ = readWindowLayout(settings_);
    if (layout_.maximized) {
        showMaximized();
    } else {
        // The stored position is the outer window's, the size the window's own.
        move(layout_.left.value_or(pos().x()), layout_.top.value_or(pos().y()));
        resize(layout_.width.value_or(width()), layout_.height.value_or(height()));
    }
    const int total = std::max(spHlavni_->width(), layout_.mainTreeSplit + 100);
    spHlavni_->setSizes({layout_.mainTreeSplit, total - layout_.mainTreeSplit});
    mnBarevne_->setChecked(layout_.showColor);
    mnExterniEditor_->setChecked(layout_.extEdDefault);
    mnNahledNavrchu_->setChecked(layout_.previewOnTop);
    mnZobrazitCeny_->setChecked(layout_.produktCeny);
    data_.setGoodsWithPrices(layout_.produktCeny);
    goodsPanel_->setWithPrices(layout_.produktCeny);
}

void TArkona1::saveLayout() {
    layout_.maximized = isMaximized();
    layout_.top = pos().y();
    layout_.left = pos().x();
    layout_.width = width();
    layout_.height = height();
    const QList<int> sizes = spHlavni_->sizes();
    layout_.mainTreeSplit = sizes.isEmpty() ? 0 : sizes.first();
    layout_.produktCeny = data_.goodsWithPrices();
    writeWindowLayout(settings_, layout_);
}

void TArkona1::readExternalEditor() {
    const bool missing = !settings_.exists(UserSettings::kEditor, "ExtEditorHTML");
    externalEditor_.program = settings_.read(UserSettings::kEditor, "ExtEditorHTML");
    externalEditor_.parameter = settings_.read(UserSettings::kEditor, "Parametr");
    if (missing &&
        Messages::questionYesNo("Nastavení prostředí aplikace není kompletní: není určen "
                                "externí HTML editor.\rChcete problém opravit nyní?")) {
        runEnvironmentSettings();
    }
}

// "&Katalog zboží" and its toolbar button open the catalogue window, whose check mark follows it.
void TArkona1::wireCatalogue() {
    for (QAction* a : {mnKatalog_, tbKatalog_}) {
        commands_.setReady(a, true);
        a->setToolTip(QStringLiteral("Katalog zboží"));
        connect(a, &QAction::triggered, this, &TArkona1::openCatalogue);
    }
}

// The goods of a product section under its template: rows through the row editor, goods and
// sets from the catalogue window in placing mode.
void TArkona1::wireGoodsPanel() {
    goodsPanel_ = new catalogue::ui::TGoodsPanel(context_, data_, *statusBar_);
    auto& hooks = goodsPanel_->hooks();
    hooks.addRow = [this](char typ, const catalogue::SectionKey& section) {
        return openRowEditor(section, typ, nullptr);
    };
    hooks.editRow = [this](const catalogue::ProductRef& ref) {
        return openRowEditor({ref.htmlId, ref.sekceId}, 0, &ref);
    };
    hooks.placeFromCatalogue = [this](catalogue::PlacingMode mode,
                                      const catalogue::SectionKey& section) {
        try {
            const auto target = catalogue::placingTarget(context_, section);
            openCatalogue();
            katalog_->startPlacing(mode == catalogue::PlacingMode::Sets
                                       ? catalogue::ui::TfrmKat::Mode::S
                                       : catalogue::ui::TfrmKat::Mode::Z,
                                   target);
        } catch (const Error& e) {
            Messages::error(e.what());
        }
    };
    hooks.pricesSwitched = [this](bool on) {
        data_.setGoodsWithPrices(on);
        mnZobrazitCeny_->setChecked(on);
    };
    commands_.setReady(mnZobrazitCeny_, true);
    connect(mnZobrazitCeny_, &QAction::toggled, this, [this](bool on) {
        data_.setGoodsWithPrices(on);
        if (goodsPanel_->withPrices() != on) {
            goodsPanel_->setWithPrices(on);
        }
    });
    connect(goodsPanel_, &catalogue::ui::TGoodsPanel::focusEntered, this,
            [this] { setFocusArea(3); });
    connect(goodsPanel_->list(), &QTableWidget::itemSelectionChanged, this,
            [this] { updateToolbar(); });
    sectionPanel_->setGoodsPanel(goodsPanel_, [this] { goodsPanel_->reload(); });
}

// The row editor on a new row of the type, or on the listed row `ref`; true when it stored.
bool TArkona1::openRowEditor(const catalogue::SectionKey& section, char typ,
                             const catalogue::ProductRef* ref) {
    const catalogue::ui::ProductDialogContext context{
        context_, data_, structure_.tree(), section.htmlId, section.sekceId, katalog_, statusBar_};
    const auto result =
        ref ? catalogue::ui::TfrmProd::editRow(this, context, ref->recno, ref->kod, ref->poradi)
            : catalogue::ui::TfrmProd::addRow(this, context, typ);
    return result.stored;
}

void TArkona1::openCatalogue() {
    if (!katalog_) {
        katalog_ = new catalogue::ui::TfrmKat(context_, data_, settings_, this);
        connect(katalog_, &catalogue::ui::TfrmKat::shownChanged, mnKatalog_, &QAction::setChecked);
        // Placed goods, and whatever was edited in the catalogue, show in the section's list.
        connect(katalog_, &catalogue::ui::TfrmKat::goodsPlaced, goodsPanel_,
                &catalogue::ui::TGoodsPanel::reload);
        connect(katalog_, &catalogue::ui::TfrmKat::shownChanged, this, [this](bool shown) {
            if (!shown) {
                goodsPanel_->reload();
            }
        });
        // A set placed from the catalogue opens in the row editor for its breakdown.
        connect(katalog_, &catalogue::ui::TfrmKat::firstSetPlaced, this,
                [this](const catalogue::ProductRef& ref) {
                    if (openRowEditor({ref.htmlId, ref.sekceId}, 0, &ref)) {
                        goodsPanel_->reload();
                    }
                });
    }
    mnKatalog_->setChecked(katalog_->isVisible());
    katalog_->openCatalogue();
}

void TArkona1::closeCatalogue() {
    if (katalog_ && katalog_->isVisible()) {
        katalog_->close();
    }
}

void TArkona1::runEnvironmentSettings() {
    TConfig1 dialog(settings_, this);
    if (dialog.exec() == QDialog::Accepted) {
        externalEditor_ = dialog.externalEditor();
    }
    setProjectCommands(context_.projectOpen);
}

void TArkona1::runDataCheck() {
    TfrmTherm progress(this);
    progress.setWindowModality(Qt::WindowModal);
    try {
        BusyCursor busy;
        data_.CheckData(&progress);
    } catch (const Error& e) {
        progress.finish();
        Messages::error(e.what());
    }
}

void TArkona1::runGenerator() {
    generator::ui::TfrmGen dialog(context_, data_, structure_, this);
    dialog.exec();
}

void TArkona1::startOrderProgram() {
    const auto program = orderProgramFile();
    const QStringList arguments = {windowTitle(),
                                   QString::fromStdString(context_.projectFolder.string())};
    if (!QProcess::startDetached(QString::fromStdString(program.string()), arguments,
                                 QString::fromStdString(UserSettings::programFolder().string()))) {
        Messages::error("Aplikaci \"" + program.string() + " \" se nepodařilo spustit!");
    }
}

void TArkona1::showAbout() {
    Messages::information(aboutText().toStdString());
}

void TArkona1::closeEvent(QCloseEvent* e) {
    if (!Messages::questionOkCancel("Opravdu chcete ukončit práci?")) {
        e->ignore();
        return;
    }
    closeCatalogue();
    leaveProject();
    try {
        saveLayout();
    } catch (const Error& err) {
        Messages::error(err.what());
    }
    e->accept();
}

} // namespace arkona::app
