#pragma once

#include "base/progress.h"
#include "base/prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace arkona::test {

// Records every call as a line of text, so a test can assert what a user would have seen.
class RecordingProgress : public Progress {
public:
    std::vector<std::string> events;
    bool cancelAfterSteps = false;
    int stepsBeforeCancel = 0;

    void start(const ProgressSetup& s) override;
    void setMessage(const std::string& text) override { events.push_back("message: " + text); }
    void setMaximum(int bar, int maximum) override;
    void setPosition(int bar, int position) override;
    void step(int bar) override;
    bool cancelRequested() override;
    void resetCancel() override { events.push_back("reset cancel"); }
    void finish() override { events.push_back("finish"); }

private:
    int steps_ = 0;
};

class RecordingStatus : public StatusLine {
public:
    std::vector<std::string> lines;
    void show(const std::string& text) override { lines.push_back(text); }
};

// Answers questions from a script (or with the default when the script is empty) and records
// every message as "kind: text".
class ScriptedPrompter : public Prompter {
public:
    std::deque<Answer> answers;
    std::vector<std::string> messages;
    Answer ask(MessageKind kind, Buttons buttons, const std::string& text,
               Answer defaultAnswer) override;
};

} // namespace arkona::test
