#include "site/ui/input_dialog.h"

#include "site/file_names.h"
#include "site/ui/text_field_filter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace arkona::site::ui {

TfrmInput::TfrmInput(const QString& title, const QString& label, const QString& text,
                     Options options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setObjectName(QStringLiteral("TfrmInput"));
    setWindowTitle(title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    lblPopis_ = new QLabel(label, this);
    lblPopis_->setObjectName(QStringLiteral("lblPopis"));
    txtVstup_ = new QLineEdit(this);
    txtVstup_->setObjectName(QStringLiteral("txtVstup"));
    if (options_.maxLength > 0) {
        txtVstup_->setMaxLength(options_.maxLength);
    }
    lblPopis_->setBuddy(txtVstup_);
    pbOK_ = new QPushButton(QStringLiteral("OK"), this);
    pbOK_->setObjectName(QStringLiteral("pbOK"));
    pbOK_->setDefault(true);
    pbStorno_ = new QPushButton(QStringLiteral("Storno"), this);
    pbStorno_->setObjectName(QStringLiteral("pbStorno"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPopis_);
    layout->addWidget(txtVstup_);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    connect(pbOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pbStorno_, &QPushButton::clicked, this, &QDialog::reject);
    connect(txtVstup_, &QLineEdit::textEdited, this, &TfrmInput::edited);
    connect(txtVstup_, &QLineEdit::textChanged, this, &TfrmInput::updateOk);
    txtVstup_->setText(text);
    txtVstup_->selectAll();
    if (options_.nonBlank) {
        // Disabled when the box opens, whatever it shows.
        pbOK_->setEnabled(false);
    }
}

QString TfrmInput::text() const {
    return txtVstup_->text();
}

void TfrmInput::edited() {
    if (options_.nameCharacters) {
        applyEdit(txtVstup_,
                  [](std::u32string_view text, int cursor) { return editName(text, cursor); });
    }
    updateOk();
}

void TfrmInput::updateOk() {
    if (options_.nonBlank) {
        pbOK_->setEnabled(!txtVstup_->text().trimmed().isEmpty());
    }
}

std::optional<std::string> TfrmInput::ask(QWidget* parent, const QString& title,
                                          const QString& label, const QString& text,
                                          Options options) {
    TfrmInput box(title, label, text, options, parent);
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return box.text().toStdString();
}

} // namespace arkona::site::ui
