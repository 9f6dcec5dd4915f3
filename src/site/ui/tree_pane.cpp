#include "site/ui/tree_pane.h"

#include "app/busy_cursor.h"
#include "app/command_set.h"
#include "app/main_status_bar.h"
#include "app/message_box.h"
#include "app/progress_window.h"
#include "base/error.h"
#include "site/ui/new_link_dialog.h"
#include "site/ui/new_page_dialog.h"
#include "site/ui/page_tree_widget.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace arkona::site::ui {

namespace {

using app::Messages;

constexpr int kKeyboardPause = 500; // ms without arrow keys before the page loads

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The bar under the tree as a Progress for the loading.
class TreeBar : public Progress {
public:
    explicit TreeBar(QProgressBar* bar) : bar_(bar) {}
    void start(const ProgressSetup& s) override {
        bar_->setRange(0, std::max(1, s.maximum1));
        bar_->setValue(0);
        bar_->show();
    }
    void setMessage(const std::string&) override {}
    void setMaximum(int, int maximum) override { bar_->setMaximum(std::max(1, maximum)); }
    void setPosition(int, int position) override { bar_->setValue(position); }
    void step(int) override { bar_->setValue(bar_->value() + 1); }
    bool cancelRequested() override { return false; }
    void resetCancel() override {}
    void finish() override { bar_->hide(); }

private:
    QProgressBar* bar_;
};

} // namespace

TreePane::TreePane(SiteStructure& structure, storage::TData2& data, app::CommandSet& commandSet,
                   app::MainStatusBar* status, QWidget* parent)
    : QWidget(parent), structure_(structure), data_(data), commandSet_(commandSet),
      status_(status) {
    setObjectName(QStringLiteral("pnStrom"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 0, 2);
    lblStrom_ = new QLabel(QStringLiteral("Struktura stránek projektu"), this);
    lblStrom_->setObjectName(QStringLiteral("lblStrom"));
    tvTree_ = new PageTreeWidget(structure_, this);
    prbStrom_ = new QProgressBar(this);
    prbStrom_->setObjectName(QStringLiteral("prbStrom"));
    prbStrom_->setTextVisible(false);
    prbStrom_->setMaximumHeight(fontMetrics().height());
    prbStrom_->hide();
    bar_ = std::make_unique<TreeBar>(prbStrom_);
    layout->addWidget(lblStrom_);
    layout->addWidget(tvTree_, 1);
    layout->addWidget(prbStrom_);

    keyTimer_ = new QTimer(this);
    keyTimer_->setObjectName(QStringLiteral("tmKlavesnice"));
    keyTimer_->setSingleShot(true);
    keyTimer_->setInterval(kKeyboardPause);
    connect(keyTimer_, &QTimer::timeout, this, [this] { choose(tvTree_->currentPageId(), true); });

    pmNova_ = new QMenu(this);
    pmNova_->setObjectName(QStringLiteral("pmNova"));
    pmTree_ = new QMenu(this);
    pmTree_->setObjectName(QStringLiteral("pmTree"));
    puPridat_ = pmTree_->addMenu(QStringLiteral("Přidat"));
    puPridat_->setObjectName(QStringLiteral("puPridat"));
    puPridat_->menuAction()->setObjectName(QStringLiteral("puPridat"));

    // The toolbar's drop-down and the popup's "Přidat" offer the same four kinds.
    struct Entry {
        const char* name;
        const char* caption;
        std::function<void()> run;
        bool underSelection;
    };
    const Entry nova[] = {
        {"puNovyOddil", "Oddíl", [this] { newPage(NewPageKind::Section); }, false},
        {"puNovaStranka", "Stránka", [this] { newPage(NewPageKind::SubPage); }, true},
        {"puNovaProduktova", "Stránka s produktovou sekcí",
         [this] { newPage(NewPageKind::ProductSubPage); }, true},
        {"puNovyOdkaz", "Odkaz na stránku", [this] { newLink(); }, true},
    };
    const Entry pridat[] = {
        {"puPridatOddil", "Oddíl", [this] { newPage(NewPageKind::Section); }, false},
        {"puPridatStranku", "Stránku", [this] { newPage(NewPageKind::SubPage); }, true},
        {"puPridatProduktovou", "Stránku s produktovou sekcí",
         [this] { newPage(NewPageKind::ProductSubPage); }, true},
        {"puPridatOdkaz", "Odkaz na stránku", [this] { newLink(); }, true},
    };
    for (const auto* list : {&nova, &pridat}) {
        for (const Entry& e : *list) {
            QAction* a = addEntry(list == &nova ? pmNova_ : puPridat_, e.name, e.caption);
            connect(a, &QAction::triggered, this, e.run);
            if (e.underSelection) {
                addUnder_.push_back(a);
            }
        }
    }
    QAction* prejmenovat = addEntry(pmTree_, "puPrejmenovat", "Přejmenovat");
    connect(prejmenovat, &QAction::triggered, this, &TreePane::renameCurrent);
    QAction* odstranit = addEntry(pmTree_, "puOdstranit", "Odstranit");
    connect(odstranit, &QAction::triggered, this, &TreePane::deleteCurrent);
    deleteCommands_.push_back(odstranit);
    QAction* separator = pmTree_->addSeparator();
    normalEntries_ = {puPridat_->menuAction(), prejmenovat, odstranit, separator};
    puVlozitPred_ = addEntry(pmTree_, "puVlozitPred", "Vložit před vybranou");
    puVlozitZa_ = addEntry(pmTree_, "puVlozitZa", "Vložit za  vybranou");
    puVlozitPod_ = addEntry(pmTree_, "puVlozitPod", "Vložit pod  vybranou");
    for (QAction* a : {puVlozitPred_, puVlozitZa_, puVlozitPod_}) {
        a->setVisible(false);
    }

    tvTree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tvTree_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmTree_->popup(tvTree_->viewport()->mapToGlobal(at)); });
    connect(tvTree_, &PageTreeWidget::pageChosen, this,
            [this](const QString& id, bool onItem) { choose(id.toStdString(), onItem); });
    connect(tvTree_, &PageTreeWidget::keyboardMoved, keyTimer_, qOverload<>(&QTimer::start));
    connect(tvTree_, &PageTreeWidget::deleteKeyPressed, this, &TreePane::deleteCurrent);
    connect(tvTree_, &PageTreeWidget::insertKeyPressed, this, &TreePane::showNewMenu);
    connect(tvTree_, &PageTreeWidget::titleEdited, this, &TreePane::renamed);
    // After the drag has ended: the popup never opens inside the drag.
    connect(tvTree_, &PageTreeWidget::pageDropped, this, &TreePane::moveOnDrop,
            Qt::QueuedConnection);
}

QAction* TreePane::addEntry(QMenu* menu, const char* name, const char* caption) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    popupOnly_.push_back(a);
    return a;
}

void TreePane::setCommands(const Commands& commands) {
    commands_ = commands;
    const std::pair<QAction*, std::function<void()>> wiring[] = {
        {commands.newSection, [this] { newPage(NewPageKind::Section); }},
        {commands.newPage, [this] { newPage(NewPageKind::SubPage); }},
        {commands.newProductPage, [this] { newPage(NewPageKind::ProductSubPage); }},
        {commands.newLink, [this] { newLink(); }},
        {commands.rename, [this] { renameCurrent(); }},
        {commands.remove, [this] { deleteCurrent(); }},
        {commands.optimise, [this] { optimiseFromMenu(); }},
        {commands.toolbarNew, [this] { showNewMenu(); }},
        {commands.toolbarEdit, [this] { renameCurrent(); }},
        {commands.toolbarDelete, [this] { deleteCurrent(); }},
    };
    for (const auto& [action, run] : wiring) {
        if (!action) {
            continue;
        }
        connect(action, &QAction::triggered, this, run);
        commandSet_.setReady(action, true);
        action->setToolTip(action->text().remove(QLatin1Char('&')));
    }
    for (QAction* a : {commands.newPage, commands.newProductPage, commands.newLink}) {
        if (a) {
            addUnder_.push_back(a);
        }
    }
    for (QAction* a : {commands.remove, commands.toolbarDelete}) {
        if (a) {
            deleteCommands_.push_back(a);
        }
    }
    updateCommands();
}

LoadDisplay TreePane::loadDisplay() {
    return {status_, bar_.get()};
}

// ---------------------------------------------------------------- selection and commands

void TreePane::choose(const std::string& id, bool force) {
    if (id.empty()) {
        updateCommands();
        return;
    }
    keyTimer_->stop();
    if (status_) {
        if (const PageNode* node = structure_.tree().find(id)) {
            status_->setPanel(3, q("Načítám sekce stránky " + node->title + " ..."));
        }
    }
    try {
        structure_.select(id, force, Messages::prompter());
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    tvTree_->refreshPictures();
    updateCommands();
    emit pageChosen();
}

void TreePane::setReadyEnabled(QAction* action, bool enabled) {
    const bool ready = popupOnly_.contains(action) || commandSet_.isReady(action);
    action->setEnabled(enabled && ready && commandSet_.projectOpen());
}

void TreePane::updateCommands() {
    const PageCommandState state = structure_.commandState();
    for (QAction* a : deleteCommands_) {
        setReadyEnabled(a, state.canDelete);
    }
    for (QAction* a : addUnder_) {
        setReadyEnabled(a, state.canAddUnder);
    }
    for (QAction* a : {commands_.rename, commands_.toolbarEdit}) {
        if (a) {
            setReadyEnabled(a, structure_.selectedNode() != nullptr);
        }
    }
    if (status_ && commandSet_.projectOpen()) {
        status_->setPanel(3, q(state.status));
        status_->setPanel(1, q(structure_.pageCountText()));
    }
    emit commandsUpdated();
}

void TreePane::projectOpened() {
    if (status_ && !structure_.lastLoad().cycles.empty()) {
        status_->showMessage(q(cycleRepairedText(structure_.lastLoad().cycles)), 20000);
    }
    const auto& walk = structure_.tree().preorder();
    if (walk.empty()) {
        updateCommands();
        return;
    }
    tvTree_->showCurrent(walk.front()->id);
    choose(walk.front()->id, true);
}

void TreePane::projectClosed() {
    keyTimer_->stop();
    updateCommands();
}

void TreePane::changeTree(const std::function<void()>& work) {
    const std::string before = structure_.selectedId();
    keyTimer_->stop();
    tvTree_->setQuiet(true);
    try {
        app::BusyCursor busy;
        work();
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    tvTree_->setQuiet(false);
    // A new page is selected by its operation; otherwise the tree's current item is.
    const std::string after = structure_.selectedId();
    std::string next = !after.empty() && after != before ? after : tvTree_->currentPageId();
    if (next.empty() && !structure_.tree().empty()) {
        next = structure_.tree().preorder().front()->id;
    }
    tvTree_->showCurrent(next);
    choose(next, true);
}

void TreePane::renumberIfChanged(OptimiseKind kind) {
    if (!structure_.changed()) {
        return;
    }
    app::TfrmTherm progress(window());
    progress.setWindowModality(Qt::WindowModal);
    changeTree([&] { structure_.optimise(kind, progress); });
}

// ---------------------------------------------------------------- page commands

void TreePane::newPage(NewPageKind kind) {
    if (kind != NewPageKind::Section && !structure_.commandState().canAddUnder) {
        return;
    }
    NewPageDraft draft;
    try {
        draft = structure_.prepareNewPage(kind);
    } catch (const Error& e) {
        Messages::error(e.what());
        return;
    }
    bool created = false;
    {
        // The page panels wait until the dialog is closed.
        storage::TData2::PagePanelRefreshOff refreshOff(data_);
        TfrmNovaStranka dialog(
            kind, draft.number,
            [&](const std::string& title, const std::string& fileName) {
                tvTree_->setQuiet(true);
                bool done = false;
                try {
                    app::BusyCursor busy;
                    structure_.createPage(draft, title, fileName, Messages::prompter());
                    done = true;
                } catch (const Error& e) {
                    Messages::warning(e.what());
                }
                tvTree_->setQuiet(false);
                return done;
            },
            window());
        created = dialog.exec() == QDialog::Accepted;
    }
    if (created) {
        tvTree_->showCurrent(structure_.selectedId());
        choose(structure_.selectedId(), true);
    }
}

void TreePane::newLink() {
    if (!structure_.commandState().canAddUnder) {
        return;
    }
    TfrmNovyOdkaz dialog(structure_.tree(), structure_.selectedId(), window());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    changeTree([&] {
        structure_.createLink(dialog.targetId(), dialog.linkTitle(), Messages::prompter());
    });
}

void TreePane::renameCurrent() {
    tvTree_->editCurrentTitle();
}

void TreePane::renamed(const QString& id, const QString& title) {
    try {
        structure_.rename(id.toStdString(), title.toStdString());
    } catch (const Error& e) {
        Messages::error(e.what());
        if (const PageNode* node = structure_.tree().find(id.toStdString())) {
            // The item shows the stored title again.
            tvTree_->nodeChanged(*node);
        }
    }
    tvTree_->refreshPictures();
    updateCommands();
}

void TreePane::deleteCurrent() {
    if (!structure_.commandState().canDelete) {
        return;
    }
    changeTree([&] { structure_.deleteSelected(Messages::prompter()); });
}

void TreePane::optimiseFromMenu() {
    app::TfrmTherm progress(window());
    progress.setWindowModality(Qt::WindowModal);
    changeTree([&] { structure_.optimise(OptimiseKind::FromMenu, progress); });
}

void TreePane::showNewMenu() {
    QPoint at;
    if (commands_.toolbarNew && sender() == commands_.toolbarNew) {
        for (QObject* o : commands_.toolbarNew->associatedObjects()) {
            if (auto* button = qobject_cast<QToolButton*>(o); button && button->isVisible()) {
                at = button->mapToGlobal(button->rect().bottomLeft());
            }
        }
    }
    if (at.isNull()) {
        const QRect item = tvTree_->visualItemRect(tvTree_->currentItem());
        at = tvTree_->viewport()->mapToGlobal(item.isValid() ? item.bottomLeft() : QPoint());
    }
    pmNova_->popup(at);
}

void TreePane::moveOnDrop(const QString& dragged, const QString& target, const QPoint& at) {
    const auto kinds = structure_.dropKinds(dragged.toStdString(), target.toStdString());
    if (kinds.empty()) {
        Messages::warning(
            "Stránku nelze přesunout na ni samotnou ani do žádné z jejích podstránek.");
        choose(tvTree_->currentPageId(), false);
        return;
    }
    const auto offered = [&](MoveKind k) {
        return std::find(kinds.begin(), kinds.end(), k) != kinds.end();
    };
    for (QAction* a : normalEntries_) {
        a->setVisible(false);
    }
    puVlozitPred_->setVisible(offered(MoveKind::Before));
    puVlozitZa_->setVisible(offered(MoveKind::After));
    puVlozitPod_->setVisible(offered(MoveKind::Under));
    QAction* chosen = pmTree_->exec(at);
    for (QAction* a : {puVlozitPred_, puVlozitZa_, puVlozitPod_}) {
        a->setVisible(false);
    }
    for (QAction* a : normalEntries_) {
        a->setVisible(true);
    }
    if (!chosen || (chosen != puVlozitPred_ && chosen != puVlozitZa_ && chosen != puVlozitPod_)) {
        choose(tvTree_->currentPageId(), false);
        return;
    }
    const MoveKind kind = chosen == puVlozitPred_ ? MoveKind::Before
                          : chosen == puVlozitZa_ ? MoveKind::After
                                                  : MoveKind::Under;
    changeTree([&] { structure_.move(dragged.toStdString(), target.toStdString(), kind); });
}

} // namespace arkona::site::ui
