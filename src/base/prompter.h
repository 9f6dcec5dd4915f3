#pragma once

#include <string>

namespace arkona {

// How logic asks the user. The desktop program answers with message boxes, the command line
// from its flags, tests from a script that also records every message.
enum class MessageKind {
    Error,       // a failure that stops an operation
    Warning,     // refused input or a condition the user must fix
    Information, // a plain report
    Question,    // a confirmation
};

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

enum class Answer { Ok, Cancel, Yes, No };

class Prompter {
public:
    virtual ~Prompter() = default;

    // `text` is the exact message; several lines are separated by "\r". `defaultAnswer` is the
    // button that has the focus.
    virtual Answer ask(MessageKind kind, Buttons buttons, const std::string& text,
                       Answer defaultAnswer) = 0;

    void error(const std::string& text) { ask(MessageKind::Error, Buttons::Ok, text, Answer::Ok); }
    void warning(const std::string& text) {
        ask(MessageKind::Warning, Buttons::Ok, text, Answer::Ok);
    }
    void information(const std::string& text) {
        ask(MessageKind::Information, Buttons::Ok, text, Answer::Ok);
    }
    bool questionYesNo(const std::string& text, Answer defaultAnswer = Answer::Yes) {
        return ask(MessageKind::Question, Buttons::YesNo, text, defaultAnswer) == Answer::Yes;
    }
    bool questionOkCancel(const std::string& text, Answer defaultAnswer = Answer::Ok) {
        return ask(MessageKind::Question, Buttons::OkCancel, text, defaultAnswer) == Answer::Ok;
    }
    // Destructive operations on pages and sections ask twice: a Yes/No question, then an
    // OK/Cancel warning whose default button is Cancel.
    bool confirmTwice(const std::string& question, const std::string& warningText) {
        return questionYesNo(question) &&
               ask(MessageKind::Warning, Buttons::OkCancel, warningText, Answer::Cancel) ==
                   Answer::Ok;
    }
};

// Answers every question with its default and forgets the messages (batch work without a user).
class DefaultAnswers : public Prompter {
public:
    Answer ask(MessageKind, Buttons, const std::string&, Answer defaultAnswer) override {
        return defaultAnswer;
    }
};

} // namespace arkona
