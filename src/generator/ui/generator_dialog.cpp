#include "generator/ui/generator_dialog.h"

#include "app/busy_cursor.h"
#include "app/message_box.h"
#include "app/progress_window.h"
#include "base/error.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace arkona::generator::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

template <class T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* valueLabel(QWidget* parent, const char* name) {
    auto* label = named(new QLabel(parent), name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(300);
    return label;
}

} // namespace

// What a run shows in the dialog; between pages it lets the window's events through.
class TfrmGen::Display : public GenerationDisplay {
public:
    explicit Display(TfrmGen& dialog) : d_(dialog) {}

    void pageStarted(const std::string& file, const std::string& page,
                     const std::string& state) override {
        busy_.reset();
        d_.lblSoubor_->setText(q(file));
        d_.lblStranka_->setText(q(page));
        d_.lblStav_->setText(q(state));
        d_.prbCelkem_->setMaximum(static_cast<int>(d_.run_.total()));
        d_.prbCelkem_->setValue(static_cast<int>(d_.run_.total() - d_.run_.remaining()));
        d_.prbStranka_->setValue(0);
    }
    void step(const std::string& caption) override {
        d_.lblKrok_->setText(q(caption));
        d_.prbStranka_->setValue(d_.prbStranka_->value() + 1);
    }
    void idle() override { d_.letEventsThrough(false); }

    // The wait cursor while the run reads its data, up to its first page.
    void waitForFirstPage() { busy_.emplace(); }
    void done() { busy_.reset(); }

private:
    TfrmGen& d_;
    std::optional<app::BusyCursor> busy_;
};

TfrmGen::TfrmGen(const storage::ProjectContext& context, storage::TData2& data,
                 site::SiteStructure& structure, QWidget* parent)
    : QDialog(parent), context_(context), data_(data), structure_(structure),
      run_(structure, context, app::Messages::prompter()),
      display_(std::make_unique<Display>(*this)) {
    setObjectName(QStringLiteral("TfrmGen"));
    setWindowTitle(q(kDialogTitle + context_.projectName));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    pcGen_ = named(new QTabWidget(this), "pcGen");
    pcGen_->addTab(buildParameters(), QStringLiteral("Parametry"));
    pcGen_->addTab(buildGeneral(), QStringLiteral("Obecné"));
    pcGen_->addTab(buildPaths(), QStringLiteral("Cesty"));
    pcGen_->setCurrentIndex(0);

    pbGeneruj_ = named(new QPushButton(QStringLiteral("Generuj"), this), "pbGeneruj");
    pbGeneruj_->setDefault(true);
    pbStop_ = named(new QPushButton(QStringLiteral("Přerušit"), this), "pbStop");
    pbStop_->setAutoDefault(false);
    pbStop_->hide();
    pbZavrit_ = named(new QPushButton(QStringLiteral("Zavřít"), this), "pbZavrit");
    pbZavrit_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbGeneruj_);
    buttons->addWidget(pbStop_);
    buttons->addWidget(pbZavrit_);

    lblStatus_ = named(new QLabel(this), "lblStatus");
    lblStatus_->setFrameShape(QFrame::StyledPanel);
    lblStatus_->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcGen_);
    layout->addWidget(buildProgress());
    layout->addLayout(buttons);
    layout->addWidget(lblStatus_);

    timeGenTimer_ = named(new QTimer(this), "timeGenTimer");
    timeGenTimer_->setInterval(1000);
    connect(timeGenTimer_, &QTimer::timeout, this, &TfrmGen::timeGenTimer);
    connect(pbGeneruj_, &QPushButton::clicked, this, &TfrmGen::pbGenerujClick);
    connect(pbStop_, &QPushButton::clicked, this, &TfrmGen::pbStopClick);
    connect(pbZavrit_, &QPushButton::clicked, this, &TfrmGen::reject);
    connect(chbDatum_, &QCheckBox::clicked, this, &TfrmGen::showDateOptions);

    try {
        showOptions(readGenerationOptions(context_.iniPath()));
        showGeneral();
    } catch (const Error& e) {
        app::Messages::error(e.what());
    }
    resize(560, sizeHint().height());
}

TfrmGen::~TfrmGen() = default;

QWidget* TfrmGen::buildParameters() {
    auto* page = named(new QWidget, "tsParametry");
    auto* gbDatum = named(new QGroupBox(QStringLiteral(" Datum aktualizace "), page), "gbDatum");
    chbDatum_ = named(new QCheckBox(QStringLiteral("Zapisovat do stránky datum poslední "
                                                   "aktualizace"),
                                    gbDatum),
                      "chbDatum");
    lblDatLasAkt_ = named(new QLabel(QStringLiteral("text:"), gbDatum), "lblDatLasAkt");
    txtDatLasAkt_ = named(new QLineEdit(gbDatum), "txtDatLasAkt");
    lblDatLasAkt_->setBuddy(txtDatLasAkt_);
    chbDat_ = named(new QCheckBox(QStringLiteral("datum [formát: 1.1.1999]"), gbDatum), "chbDat");
    chbTime_ = named(new QCheckBox(QStringLiteral("čas [formát: 10:15:23]"), gbDatum), "chbTime");
    auto* textRow = new QHBoxLayout;
    textRow->addSpacing(20);
    textRow->addWidget(lblDatLasAkt_);
    textRow->addWidget(txtDatLasAkt_, 1);
    auto* dateRow = new QHBoxLayout;
    dateRow->addSpacing(20);
    dateRow->addWidget(chbDat_);
    dateRow->addWidget(chbTime_);
    dateRow->addStretch();
    auto* dateLayout = new QVBoxLayout(gbDatum);
    dateLayout->addWidget(chbDatum_);
    dateLayout->addLayout(textRow);
    dateLayout->addLayout(dateRow);

    cbRoot_ =
        named(new QCheckBox(QStringLiteral("Přeskakovat úroveň navigace oddílů"), page), "cbRoot");

    auto* gbRozsah = named(new QGroupBox(QStringLiteral(" Generovat "), page), "gbRozsah");
    rbGenAll_ = named(new QRadioButton(QStringLiteral("vše"), gbRozsah), "rbGenAll");
    rbGenAktOdd_ =
        named(new QRadioButton(QStringLiteral("aktuální oddíl"), gbRozsah), "rbGenAktOdd");
    rbGenAktVetev_ =
        named(new QRadioButton(QStringLiteral("aktuální větev"), gbRozsah), "rbGenAktVetev");
    rbGenAktStr_ =
        named(new QRadioButton(QStringLiteral("pouze vybranou stranu"), gbRozsah), "rbGenAktStr");
    rbGenAll_->setChecked(true);
    auto* scopeLayout = new QVBoxLayout(gbRozsah);
    for (QRadioButton* rb : {rbGenAll_, rbGenAktOdd_, rbGenAktVetev_, rbGenAktStr_}) {
        scopeLayout->addWidget(rb);
    }
    // What the choices refer to: the page selected in the main window's tree.
    const site::PageNode* selected = structure_.selectedNode();
    rbGenAktOdd_->setEnabled(selected != nullptr);
    rbGenAktVetev_->setEnabled(selected != nullptr);
    rbGenAktStr_->setEnabled(selected != nullptr && !selected->link);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(gbDatum);
    layout->addWidget(cbRoot_);
    layout->addWidget(gbRozsah);
    layout->addStretch();
    return page;
}

QWidget* TfrmGen::buildGeneral() {
    auto* page = named(new QWidget, "tsObecne");
    lblPosledni_ = valueLabel(page, "lblPosledni");
    lblPocet_ = valueLabel(page, "lblPocet");
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("Datum posledního generování: "), lblPosledni_);
    form->addRow(QStringLiteral("Počet stránek v projektu:"), lblPocet_);
    return page;
}

QWidget* TfrmGen::buildPaths() {
    auto* page = named(new QWidget, "tsCesty");
    txtDisk_ = named(new QLineEdit(q(context_.siteFolder.string()), page), "txtDisk");
    txtDisk_->setReadOnly(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Cesta k vygenerovaným souborům:"), page));
    layout->addWidget(txtDisk_);
    layout->addStretch();
    return page;
}

QWidget* TfrmGen::buildProgress() {
    auto* box = named(new QGroupBox(QStringLiteral(" Průběh generování "), this), "gbPrubeh");
    lblSoubor_ = valueLabel(box, "lblSoubor");
    lblStranka_ = valueLabel(box, "lblStranka");
    lblStav_ = valueLabel(box, "lblStav");
    lblKrok_ = valueLabel(box, "lblKrok");
    prbCelkem_ = named(new QProgressBar(box), "prbCelkem");
    prbStranka_ = named(new QProgressBar(box), "prbStranka");
    prbStranka_->setMaximum(6); // the steps of a normal page
    prbStranka_->setTextVisible(false);
    prbCelkem_->setValue(0);
    prbStranka_->setValue(0);
    lblUplynulo_ = valueLabel(box, "lblUplynulo");
    lblZbyva_ = valueLabel(box, "lblZbyva");
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Soubor:"), lblSoubor_);
    form->addRow(QStringLiteral("Stránka:"), lblStranka_);
    form->addRow(QStringLiteral("Stav:"), lblStav_);
    form->addRow(QStringLiteral("Krok:"), lblKrok_);
    form->addRow(QStringLiteral("Kroky stránky:"), prbStranka_);
    form->addRow(QStringLiteral("Celkem:"), prbCelkem_);
    form->addRow(QStringLiteral("Uplynulý čas:"), lblUplynulo_);
    form->addRow(QStringLiteral("Zbývající čas:"), lblZbyva_);
    return box;
}

void TfrmGen::showOptions(const GenerationOptions& o) {
    chbDatum_->setChecked(o.dateLine);
    txtDatLasAkt_->setText(q(o.dateLineText));
    chbDat_->setChecked(o.date);
    chbTime_->setChecked(o.time);
    cbRoot_->setChecked(o.skipSectionLevel);
    showDateOptions();
}

void TfrmGen::showDateOptions() {
    const bool on = chbDatum_->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblDatLasAkt_, txtDatLasAkt_, chbDat_, chbTime_}) {
        w->setVisible(on);
    }
}

void TfrmGen::showGeneral() {
    lblPosledni_->setText(q(readLastGeneration(context_.iniPath())));
    lblPocet_->setText(QString::number(data_.STRUKTUR_COUNT()));
}

GenerationOptions TfrmGen::options() const {
    GenerationOptions o;
    o.dateLine = chbDatum_->isChecked();
    o.dateLineText = txtDatLasAkt_->text().toStdString();
    o.date = chbDat_->isChecked();
    o.time = chbTime_->isChecked();
    o.skipSectionLevel = cbRoot_->isChecked();
    return o;
}

GenerationScope TfrmGen::scope() const {
    if (rbGenAktOdd_->isChecked()) {
        return GenerationScope::Section;
    }
    if (rbGenAktVetev_->isChecked()) {
        return GenerationScope::Branch;
    }
    if (rbGenAktStr_->isChecked()) {
        return GenerationScope::Page;
    }
    return GenerationScope::All;
}

void TfrmGen::setRunning(bool running) {
    running_ = running;
    pcGen_->setEnabled(!running);
    pbGeneruj_->setEnabled(!running);
    pbZavrit_->setEnabled(!running);
    pbStop_->setVisible(running);
    if (running) {
        clock_.reset();
        lblUplynulo_->setText(q(durationText(0)));
        lblZbyva_->setText(QString());
        timeGenTimer_->start();
    } else {
        timeGenTimer_->stop();
    }
}

void TfrmGen::letEventsThrough(bool force) {
    if (force || !sinceEvents_.isValid() || sinceEvents_.elapsed() >= eventInterval_) {
        QApplication::processEvents();
        sinceEvents_.restart();
    }
}

void TfrmGen::pbGenerujClick() {
    if (running()) {
        return;
    }
    const site::PageNode* selected = structure_.selectedNode();
    const std::string selectedId = selected ? selected->id : std::string();
    lblStatus_->clear();
    prbCelkem_->setValue(0);
    prbStranka_->setValue(0);
    setRunning(true);
    sinceEvents_.invalidate();
    try {
        app::TfrmTherm treeProgress(this);
        treeProgress.setWindowModality(Qt::WindowModal);
        display_->waitForFirstPage();
        report_ = run_.run(scope(), selectedId, options(), *display_, treeProgress);
    } catch (const Error& e) {
        display_->done();
        setRunning(false);
        app::Messages::error(e.what());
        return;
    }
    display_->done();
    setRunning(false);
    lblKrok_->clear();
    std::string status = "Vygenerováno stránek: " + std::to_string(report_.written) + " z " +
                         std::to_string(report_.total) + ".";
    if (report_.stopped) {
        status += " Generování bylo přerušeno.";
    }
    lblStatus_->setText(q(status));
    showGeneral();
    if (!report_.failures.empty()) {
        app::Messages::warning(failureReport(report_));
    }
    if (!report_.warnings.empty()) {
        std::string text = "Některé stránky byly vytvořeny s upozorněním:";
        for (size_t i = 0; i < report_.warnings.size() && i < 5; ++i) {
            text += "\r" + report_.warnings[i];
        }
        if (report_.warnings.size() > 5) {
            text += "\r... a " + std::to_string(report_.warnings.size() - 5) + " dalších.";
        }
        app::Messages::warning(text);
    }
}

void TfrmGen::pbStopClick() {
    if (!running() || run_.stopRequested()) {
        return;
    }
    if (!app::Messages::questionYesNo(kStopQuestion)) {
        return;
    }
    lblStatus_->setText(q(kStopping));
    pbStop_->hide();
    run_.requestStop();
}

void TfrmGen::timeGenTimer() {
    const RunClock::Texts texts = clock_.tick(run_.total(), run_.remaining());
    lblZbyva_->setText(q(texts.remaining));
    lblUplynulo_->setText(q(texts.elapsed));
}

void TfrmGen::reject() {
    if (running()) {
        pbStopClick();
        return;
    }
    QDialog::reject();
}

} // namespace arkona::generator::ui
