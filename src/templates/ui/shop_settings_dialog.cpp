#include "templates/ui/shop_settings_dialog.h"

#include "app/message_box.h"
#include "base/error.h"
#include "templates/template_files.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace arkona::templates::ui {

namespace fs = std::filesystem;
using app::Messages;

namespace {

constexpr const char* kSaveQuestion = "Chcete uložit provedené změny v aktivní šabloně?";
constexpr const char* kMissingFile =
    "Tato šablona na disku neexistuje - otevírám implicitní šablonu \"default.qsh\"";
constexpr const char* kEditorCaption = "Editor šablon";
constexpr const char* kPropertiesCaption = "Vlastnosti šablony";
constexpr std::string_view kPlacements[] = {kTop, kLeft, kRight, kBottom};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string s(const QString& text) {
    return text.toStdString();
}

std::string utf8Name(const fs::path& file) {
    const std::u8string n = file.filename().u8string();
    return std::string(n.begin(), n.end());
}

fs::path fromQt(const QString& file) {
    const QByteArray utf8 = file.toUtf8();
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

QString toQt(const fs::path& file) {
    const std::u8string n = file.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(n.data()),
                             static_cast<qsizetype>(n.size()));
}

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* lineEdit(QWidget* parent, const std::string& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(q(name));
    return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = named(new QPushButton(text, parent), name);
    b->setAutoDefault(false);
    return b;
}

QComboBox* choiceBox(QWidget* parent, const char* name, const std::vector<std::string>& items) {
    auto* box = named(new QComboBox(parent), name);
    for (const std::string& item : items) {
        box->addItem(q(item));
    }
    return box;
}

QString filter() {
    return q(fileFilter(TemplateKind::Shop));
}

} // namespace

TConfigHlavni1::TConfigHlavni1(const storage::ProjectContext& project, const std::string& sabid,
                               QWidget* parent)
    : QDialog(parent), projectFolder_(project.projectFolder) {
    setObjectName(QStringLiteral("TConfigHlavni1"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* gbOdskoky = named(new QGroupBox(QStringLiteral(" Stránky obchodu "), this), "gbOdskoky");
    auto* gbRamec =
        named(new QGroupBox(QStringLiteral(" Navigační rámec "), this), "gbNavigacniRamec");
    auto* gbFormat = named(new QGroupBox(QStringLiteral(" Formát částek "), this), "gbFormat");
    auto* gbConfirm =
        named(new QGroupBox(QStringLiteral(" Potvrzení před vložením zboží do košíku "), this),
              "gbConfirm");
    auto* gbError =
        named(new QGroupBox(QStringLiteral(" Upozornění, když není vybráno žádné zboží "), this),
              "gbError");
    auto* gbStatus = named(
        new QGroupBox(QStringLiteral(" Informační řádek o vybraném zboží "), this), "gbStatus");
    buildFrames(gbOdskoky);
    buildPlacement(gbRamec);
    buildNumberFormat(gbFormat);
    buildConfirmation(gbConfirm);
    buildMessages(gbError, gbStatus);
    auto* gbNahled = named(
        new QGroupBox(QStringLiteral(" Náhled potvrzení (s ukázkovým zbožím) "), this), "gbNahled");
    txtNahled_ = named(new QPlainTextEdit(gbNahled), "txtNahled");
    txtNahled_->setReadOnly(true);
    txtNahled_->setFocusPolicy(Qt::NoFocus);
    txtNahled_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    (new QVBoxLayout(gbNahled))->addWidget(txtNahled_);

    pbOtevrit_ = button(this, "pbOtevrit", QStringLiteral("Otevřít"));
    pbUlozit_ = button(this, "pbUlozit", QStringLiteral("Uložit"));
    pbUlozitJako_ = button(this, "pbUlozitJako", QStringLiteral("Uložit jako ..."));
    pbOK_ = button(this, "pbOK", QStringLiteral("OK"));
    pbOK_->setDefault(true);
    pbStorno_ = button(this, "pbStorno", QStringLiteral("Storno"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pbOtevrit_);
    buttons->addWidget(pbUlozit_);
    buttons->addWidget(pbUlozitJako_);
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno_);

    auto* left = new QVBoxLayout;
    left->addWidget(gbOdskoky);
    left->addWidget(gbRamec);
    left->addWidget(gbFormat);
    left->addWidget(gbNahled, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(gbConfirm);
    right->addWidget(gbError);
    right->addWidget(gbStatus);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(right, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(pbOtevrit_, &QPushButton::clicked, this, &TConfigHlavni1::openCommand);
    connect(pbUlozit_, &QPushButton::clicked, this, [this] { saveCommand(); });
    connect(pbUlozitJako_, &QPushButton::clicked, this, &TConfigHlavni1::saveAsCommand);
    connect(pbStandard_, &QPushButton::clicked, this, &TConfigHlavni1::standardCommand);
    connect(pbOK_, &QPushButton::clicked, this, &TConfigHlavni1::accept);
    connect(pbStorno_, &QPushButton::clicked, this, &TConfigHlavni1::reject);
    connectChanges();

    try {
        pages_ = pagesInTreeOrder(projectFolder_);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    loadNamed(sabid);
    resize(sizeHint().expandedTo(QSize(960, 0)));
}

void TConfigHlavni1::buildFrames(QGroupBox* box) {
    cbNavigace_ = named(new QComboBox(box), "cbNavigace");
    cbPracovni_ = named(new QComboBox(box), "cbPracovni");
    cbKosik_ = named(new QComboBox(box), "cbKosik");
    for (QComboBox* c : {cbNavigace_, cbPracovni_, cbKosik_}) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(28);
    }
    chbKosikAno_ =
        named(new QCheckBox(QStringLiteral("Po vložení zboží přejít do nákupního košíku"), box),
              "chbKosikAno");
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Navigace:"), cbNavigace_);
    form->addRow(QStringLiteral("Úvodní stránka:"), cbPracovni_);
    form->addRow(QStringLiteral("Nákupní košík:"), cbKosik_);
    form->addRow(chbKosikAno_);
}

void TConfigHlavni1::buildPlacement(QGroupBox* box) {
    const char* names[] = {"rbNahore", "rbVlevo", "rbVpravo", "rbDole"};
    const char* captions[] = {"nahoře", "vlevo", "vpravo", "dole"};
    umisteni_ = new QButtonGroup(this);
    auto* places = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        rbUmisteni_[i] = named(new QRadioButton(QString::fromUtf8(captions[i]), box), names[i]);
        umisteni_->addButton(rbUmisteni_[i], i);
        places->addWidget(rbUmisteni_[i]);
    }
    places->addStretch();
    txtVelikost_ = named(new QSpinBox(box), "txtVelikost");
    txtVelikost_->setRange(0, 9999);
    rbBody_ = named(new QRadioButton(QStringLiteral("bodů"), box), "rbBody");
    rbProcenta_ = named(new QRadioButton(QStringLiteral("procent"), box), "rbProcenta");
    auto* units = new QButtonGroup(this);
    units->addButton(rbBody_);
    units->addButton(rbProcenta_);
    pbStandard_ = button(box, "pbStandard", QStringLiteral("Standard"));
    auto* size = new QHBoxLayout;
    size->addWidget(txtVelikost_);
    size->addWidget(rbBody_);
    size->addWidget(rbProcenta_);
    size->addStretch();
    size->addWidget(pbStandard_);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Umístění:"), places);
    form->addRow(QStringLiteral("Velikost:"), size);
}

void TConfigHlavni1::buildNumberFormat(QGroupBox* box) {
    cbZaokr_ = choiceBox(box, "cbZaokr", roundingChoices());
    cbOddelovac_ = choiceBox(box, "cbOddelovac", thousandsChoices());
    cbDesetinne_ = choiceBox(box, "cbDesetinne", decimalChoices());
    cbUkoncovac_ = choiceBox(box, "cbUkoncovac", endingChoices());
    lblUkazka_ = named(new QLabel(box), "lblUkazka");
    QFont bold = lblUkazka_->font();
    bold.setBold(true);
    lblUkazka_->setFont(bold);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Zaokrouhlení:"), cbZaokr_);
    form->addRow(QStringLiteral("Oddělovač tisíců:"), cbOddelovac_);
    form->addRow(QStringLiteral("Desetinná čárka:"), cbDesetinne_);
    form->addRow(QStringLiteral("Ukončení celých částek:"), cbUkoncovac_);
    form->addRow(QStringLiteral("Ukázka:"), lblUkazka_);
}

void TConfigHlavni1::buildConfirmation(QGroupBox* box) {
    for (int n = 0; n < kConfirmSwitches; ++n) {
        chbC_[n] = new QCheckBox(box);
        chbC_[n]->setObjectName(q("chbC" + std::to_string(n)));
    }
    for (int n = 1; n <= kConfirmTexts; ++n) {
        txtTC_[n] = lineEdit(box, "txtTC" + std::to_string(n));
    }
    chbC_[0]->setText(QStringLiteral("Zobrazit potvrzení"));
    chbC_[3]->setText(QStringLiteral("seznam vybraného zboží (počet x - název (kód))"));
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    grid->addWidget(chbC_[0], 0, 0, 1, 2);
    int row = 1;
    const auto line = [&](int sw, QWidget* field) {
        grid->addWidget(chbC_[sw], row, 0);
        if (field) {
            grid->addWidget(field, row, 1);
        }
        ++row;
    };
    // An amount line: its heading, then "«amount without VAT» text «amount with VAT» text".
    const auto amounts = [&](int sw, int first) {
        line(sw, txtTC_[first]);
        auto* parts = new QHBoxLayout;
        parts->addWidget(new QLabel(QStringLiteral("«bez DPH»"), box));
        parts->addWidget(txtTC_[first + 1], 1);
        parts->addWidget(new QLabel(QStringLiteral("«s DPH»"), box));
        parts->addWidget(txtTC_[first + 2], 1);
        grid->addLayout(parts, row++, 1);
    };
    line(1, txtTC_[1]);
    line(2, txtTC_[2]);
    grid->addWidget(chbC_[3], row++, 0, 1, 2);
    line(4, txtTC_[3]);
    amounts(5, 4);
    amounts(6, 7);
    line(7, txtTC_[10]);
    line(8, txtTC_[11]);
    line(9, txtTC_[12]);
    line(10, txtTC_[13]);
}

void TConfigHlavni1::buildMessages(QGroupBox* error, QGroupBox* status) {
    auto* errors = new QFormLayout(error);
    auto* statuses = new QFormLayout(status);
    for (int n = 1; n <= 3; ++n) {
        txtTE_[n] = lineEdit(error, "txtTE" + std::to_string(n));
        txtTS_[n] = lineEdit(status, "txtTS" + std::to_string(n));
        errors->addRow(q(std::to_string(n) + ". řádek:"), txtTE_[n]);
    }
    auto* parts = new QHBoxLayout;
    parts->addWidget(txtTS_[1], 2);
    parts->addWidget(new QLabel(QStringLiteral("«bez DPH»"), status));
    parts->addWidget(txtTS_[2], 1);
    parts->addWidget(new QLabel(QStringLiteral("«s DPH»"), status));
    parts->addWidget(txtTS_[3], 1);
    statuses->addRow(parts);
}

void TConfigHlavni1::connectChanges() {
    const auto changed = [this] { markChanged(); };
    for (QComboBox* c : {cbNavigace_, cbPracovni_, cbKosik_}) {
        connect(c, &QComboBox::currentIndexChanged, this, changed);
    }
    for (QComboBox* c : {cbZaokr_, cbOddelovac_, cbDesetinne_, cbUkoncovac_}) {
        connect(c, &QComboBox::currentIndexChanged, this, changed);
        connect(c, &QComboBox::currentIndexChanged, this, &TConfigHlavni1::updateSample);
    }
    connect(chbKosikAno_, &QCheckBox::toggled, this, changed);
    connect(umisteni_, &QButtonGroup::idToggled, this, changed);
    connect(rbBody_, &QRadioButton::toggled, this, changed);
    connect(txtVelikost_, &QSpinBox::valueChanged, this, changed);
    for (QCheckBox* c : chbC_) {
        connect(c, &QCheckBox::toggled, this, changed);
        connect(c, &QCheckBox::toggled, this, &TConfigHlavni1::updateConfirmationFields);
    }
    for (QLineEdit* e : txtTC_) {
        if (e) {
            connect(e, &QLineEdit::textChanged, this, changed);
        }
    }
    for (QLineEdit* e : txtTE_) {
        if (e) {
            connect(e, &QLineEdit::textChanged, this, changed);
        }
    }
    for (QLineEdit* e : txtTS_) {
        if (e) {
            connect(e, &QLineEdit::textChanged, this, changed);
        }
    }
}

std::string TConfigHlavni1::fileName() const {
    return utf8Name(file_);
}

void TConfigHlavni1::loadNamed(const std::string& sabid) {
    const std::string wanted = sabid.empty() ? defaultFileName(TemplateKind::Shop) : sabid;
    if (auto found = findTemplateFile(projectFolder_, wanted)) {
        load(*found);
        return;
    }
    if (auto fallback = findTemplateFile(projectFolder_, defaultFileName(TemplateKind::Shop))) {
        Messages::information(kMissingFile);
        load(*fallback);
        return;
    }
    // Neither exists: the dialog's defaults, saved under the name asked for when it is a file
    // name at all.
    const std::string name = isPlainFileName(wanted) ? wanted : defaultFileName(TemplateKind::Shop);
    load(templatesFolder(projectFolder_) / fs::path(std::u8string(name.begin(), name.end())));
}

void TConfigHlavni1::load(const fs::path& file) {
    ShopSettings read = defaultShopSettings(Defaults::Editor);
    try {
        read = readShopSettings(file, Defaults::Editor);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    file_ = file;
    loaded_ = read;
    showSettings(read);
    changed_ = false;
    updateTitle();
}

void TConfigHlavni1::fillPageChoice(QComboBox* box, const std::string& url) {
    box->clear();
    bool listed = false;
    for (const PageChoice& page : pages_) {
        const QString indent(page.depth * 4, QLatin1Char(' '));
        box->addItem(indent + q(page.title) + QStringLiteral("   ") + q(page.url), q(page.url));
        listed = listed || page.url == url;
    }
    // A value that names no page of the tree stays as it is until the user picks a page.
    if (!listed) {
        box->insertItem(0, url.empty() ? QStringLiteral("(není vybrána)") : q(url), q(url));
    }
    box->setCurrentIndex(box->findData(q(url)));
}

void TConfigHlavni1::showSettings(const ShopSettings& st) {
    loading_ = true;
    fillPageChoice(cbNavigace_, st.navigace);
    fillPageChoice(cbPracovni_, st.pracovni);
    fillPageChoice(cbKosik_, st.kosik);
    chbKosikAno_->setChecked(st.kosikAno);
    umisteni_->setExclusive(false);
    for (int i = 0; i < 4; ++i) {
        rbUmisteni_[i]->setChecked(st.umisteni == kPlacements[i]);
    }
    umisteni_->setExclusive(true);
    bool number = false;
    const int size = QString::fromStdString(st.velikost).toInt(&number);
    txtVelikost_->setValue(number ? size : 80);
    rbBody_->setChecked(st.body);
    rbProcenta_->setChecked(!st.body);
    for (int n = 0; n < kConfirmSwitches; ++n) {
        chbC_[n]->setChecked(st.c[n]);
    }
    for (int n = 1; n <= kConfirmTexts; ++n) {
        txtTC_[n]->setText(q(st.tC[n]));
        txtTC_[n]->setCursorPosition(0);
    }
    for (int n = 1; n <= 3; ++n) {
        txtTE_[n]->setText(q(st.tE[n]));
        txtTS_[n]->setText(q(st.tS[n]));
        txtTE_[n]->setCursorPosition(0);
        txtTS_[n]->setCursorPosition(0);
    }
    cbZaokr_->setCurrentIndex(formatIndex(st.zaokr, cbZaokr_->count()));
    cbOddelovac_->setCurrentIndex(formatIndex(st.oddelovac, cbOddelovac_->count()));
    cbDesetinne_->setCurrentIndex(formatIndex(st.desetinne, cbDesetinne_->count()));
    cbUkoncovac_->setCurrentIndex(formatIndex(st.ukoncovac, cbUkoncovac_->count()));
    loading_ = false;
    updateSample();
    updateConfirmationFields();
    updatePreview();
}

ShopSettings TConfigHlavni1::settings() const {
    ShopSettings st = loaded_;
    st.navigace = s(cbNavigace_->currentData().toString());
    st.pracovni = s(cbPracovni_->currentData().toString());
    st.kosik = s(cbKosik_->currentData().toString());
    st.kosikAno = chbKosikAno_->isChecked();
    // A placement the dialog does not know stays until the user chooses one.
    if (umisteni_->checkedId() >= 0) {
        st.umisteni = kPlacements[umisteni_->checkedId()];
    }
    st.velikost = std::to_string(txtVelikost_->value());
    st.body = rbBody_->isChecked();
    for (int n = 0; n < kConfirmSwitches; ++n) {
        st.c[n] = chbC_[n]->isChecked();
    }
    for (int n = 1; n <= kConfirmTexts; ++n) {
        st.tC[n] = s(txtTC_[n]->text());
    }
    for (int n = 1; n <= 3; ++n) {
        st.tE[n] = s(txtTE_[n]->text());
        st.tS[n] = s(txtTS_[n]->text());
    }
    st.zaokr = std::to_string(cbZaokr_->currentIndex());
    st.oddelovac = std::to_string(cbOddelovac_->currentIndex());
    st.desetinne = std::to_string(cbDesetinne_->currentIndex());
    st.ukoncovac = std::to_string(cbUkoncovac_->currentIndex());
    return st;
}

void TConfigHlavni1::markChanged() {
    if (!loading_) {
        changed_ = true;
        updatePreview();
    }
}

void TConfigHlavni1::updatePreview() {
    const std::string text = confirmationText(settings(), "\n2x - Zelený čaj Sencha (CAJ-01)",
                                              {241, 294.02, 1000, 1220});
    txtNahled_->setPlainText(text.empty() ? QStringLiteral("(zboží se vloží bez potvrzení)")
                                          : q(text));
}

void TConfigHlavni1::updateTitle() {
    setWindowTitle(QStringLiteral("Vlastnosti šablony [") + q(fileName()) + QStringLiteral("]"));
}

void TConfigHlavni1::updateSample() {
    ShopSettings st;
    st.oddelovac = std::to_string(cbOddelovac_->currentIndex());
    st.desetinne = std::to_string(cbDesetinne_->currentIndex());
    st.ukoncovac = std::to_string(cbUkoncovac_->currentIndex());
    lblUkazka_->setText(q(numberSample(st)));
}

void TConfigHlavni1::updateConfirmationFields() {
    const bool on = chbC_[0]->isChecked();
    const std::pair<int, std::vector<int>> lines[] = {
        {1, {1}},       {2, {2}},  {3, {}},   {4, {3}},  {5, {4, 5, 6}},
        {6, {7, 8, 9}}, {7, {10}}, {8, {11}}, {9, {12}}, {10, {13}},
    };
    for (const auto& [sw, texts] : lines) {
        chbC_[sw]->setEnabled(on);
        for (int t : texts) {
            txtTC_[t]->setEnabled(on && chbC_[sw]->isChecked());
        }
    }
}

bool TConfigHlavni1::saveTo(const fs::path& file) {
    try {
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        writeShopSettings(file, settings());
    } catch (const Error& e) {
        Messages::error(e.what());
        return false;
    }
    loaded_ = settings();
    file_ = file;
    changed_ = false;
    updateTitle();
    return true;
}

bool TConfigHlavni1::saveCommand() {
    return saveTo(file_);
}

void TConfigHlavni1::openCommand() {
    if (changed_ && Messages::ask(MessageKind::Question, Buttons::YesNo, kSaveQuestion, Answer::Yes,
                                  kEditorCaption) == Answer::Yes) {
        if (!saveCommand()) {
            return;
        }
    }
    QFileDialog dialog(this, QStringLiteral("Otevřít šablonu hlavní stránky"),
                       toQt(templatesFolder(projectFolder_)), filter());
    dialog.setObjectName(QStringLiteral("dlgOtevrit"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    try {
        const auto file = bringIntoTemplates(projectFolder_, fromQt(dialog.selectedFiles().front()),
                                             Messages::prompter());
        if (file) {
            load(*file);
        }
    } catch (const Error& e) {
        Messages::error(e.what());
    }
}

void TConfigHlavni1::saveAsCommand() {
    QFileDialog dialog(this, QStringLiteral("Uložit šablonu hlavní stránky jako"),
                       toQt(templatesFolder(projectFolder_)), filter());
    dialog.setObjectName(QStringLiteral("dlgUlozitJako"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The question comes from targetForSaveAs, which also knows the name with ".qsh" added.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const auto target = targetForSaveAs(projectFolder_, fromQt(dialog.selectedFiles().front()),
                                        TemplateKind::Shop, Messages::prompter());
    if (target) {
        saveTo(*target);
    }
}

void TConfigHlavni1::standardCommand() {
    rbUmisteni_[0]->setChecked(true);
    rbBody_->setChecked(true);
    txtVelikost_->setValue(80);
    markChanged();
}

void TConfigHlavni1::accept() {
    // A file that does not exist yet is written too, so that the section names a real file.
    std::error_code ec;
    if ((changed_ || !fs::exists(file_, ec)) && !saveCommand()) {
        return;
    }
    QDialog::accept();
}

void TConfigHlavni1::reject() {
    if (changed_) {
        const Answer a = Messages::ask(MessageKind::Question, Buttons::YesNoCancel, kSaveQuestion,
                                       Answer::Yes, kPropertiesCaption);
        if (a == Answer::Cancel || (a == Answer::Yes && !saveCommand())) {
            return;
        }
    }
    QDialog::reject();
}

} // namespace arkona::templates::ui
