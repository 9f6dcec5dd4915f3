#include "catalogue/ui/input_box.h"

#include "catalogue/ui/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace arkona::catalogue::ui {

TfrmInput::TfrmInput(const QString& title, const QString& prompt, const QString& text,
                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmInput"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(title);
    lblPrompt_ = named(new QLabel(prompt, this), "lblPrompt");
    txtInput_ = named(new QLineEdit(text, this), "txtInput");
    txtInput_->setMinimumWidth(320);
    lblPrompt_->setBuddy(txtInput_);
    pbOK_ = named(new QPushButton(QStringLiteral("OK"), this), "pbOK");
    pbOK_->setDefault(true);
    auto* pbStorno = named(new QPushButton(QStringLiteral("Storno"), this), "pbStorno");
    connect(pbOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pbStorno, &QPushButton::clicked, this, &QDialog::reject);
    connect(txtInput_, &QLineEdit::textChanged, this, &TfrmInput::updateOk);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt_);
    layout->addWidget(txtInput_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    txtInput_->selectAll();
    txtInput_->setFocus();
}

void TfrmInput::setColumn(int bytes, bool upperCase) {
    txtInput_->setValidator(new ColumnValidator(bytes, upperCase, txtInput_));
    QString text = txtInput_->text();
    int pos = 0;
    txtInput_->validator()->validate(text, pos);
    txtInput_->setText(text);
}

void TfrmInput::setNonBlank(bool on) {
    nonBlank_ = on;
    updateOk();
}

QString TfrmInput::text() const {
    return txtInput_->text();
}

void TfrmInput::updateOk() {
    pbOK_->setEnabled(!nonBlank_ || !txtInput_->text().trimmed().isEmpty());
}

std::optional<std::string> TfrmInput::ask(QWidget* parent, const QString& title,
                                          const QString& prompt, const QString& text, int bytes,
                                          bool upperCase) {
    TfrmInput box(title, prompt, text, parent);
    box.setColumn(bytes, upperCase);
    box.setNonBlank(true);
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return s(box.text());
}

} // namespace arkona::catalogue::ui
