#include "site/ui/page_source_dialog.h"

#include <QDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace arkona::site::ui {

std::optional<std::string> editSourcePlain(QWidget* parent, const std::string& title,
                                           const std::string& text) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgZdroj"));
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* edit = new QPlainTextEdit(&dialog);
    edit->setObjectName(QStringLiteral("reZdroj"));
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit->setPlainText(shown);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("pbOK"));
    auto* cancel = new QPushButton(QStringLiteral("Storno"), &dialog);
    cancel->setObjectName(QStringLiteral("pbStorno"));
    cancel->setAutoDefault(false);
    ok->setAutoDefault(false);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(edit, 1);
    layout->addLayout(buttons);
    dialog.resize(700, 450);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    QString edited = edit->toPlainText();
    edited.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edited.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    edited.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return edited.toStdString();
}

} // namespace arkona::site::ui
