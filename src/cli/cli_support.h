#pragma once

#include "base/progress.h"

#include <filesystem>
#include <iosfwd>
#include <string>

namespace arkona::cli {

// Progress of long work as lines on stderr.
class StderrProgress : public Progress {
public:
    explicit StderrProgress(std::ostream& err) : err_(err) {}
    void start(const ProgressSetup& s) override;
    void setMessage(const std::string& text) override;
    void setMaximum(int bar, int maximum) override;
    void setPosition(int bar, int position) override;
    void step(int bar) override;
    bool cancelRequested() override { return false; }
    void resetCancel() override {}
    void finish() override {}

private:
    std::ostream& err_;
    std::string message_;
    int maximum_ = 100;
    int position_ = 0;
};

// Status lines on stderr.
class StderrStatus : public StatusLine {
public:
    explicit StderrStatus(std::ostream& err) : err_(err) {}
    void show(const std::string& text) override;

private:
    std::ostream& err_;
};

// A project folder named on the command line; refused with a message when it is none.
std::filesystem::path projectArgument(const std::string& folder);

} // namespace arkona::cli
