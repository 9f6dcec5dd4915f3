#pragma once

#include <string>

namespace arkona {

// The shared progress window of the program: a title, a message line (which may begin with a
// line break), two bars, an animation and an optional "Storno" button that only sets a flag.
enum class ProgressAnimation { FileCopy, Search, None };

enum class ProgressBars {
    Both,
    First,       // the second bar hidden
    None,        // both bars hidden
};

struct ProgressSetup {
    std::string title;
    std::string message;
    bool cancelButton = false; // without it the window is narrower
    ProgressBars bars = ProgressBars::Both;
    ProgressAnimation animation = ProgressAnimation::FileCopy;
    int maximum1 = 100;
    int maximum2 = 100;
};

class Progress {
public:
    virtual ~Progress() = default;

    virtual void start(const ProgressSetup& setup) = 0;
    virtual void setMessage(const std::string& text) = 0;
    virtual void setMaximum(int bar, int maximum) = 0; // bar 1 or 2
    virtual void setPosition(int bar, int position) = 0;
    virtual void step(int bar) = 0;
    // Polled by the worker between steps; lets pending window events run first.
    virtual bool cancelRequested() = 0;
    // The user declined to stop: the worker goes on.
    virtual void resetCancel() = 0;
    virtual void finish() = 0;
};

// One line of status text (the main window's status bar, a line on stderr, a test recorder).
class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void show(const std::string& text) = 0; // empty text clears it
};

class NoProgress : public Progress {
public:
    void start(const ProgressSetup&) override {}
    void setMessage(const std::string&) override {}
    void setMaximum(int, int) override {}
    void setPosition(int, int) override {}
    void step(int) override {}
    bool cancelRequested() override { return false; }
    void resetCancel() override {}
    void finish() override {}
};

class NoStatus : public StatusLine {
public:
    void show(const std::string&) override {}
};

} // namespace arkona
