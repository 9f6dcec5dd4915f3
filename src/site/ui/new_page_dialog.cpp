#include "site/ui/new_page_dialog.h"

#include "site/file_names.h"
#include "site/ui/text_field_filter.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace arkona::site::ui {

namespace {

constexpr int kTitleLength = 50;     // POPIS
constexpr int kFileNameLength = 250; // typed; the page row refuses more than its column holds

// Leaving the title field: a line edit that says so.
class TitleField : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<void()> left;

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (left) {
            left();
        }
    }
};

} // namespace

TfrmNovaStranka::TfrmNovaStranka(NewPageKind kind, long long number, Acceptor acceptor,
                                 QWidget* parent)
    : QDialog(parent), number_(number), acceptor_(std::move(acceptor)) {
    const bool section = kind == NewPageKind::Section;
    setObjectName(QStringLiteral("TfrmNovaStranka"));
    setWindowTitle(section ? QStringLiteral("Přidání nového oddílu")
                           : QStringLiteral("Přidání nové stránky"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    gbStranka_ = new QGroupBox(
        section ? QStringLiteral("Nový oddíl") : QStringLiteral(" Nová stránka  "), this);
    gbStranka_->setObjectName(QStringLiteral("gbStranka"));
    auto* title = new TitleField(gbStranka_);
    title->left = [this] { titleLeft(); };
    txtNazev_ = title;
    txtNazev_->setObjectName(QStringLiteral("txtNazev"));
    txtNazev_->setMaxLength(kTitleLength);
    txtZdroj_ = new QLineEdit(gbStranka_);
    txtZdroj_->setObjectName(QStringLiteral("txtZdroj"));
    txtZdroj_->setMaxLength(kFileNameLength);
    lblZdrojInfo_ = new QLabel(QStringLiteral("(udává jméno HTML souboru)"), gbStranka_);
    lblZdrojInfo_->setObjectName(QStringLiteral("lblZdrojInfo"));
    lblZdrojInfo_->setEnabled(false);
    auto* form = new QFormLayout(gbStranka_);
    form->addRow(QStringLiteral("Název:"), txtNazev_);
    form->addRow(QStringLiteral("Zdroj:"), txtZdroj_);
    form->addRow(QString(), lblZdrojInfo_);

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
    layout->addWidget(gbStranka_);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(pbOK_, &QPushButton::clicked, this, &TfrmNovaStranka::accept);
    connect(pbStorno_, &QPushButton::clicked, this, &TfrmNovaStranka::reject);
    connect(txtZdroj_, &QLineEdit::textEdited, this, &TfrmNovaStranka::fileNameEdited);
}

QString TfrmNovaStranka::title() const {
    return txtNazev_->text();
}

QString TfrmNovaStranka::fileName() const {
    return txtZdroj_->text();
}

void TfrmNovaStranka::fillEmptyFileName() {
    if (txtZdroj_->text().trimmed().isEmpty()) {
        txtZdroj_->setText(
            QString::fromStdString(deriveFileName(number_, txtNazev_->text().toStdString())));
    }
}

void TfrmNovaStranka::titleLeft() {
    fillEmptyFileName();
}

void TfrmNovaStranka::fileNameEdited(const QString&) {
    applyEdit(txtZdroj_, [this](std::u32string_view text, int cursor) {
        return editFileName(number_, text, cursor);
    });
}

void TfrmNovaStranka::accept() {
    fillEmptyFileName();
    if (acceptor_ && !acceptor_(txtNazev_->text().toStdString(), txtZdroj_->text().toStdString())) {
        return;
    }
    QDialog::accept();
}

} // namespace arkona::site::ui
