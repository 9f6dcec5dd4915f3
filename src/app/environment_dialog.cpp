#include "app/environment_dialog.h"

#include "app/editor_search.h"
#include "app/folder_chooser.h"
#include "app/message_box.h"
#include "app/progress_window.h"
#include "base/error.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace arkona::app {

namespace {

using storage::UserSettings;

std::string stored(UserSettings& settings, const char* key, const char* name) {
    return settings.exists(key, name) ? settings.read(key, name) : std::string();
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string s(const QLineEdit* edit) {
    return edit->text().trimmed().toStdString();
}

QLineEdit* lineEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TConfig1::TConfig1(UserSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings),
      searchPath_(qEnvironmentVariable("PATH").toStdString()) {
    setObjectName(QStringLiteral("TConfig1"));
    setWindowTitle(QStringLiteral("Nastavení prostředí aplikace"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* gbEditor = new QGroupBox(QStringLiteral(" Externí HTML editor "), this);
    gbEditor->setObjectName(QStringLiteral("gbEditor"));
    txtEditor_ = lineEdit(gbEditor, "txtEditor");
    txtParametr_ = lineEdit(gbEditor, "txtParametr");
    pbEditor_ = button(gbEditor, "pbEditor", QStringLiteral("..."));
    pbProhledat_ = button(gbEditor, "pbProhledat", QStringLiteral("Prohledat"));
    auto* editorRow = new QHBoxLayout;
    editorRow->addWidget(txtEditor_, 1);
    editorRow->addWidget(pbEditor_);
    editorRow->addWidget(pbProhledat_);
    auto* editorForm = new QFormLayout(gbEditor);
    editorForm->addRow(QStringLiteral("Program:"), editorRow);
    editorForm->addRow(QStringLiteral("Parametr:"), txtParametr_);

    auto* gbVzory = new QGroupBox(QStringLiteral(" Složka se vzory projektů "), this);
    gbVzory->setObjectName(QStringLiteral("gbVzory"));
    txtVzory_ = lineEdit(gbVzory, "txtVzory");
    pbVzory_ = button(gbVzory, "pbVzory", QStringLiteral("..."));
    for (QPushButton* browse : {pbEditor_, pbVzory_}) {
        browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    }
    auto* samplesRow = new QHBoxLayout(gbVzory);
    samplesRow->addWidget(txtVzory_, 1);
    samplesRow->addWidget(pbVzory_);

    pbOK_ = button(this, "pbOK", QStringLiteral("OK"));
    pbOK_->setDefault(true);
    pbStorno_ = button(this, "pbStorno", QStringLiteral("Storno"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbEditor);
    layout->addWidget(gbVzory);
    layout->addLayout(buttons);
    resize(520, sizeHint().height());

    txtEditor_->setText(q(stored(settings_, UserSettings::kEditor, "ExtEditorHTML")));
    txtParametr_->setText(q(stored(settings_, UserSettings::kEditor, "Parametr")));
    txtVzory_->setText(q(stored(settings_, UserSettings::kRoot, "Vzory")));

    connect(pbEditor_, &QPushButton::clicked, this, &TConfig1::browseEditor);
    connect(pbProhledat_, &QPushButton::clicked, this, &TConfig1::searchEditors);
    connect(pbVzory_, &QPushButton::clicked, this, &TConfig1::browseSamples);
    connect(txtEditor_, &QLineEdit::editingFinished, this, &TConfig1::checkFields);
    connect(txtVzory_, &QLineEdit::editingFinished, this, &TConfig1::checkFields);
    connect(pbOK_, &QPushButton::clicked, this, &TConfig1::okClicked);
    connect(pbStorno_, &QPushButton::clicked, this, &QDialog::reject);
}

ExternalEditor TConfig1::externalEditor() const {
    return {s(txtEditor_), s(txtParametr_)};
}

void TConfig1::browseEditor() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Výběr externího editoru sekce"), txtEditor_->text(), QString(),
        nullptr, QFileDialog::DontUseNativeDialog);
    if (!file.isEmpty()) {
        txtEditor_->setText(file);
    }
    checkFields();
}

void TConfig1::searchEditors() {
    TfrmTherm progress(this);
    progress.setWindowModality(Qt::WindowModal);
    if (auto found = searchHtmlEditors(searchPath_, progress, Messages::prompter())) {
        txtEditor_->setText(q(found->program.string()));
        txtParametr_->setText(q(found->parameter));
    }
    checkFields();
}

void TConfig1::browseSamples() {
    const auto chosen = TfrmBrowseFldr::choose(
        this, QStringLiteral("Vyberte složku pro vzory projektů"), s(txtVzory_));
    if (!chosen.empty()) {
        txtVzory_->setText(q(chosen.string()));
    }
    checkFields();
}

void TConfig1::checkFields() {
    const auto problem = environmentProblem(s(txtEditor_), s(txtVzory_));
    pbOK_->setEnabled(!problem);
    if (problem) {
        Messages::warning(*problem);
    }
}

void TConfig1::okClicked() {
    // Leaving a field by clicking OK may not have run its check yet.
    if (const auto problem = environmentProblem(s(txtEditor_), s(txtVzory_))) {
        pbOK_->setEnabled(false);
        Messages::warning(*problem);
        return;
    }
    try {
        settings_.write(UserSettings::kEditor, "ExtEditorHTML", s(txtEditor_));
        settings_.write(UserSettings::kEditor, "Parametr", s(txtParametr_));
        settings_.write(UserSettings::kRoot, "Vzory", s(txtVzory_));
    } catch (const Error& e) {
        Messages::error(e.what());
        return;
    }
    accept();
}

} // namespace arkona::app
