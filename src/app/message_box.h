#pragma once

#include "base/prompter.h"

#include <string>

class QWidget;

namespace arkona::app {

inline constexpr const char* kCaption = "ArkonaPro";

// A prompter that also learns the caption of the box. The real boxes and the test scripts are
// such prompters; a plain Prompter put in their place simply never sees the caption.
class CaptionedPrompter : public Prompter {
public:
    virtual Answer askCaptioned(const std::string& caption, MessageKind kind, Buttons buttons,
                                const std::string& text, Answer defaultAnswer) = 0;

    Answer ask(MessageKind kind, Buttons buttons, const std::string& text,
               Answer defaultAnswer) override {
        return askCaptioned(kCaption, kind, buttons, text, defaultAnswer);
    }
};

// Modal message boxes over the active window: the icon of the kind, the buttons asked for,
// the default button focused, "\r" line breaks shown as lines.
class BoxPrompter : public CaptionedPrompter {
public:
    Answer askCaptioned(const std::string& caption, MessageKind kind, Buttons buttons,
                        const std::string& text, Answer defaultAnswer) override;
};

// The one way every window shows a message. Tests replace where the messages go.
class Messages {
public:
    // What logic libraries get: every message captioned "ArkonaPro".
    static Prompter& prompter();
    // nullptr restores the message boxes. The prompter is not owned.
    static void setPrompter(Prompter* prompter);

    static Answer ask(MessageKind kind, Buttons buttons, const std::string& text,
                      Answer defaultAnswer, const std::string& caption = kCaption);

    static void error(const std::string& text) { prompter().error(text); }
    static void warning(const std::string& text) { prompter().warning(text); }
    static void information(const std::string& text) { prompter().information(text); }
    static bool questionYesNo(const std::string& text, Answer defaultAnswer = Answer::Yes) {
        return prompter().questionYesNo(text, defaultAnswer);
    }
    static bool questionOkCancel(const std::string& text, Answer defaultAnswer = Answer::Ok) {
        return prompter().questionOkCancel(text, defaultAnswer);
    }
    // Destructive page and section operations: a Yes/No question, then an OK/Cancel warning
    // with Cancel as the default.
    static bool confirmTwice(const std::string& question, const std::string& warningText) {
        return prompter().confirmTwice(question, warningText);
    }
};

} // namespace arkona::app
