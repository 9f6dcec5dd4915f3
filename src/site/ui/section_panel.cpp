#include "site/ui/section_panel.h"

#include "app/command_set.h"
#include "app/main_status_bar.h"
#include "app/message_box.h"
#include "base/codepage.h"
#include "base/error.h"
#include "base/paths.h"
#include "site/section_editing.h"
#include "site/section_types.h"
#include "site/ui/input_dialog.h"
#include "site/ui/page_source_dialog.h"
#include "site/ui/sort_dialog.h"
#include "templates/ui/shop_settings_dialog.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <fstream>
#include <sstream>

namespace arkona::site::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// "Soubory šablon ... (*.qsp)|*.qsp" as a Qt file dialog filter.
QString qtFilter(const std::string& filter) {
    const size_t bar = filter.find('|');
    return q(bar == std::string::npos ? filter : filter.substr(0, bar));
}

// An editor that returns sooner than this did not let the user work.
constexpr int kQuickReturnMs = 3000;

constexpr const char* kNotYet = "Zatím není k dispozici.";

} // namespace

TSectionPanel::TSectionPanel(storage::TData2& data, storage::ProjectContext& context,
                             app::CommandSet& commandSet, app::MainStatusBar* status,
                             QWidget* parent)
    : QWidget(parent), data_(data), context_(context), commandSet_(commandSet), status_(status),
      sections_(data, context) {
    setObjectName(QStringLiteral("tsSekce"));
    auto* layout = new QVBoxLayout(this);
    auto* spSekce = new QSplitter(Qt::Vertical, this);
    spSekce->setObjectName(QStringLiteral("spSekce"));
    layout->addWidget(spSekce);
    buildList();
    spSekce->addWidget(grdSekce_);
    buildContent();
    spSekce->addWidget(pcSekceObsah_);
    spSekce->setStretchFactor(1, 1);
    spSekce->setSizes({150, 350});
}

void TSectionPanel::buildList() {
    grdSekce_ = new QTableWidget(0, 2, this);
    grdSekce_->setObjectName(QStringLiteral("grdSekce"));
    grdSekce_->setToolTip(QStringLiteral("Seznam sekcí označené stránky"));
    grdSekce_->setHorizontalHeaderLabels(
        {QStringLiteral("Typ sekce"), QStringLiteral("Popis sekce")});
    grdSekce_->horizontalHeader()->setStretchLastSection(true);
    grdSekce_->verticalHeader()->hide();
    grdSekce_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdSekce_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdSekce_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdSekce_->setColumnWidth(0, 130);
    grdSekce_->installEventFilter(this);
    connect(grdSekce_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { rowClicked(row); });
    connect(grdSekce_, &QTableWidget::cellDoubleClicked, this, [this] { describeCurrent(); });

    // The toolbar's drop-down and the popup offer the same five kinds.
    pmNova_ = new QMenu(this);
    pmNova_->setObjectName(QStringLiteral("pmNovaSekce"));
    pmSekce_ = new QMenu(this);
    pmSekce_->setObjectName(QStringLiteral("pmSekce"));
    struct Kind {
        char kind;
        const char* toolbar;
        const char* popup;
    };
    const Kind kinds[] = {{'t', "Nová &textová sekce", "Přidat &textovou sekci"},
                          {'p', "Nová &produktová sekce", "Přídat &produktovou sekci"},
                          {'o', "Nová &objednávková sekce", "Přidat &objednávku"},
                          {'k', "Nová sekce &nákupní karty", "Přidat &nákupní kartu"},
                          {'h', "Nová sekce &hlavní strany", "Přidat &hlavní stranu"}};
    for (const Kind& k : kinds) {
        const char kind = k.kind;
        pmNova_->addAction(q(k.toolbar), this, [this, kind] { newSection(kind); });
        pmSekce_->addAction(q(k.popup), this, [this, kind] { newSection(kind); });
    }
    pmSekce_->addSeparator();
    puUpravit_ =
        pmSekce_->addAction(QStringLiteral("&Upravit"), this, [this] { describeCurrent(); });
    puOdstranit_ =
        pmSekce_->addAction(QStringLiteral("O&dstranit"), this, [this] { removeCurrent(); });
    puSeradit_ = pmSekce_->addAction(QStringLiteral("S&eřadit"), this, [this] { sortSections(); });
    grdSekce_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grdSekce_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        updateCommands();
        pmSekce_->popup(grdSekce_->viewport()->mapToGlobal(at));
    });
}

void TSectionPanel::buildContent() {
    pcSekceObsah_ = new QTabWidget(this);
    pcSekceObsah_->setObjectName(QStringLiteral("pcSekceObsah"));
    stObsah_ = new QStackedWidget;
    stObsah_->setObjectName(QStringLiteral("tsZdroj"));

    // A text section: its HTML, read only, with its edit button.
    pnText_ = new QWidget;
    pnText_->setObjectName(QStringLiteral("pnText"));
    auto* textLayout = new QVBoxLayout(pnText_);
    textLayout->setContentsMargins(0, 0, 0, 0);
    auto* textBar = new QHBoxLayout;
    sbUpravitHTML_ = new QPushButton(QStringLiteral("Upravit HTML"), pnText_);
    sbUpravitHTML_->setObjectName(QStringLiteral("sbUpravitHTML"));
    sbUpravitHTML_->setToolTip(QStringLiteral("Upravit HTML označené textové sekce"));
    connect(sbUpravitHTML_, &QPushButton::clicked, this, [this] { editHtml(); });
    textBar->addWidget(sbUpravitHTML_);
    textBar->addStretch(1);
    textLayout->addLayout(textBar);
    txtHTML_ = new QPlainTextEdit(pnText_);
    txtHTML_->setObjectName(QStringLiteral("txtHTML"));
    txtHTML_->setReadOnly(true);
    txtHTML_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtHTML_->installEventFilter(this);
    textLayout->addWidget(txtHTML_, 1);

    // Any other section: its template.
    pnSablona_ = new QWidget;
    pnSablona_->setObjectName(QStringLiteral("pnSablona"));
    auto* templateLayout = new QVBoxLayout(pnSablona_);
    templateLayout->setContentsMargins(0, 0, 0, 0);
    auto* templateBar = new QHBoxLayout;
    auto* lblSablona = new QLabel(QStringLiteral("Šablona sekce:"), pnSablona_);
    txtSablona_ = new QLineEdit(pnSablona_);
    txtSablona_->setObjectName(QStringLiteral("txtSablona"));
    txtSablona_->setReadOnly(true);
    txtSablona_->installEventFilter(this);
    sbVybratSablonu_ = new QPushButton(QStringLiteral("Vybrat šablonu"), pnSablona_);
    sbVybratSablonu_->setObjectName(QStringLiteral("sbVybratSablonu"));
    sbUpravitSablonu_ = new QPushButton(QStringLiteral("Upravit šablonu"), pnSablona_);
    sbUpravitSablonu_->setObjectName(QStringLiteral("sbUpravitSablonu"));
    connect(sbVybratSablonu_, &QPushButton::clicked, this, [this] { chooseTemplate(); });
    connect(sbUpravitSablonu_, &QPushButton::clicked, this, [this] { editTemplate(); });
    templateBar->addWidget(lblSablona);
    templateBar->addWidget(txtSablona_, 1);
    templateBar->addWidget(sbVybratSablonu_);
    templateBar->addWidget(sbUpravitSablonu_);
    templateLayout->addLayout(templateBar);
    // The goods of a product section are listed here by the goods panel.
    templateLayout_ = templateLayout;

    pnPrazdny_ = new QWidget;
    pnPrazdny_->setObjectName(QStringLiteral("pnPrazdny"));
    stObsah_->addWidget(pnPrazdny_);
    stObsah_->addWidget(pnText_);
    stObsah_->addWidget(pnSablona_);
    pcSekceObsah_->addTab(stObsah_, QStringLiteral("zdroj"));

    // The graphic preview of a text section comes with the page preview.
    auto* tsGrafika = new QLabel(q(kNotYet));
    tsGrafika->setObjectName(QStringLiteral("tsGrafika"));
    tsGrafika->setAlignment(Qt::AlignCenter);
    tsGrafika->setEnabled(false);
    pcSekceObsah_->addTab(tsGrafika, QStringLiteral("grafika"));
}

void TSectionPanel::setCommands(const Commands& commands) {
    commands_ = commands;
    const std::pair<QAction*, std::function<void()>> wiring[] = {
        {commands.newText, [this] { newSection(kTextSection); }},
        {commands.newProduct, [this] { newSection(kProductSection); }},
        {commands.newOrder, [this] { newSection(kOrderSection); }},
        {commands.newCart, [this] { newSection(kCartSection); }},
        {commands.newMain, [this] { newSection(kMainSection); }},
        {commands.edit, [this] { describeCurrent(); }},
        {commands.describe, [this] { describeCurrent(); }},
        {commands.remove, [this] { removeCurrent(); }},
        {commands.sort, [this] { sortSections(); }},
        {commands.editSource, [this] { editSource(); }},
        {commands.editExternal, [this] { editExternally(); }},
        {commands.loadFile, [this] { loadFromFile(); }},
    };
    for (const auto& [action, work] : wiring) {
        if (!action) {
            continue;
        }
        connect(action, &QAction::triggered, this, work);
        commandSet_.setReady(action, true);
    }
    updateCommands();
}

// ---------------------------------------------------------------- showing

bool TSectionPanel::hasPage() const {
    return !sections_.page().empty();
}

char TSectionPanel::currentType() const {
    if (!data_.qHtml.isOpen() || data_.qHtml.isEmpty()) {
        return '\0';
    }
    const std::string typ = data_.qHtml.text("TYP");
    return typ.size() == 1 ? typ[0] : '\0';
}

void TSectionPanel::fillList() {
    filling_ = true;
    grdSekce_->setRowCount(0);
    if (data_.qHtml.isOpen()) {
        const auto& rows = data_.qHtml.rows();
        grdSekce_->setRowCount(static_cast<int>(rows.size()));
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            const auto& r = rows[static_cast<size_t>(i)];
            grdSekce_->setItem(i, 0, new QTableWidgetItem(q(sectionTypeName(r.text("TYP")))));
            grdSekce_->setItem(i, 1, new QTableWidgetItem(q(r.text("POPIS"))));
        }
        if (data_.qHtml.position() >= 0) {
            grdSekce_->setCurrentCell(data_.qHtml.position(), 0);
        }
    }
    filling_ = false;
}

void TSectionPanel::reload() {
    fillList();
    showCurrent();
    showCount();
}

void TSectionPanel::showCount() {
    if (status_ && hasPage()) {
        status_->setPanel(2, QStringLiteral("Počet sekcí: %1").arg(sections_.count()));
    }
}

void TSectionPanel::setGoodsPanel(QWidget* panel, std::function<void()> reload) {
    goodsPanel_ = panel;
    reloadGoods_ = std::move(reload);
    templateLayout_->addWidget(panel, 1);
    showCurrent();
}

void TSectionPanel::showCurrent() {
    const char type = currentType();
    if (goodsPanel_) {
        goodsPanel_->setVisible(type == kProductSection);
        if (type == kProductSection && reloadGoods_) {
            reloadGoods_();
        }
    }
    if (type == kTextSection) {
        txtHTML_->setPlainText(q(data_.qHtml.memo("HTML")));
        stObsah_->setCurrentWidget(pnText_);
    } else if (type != '\0') {
        const std::string sabid = data_.qHtml.text("SABID");
        txtSablona_->setText(q(sabid));
        txtSablona_->setPlaceholderText(q(defaultTemplateOf(std::string(1, type))));
        stObsah_->setCurrentWidget(pnSablona_);
        // Only the shop settings dialog is here yet; the template editor comes later.
        sbUpravitSablonu_->setEnabled(type == kMainSection);
        sbUpravitSablonu_->setToolTip(type == kMainSection ? QString() : q(kNotYet));
    } else {
        stObsah_->setCurrentWidget(pnPrazdny_);
    }
    if (!filling_ && data_.qHtml.isOpen() && grdSekce_->currentRow() != data_.qHtml.position() &&
        data_.qHtml.position() >= 0 && data_.qHtml.position() < grdSekce_->rowCount()) {
        filling_ = true;
        grdSekce_->setCurrentCell(data_.qHtml.position(), 0);
        filling_ = false;
    }
    updateCommands();
}

void TSectionPanel::rowClicked(int row) {
    if (filling_ || row < 0 || !data_.qHtml.isOpen() || row == data_.qHtml.position()) {
        return;
    }
    run([&] { data_.qHtml.moveTo(row); });
    showCurrent(); // also when the module's section-panel hook is not connected
}

// ---------------------------------------------------------------- commands

void TSectionPanel::run(const std::function<void()>& work) {
    try {
        work();
    } catch (const Error& e) {
        app::Messages::error(e.what());
    }
}

void TSectionPanel::newSection(char kind) {
    if (!hasPage()) {
        return;
    }
    const SectionPrompt prompt = newSectionPrompt(kind);
    const auto description = TfrmInput::ask(this, q(prompt.title), q(prompt.label));
    if (!description) {
        return;
    }
    run([&] { sections_.add(kind, *description); });
    reload();
    grdSekce_->setFocus();
    emit sectionsChanged();
}

void TSectionPanel::describeCurrent() {
    if (sections_.count() == 0) {
        return;
    }
    const auto description =
        TfrmInput::ask(this, QStringLiteral("Úprava popisu sekce"), QStringLiteral("Popis sekce"),
                       q(data_.qHtml.text("POPIS")));
    if (!description) {
        return;
    }
    run([&] { sections_.describe(*description); });
    fillList();
}

void TSectionPanel::removeCurrent() {
    if (sections_.count() == 0) {
        return;
    }
    if (!app::Messages::confirmTwice("Vymazat sekci ze stránky?",
                                     "Pokud opravdu chcete vymazat sekci ze stránky, potvrďte "
                                     "tlačítko OK!\r\rToto je nevratná operace!")) {
        return;
    }
    run([&] { sections_.removeCurrent(); });
    reload();
    emit sectionsChanged();
}

void TSectionPanel::sortSections() {
    if (sections_.count() < 2) {
        return;
    }
    std::vector<TfrmSort::Row> rows;
    for (const auto& r : data_.qHtml.rows()) {
        rows.push_back({{q(sectionTypeName(r.text("TYP"))), q(r.text("POPIS"))},
                        static_cast<int>(r.integerOr("SEKCEID"))});
    }
    TfrmSort dialog(QStringLiteral("Seřazení sekcí stránky"), QStringLiteral("Seznam sekcí"),
                    {QStringLiteral("Typ sekce"), QStringLiteral("Popis sekce")}, rows, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    run([&] { sections_.reorder(dialog.keys()); });
    reload();
    emit sectionsChanged();
}

void TSectionPanel::editHtml() {
    const bool external = environment_.externalByDefault && environment_.externalByDefault() &&
                          environment_.externalEditor && environment_.externalEditor().isSet();
    if (external) {
        editExternally();
    } else {
        editSource();
    }
}

void TSectionPanel::editSource() {
    if (currentType() != kTextSection) {
        return;
    }
    const std::string title = "Zdroj TEXTOVÉ SEKCE";
    const std::string html = data_.qHtml.memo("HTML");
    const auto edited = environment_.editSource ? environment_.editSource(title, html)
                                                : editSourcePlain(this, title, html);
    if (!edited || *edited == html) {
        return;
    }
    run([&] { sections_.setHtml(*edited); });
    showCurrent();
}

void TSectionPanel::editExternally() {
    if (currentType() != kTextSection || !environment_.externalEditor) {
        return;
    }
    const app::ExternalEditor editor = environment_.externalEditor();
    if (!editor.isSet()) {
        return;
    }
    ExternalSectionEdit edit(data_, context_);
    try {
        edit.prepare();
    } catch (const Error& e) {
        app::Messages::warning(e.what());
        return;
    }
    QStringList arguments = QProcess::splitCommand(q(editor.parameter));
    arguments << QString::fromStdString(edit.file().string());
    const std::string commandLine =
        "\"" + editor.program + "\" " + editor.parameter + " " + edit.file().string();
    QProcess process;
    process.start(q(editor.program), arguments);
    if (!process.waitForStarted(10000)) {
        std::error_code ec;
        std::filesystem::remove(edit.file(), ec);
        app::Messages::warning(commandLine + " nelze spustit!");
        return;
    }
    // The window keeps painting while the editor runs, but takes no input.
    QElapsedTimer clock;
    clock.start();
    if (process.state() != QProcess::NotRunning) {
        QEventLoop wait;
        connect(&process, &QProcess::finished, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const bool atOnce = clock.elapsed() < kQuickReturnMs;
    run([&] { edit.finish(app::Messages::prompter(), atOnce); });
    showCurrent();
}

void TSectionPanel::loadFromFile() {
    if (currentType() != kTextSection) {
        return;
    }
    const QString file = QFileDialog::getOpenFileName(
        this, QString(), QString(), QStringLiteral("Internetové stránky (*.html, *.htm)"));
    if (file.isEmpty()) {
        return;
    }
    std::ifstream in(std::filesystem::path(file.toStdString()), std::ios::binary);
    if (!in) {
        app::Messages::warning("Soubor „" + file.toStdString() + "“ nelze číst.");
        return;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    run([&] { sections_.setHtml(bodyOfHtmlPage(text::textFileToUtf8(bytes.str()))); });
    showCurrent();
}

void TSectionPanel::clearContent() {
    if (currentType() != kTextSection) {
        return;
    }
    if (!app::Messages::confirmTwice("Opravdu chcete vymazat obsah sekce?",
                                     "Pokud opravdu chcete vymazat obsah sekce, potvrďte tlačítko "
                                     "OK!\r\rToto je nevratná operace!")) {
        return;
    }
    run([&] { sections_.setHtml(""); });
    showCurrent();
}

void TSectionPanel::chooseTemplate() {
    const char type = currentType();
    if (type == '\0' || type == kTextSection) {
        return;
    }
    const std::string typ(1, type);
    const auto folder = paths::resolve(context_.projectFolder, "\\_sablony");
    QFileDialog dialog(this, QStringLiteral("Výběr šablony"), q(folder.string()),
                       qtFilter(templateFilterOf(typ)));
    dialog.setObjectName(QStringLiteral("dlgSablona"));
    dialog.setDefaultSuffix(q(templateExtensionOf(typ).substr(1)));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const std::filesystem::path chosen = dialog.selectedFiles().front().toStdString();
    const auto name = adoptTemplate(context_, chosen, app::Messages::prompter());
    if (!name) {
        return;
    }
    run([&] { sections_.setTemplate(*name); });
    showCurrent();
}

void TSectionPanel::editTemplate() {
    if (currentType() != kMainSection) {
        return; // the template editor of the other kinds is not here yet
    }
    templates::ui::TConfigHlavni1 dialog(context_, data_.qHtml.text("SABID"), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    run([&] { sections_.setTemplate(dialog.fileName()); });
    showCurrent();
}

// ---------------------------------------------------------------- availability

void TSectionPanel::setReadyEnabled(QAction* action, bool enabled) {
    if (action) {
        action->setEnabled(enabled && commandSet_.isReady(action) && commandSet_.projectOpen());
    }
}

TSectionPanel::ToolbarState TSectionPanel::toolbarState(int focusArea) const {
    const int n = sections_.count();
    if (focusArea == 4) {
        const bool text = currentType() == kTextSection;
        return {text, text, false};
    }
    return {n > 0, n > 0, n >= 2};
}

void TSectionPanel::updateCommands() {
    const int n = sections_.count();
    const bool page = hasPage();
    for (QAction* a : {commands_.newText, commands_.newProduct, commands_.newOrder,
                       commands_.newCart, commands_.newMain}) {
        setReadyEnabled(a, page);
    }
    for (QAction* a : {commands_.edit, commands_.describe, commands_.remove}) {
        setReadyEnabled(a, n > 0);
    }
    setReadyEnabled(commands_.sort, n >= 2);
    const char type = currentType();
    const bool text = type == kTextSection;
    const bool editorSet = environment_.externalEditor && environment_.externalEditor().isSet();
    setReadyEnabled(commands_.editSource, text);
    setReadyEnabled(commands_.editExternal, text && editorSet);
    setReadyEnabled(commands_.loadFile, text);
    puUpravit_->setEnabled(n > 0);
    puOdstranit_->setEnabled(n > 0);
    puSeradit_->setEnabled(n >= 2);
    for (QAction* a : pmNova_->actions() + pmSekce_->actions().mid(0, 5)) {
        a->setEnabled(page);
    }
    sbVybratSablonu_->setEnabled(type != '\0' && !text);
}

bool TSectionPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == grdSekce_) {
            emit focusAreaEntered(2);
        } else if (watched == txtHTML_) {
            emit focusAreaEntered(4);
        }
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == txtSablona_) {
        editTemplate();
        return true;
    } else if (event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete && watched == grdSekce_) {
            removeCurrent();
            return true;
        }
        if (key == Qt::Key_Delete && watched == txtHTML_) {
            clearContent();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace arkona::site::ui
