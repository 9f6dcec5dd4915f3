#include "app/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace arkona::app {

namespace {

Prompter* replacement = nullptr;

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton buttonOf(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons buttonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// What closing the box with Esc or the title bar means.
Answer escapeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

} // namespace

Answer BoxPrompter::askCaptioned(const std::string& caption, MessageKind kind, Buttons buttons,
                                 const std::string& text, Answer defaultAnswer) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(iconOf(kind), QString::fromStdString(caption), shown, buttonsOf(buttons),
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("msgBox"));
    // Czech buttons whatever translations the system has.
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "Storno"},
        {QMessageBox::Yes, "&Ano"},
        {QMessageBox::No, "&Ne"}};
    for (const auto& [button, text] : captions) {
        if (QAbstractButton* b = box.button(button)) {
            b->setText(QString::fromUtf8(text));
        }
    }
    box.setDefaultButton(buttonOf(defaultAnswer));
    box.setEscapeButton(buttonOf(escapeAnswer(buttons)));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return escapeAnswer(buttons);
    }
}

Prompter& Messages::prompter() {
    static BoxPrompter boxes;
    return replacement ? *replacement : boxes;
}

void Messages::setPrompter(Prompter* prompter) {
    replacement = prompter;
}

Answer Messages::ask(MessageKind kind, Buttons buttons, const std::string& text,
                     Answer defaultAnswer, const std::string& caption) {
    Prompter& p = prompter();
    if (auto* captioned = dynamic_cast<CaptionedPrompter*>(&p)) {
        return captioned->askCaptioned(caption, kind, buttons, text, defaultAnswer);
    }
    return p.ask(kind, buttons, text, defaultAnswer);
}

} // namespace arkona::app
