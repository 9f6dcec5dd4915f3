#pragma once

#include "app/message_box.h"

#include <QAction>
#include <QApplication>
#include <QString>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace arkona::uitest {

// One message a window showed, as the user would have seen it.
struct ShownMessage {
    std::string caption;
    MessageKind kind;
    Buttons buttons;
    std::string text;
    Answer defaultAnswer;
};

// Stands in for the message boxes: answers from a script, records every message. A question
// the script did not expect is answered with its default and counted.
class ScriptedPrompter : public app::CaptionedPrompter {
public:
    ScriptedPrompter() { app::Messages::setPrompter(this); }
    ~ScriptedPrompter() override { app::Messages::setPrompter(nullptr); }

    void answer(Answer a) { script_.push_back(a); }
    void answers(std::initializer_list<Answer> list) {
        script_.insert(script_.end(), list.begin(), list.end());
    }

    Answer askCaptioned(const std::string& caption, MessageKind kind, Buttons buttons,
                        const std::string& text, Answer defaultAnswer) override;

    const std::vector<ShownMessage>& messages() const { return messages_; }
    std::vector<std::string> texts() const;
    int unexpected() const { return unexpected_; }
    std::size_t unused() const { return script_.size(); }
    void clear() { messages_.clear(); }

private:
    std::deque<Answer> script_;
    std::vector<ShownMessage> messages_;
    int unexpected_ = 0;
};

// A control of a window by its object name, or nullptr.
template <class T> T* control(QObject* root, const char* name) {
    return root->findChild<T*>(QString::fromLatin1(name));
}
QAction* action(QObject* root, const char* name);

// Runs `step` on the next modal window of type T once it is shown (the code that opens it is
// blocked in its exec); gives up after a few seconds.
void whenModal(const char* objectName, std::function<void(QWidget*)> step);

// Saves what the widget shows as <build>/screenshots/<name>.png; returns the file.
QString saveScreenshot(QWidget* widget, const QString& name);

// A project folder with its settings file (the given name) and every table, all empty.
std::filesystem::path makeProject(const std::filesystem::path& folder, const std::string& name);

// The text of a key of a profile file (for asserting what was written).
std::string profileValue(const std::filesystem::path& file, const char* section, const char* key);

} // namespace arkona::uitest
