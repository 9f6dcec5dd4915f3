#include "support/recorders.h"

namespace arkona::test {

void RecordingProgress::start(const ProgressSetup& s) {
    const char* bars = s.bars == ProgressBars::Both    ? "both"
                       : s.bars == ProgressBars::First ? "first"
                                                       : "none";
    const char* animation = s.animation == ProgressAnimation::FileCopy ? "copy"
                            : s.animation == ProgressAnimation::Search ? "search"
                                                                       : "none";
    events.push_back("start: " + s.title + " | " + s.message + " | bars " + bars + " " +
                     std::to_string(s.maximum1) + "/" + std::to_string(s.maximum2) + " | " +
                     animation + (s.cancelButton ? " | Storno" : ""));
}

void RecordingProgress::setMaximum(int bar, int maximum) {
    events.push_back("maximum " + std::to_string(bar) + ": " + std::to_string(maximum));
}

void RecordingProgress::setPosition(int bar, int position) {
    events.push_back("position " + std::to_string(bar) + ": " + std::to_string(position));
}

void RecordingProgress::step(int bar) {
    ++steps_;
    events.push_back("step " + std::to_string(bar));
}

bool RecordingProgress::cancelRequested() {
    return cancelAfterSteps && steps_ >= stepsBeforeCancel;
}

Answer ScriptedPrompter::ask(MessageKind kind, Buttons, const std::string& text,
                             Answer defaultAnswer) {
    const char* name = kind == MessageKind::Error      ? "error"
                       : kind == MessageKind::Warning  ? "warning"
                       : kind == MessageKind::Question ? "question"
                                                       : "information";
    messages.push_back(std::string(name) + ": " + text);
    if (answers.empty()) {
        return defaultAnswer;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

} // namespace arkona::test
