#pragma once

#include "base/locale.h"
#include "base/progress.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

namespace arkona::storage {
struct ProjectContext;
}

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

// The context of the project in a folder named on the command line (its settings read);
// refused with a message when the folder is no project.
storage::ProjectContext openProjectContext(const std::string& folder);

// One line of a listing, as tab-separated text (decimal comma) or CSV (decimal point).
class LineWriter {
public:
    explicit LineWriter(bool csv) : csv_(csv), locale_(Locale::current()) {
        if (csv_) {
            locale_.decimalSeparator = '.';
        }
    }

    void text(std::string_view value) {
        separate();
        if (csv_ && value.find_first_of(",\"\r\n") != std::string_view::npos) {
            line_ += '"';
            for (char c : value) {
                line_ += c;
                if (c == '"') {
                    line_ += '"';
                }
            }
            line_ += '"';
            return;
        }
        for (char c : value) {
            // A tab or line break inside a name would break the line into columns.
            line_ += !csv_ && (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
        }
    }
    // Derived values as the price list shows them.
    void amount(double value) { text(locale_.formatNumber(value, 2)); }
    // Stored amounts: two decimals, more where the stored value has them (price parts keep four).
    void stored(double value) {
        std::string s = locale_.formatNumber(value, 4);
        while (s.back() == '0' && s[s.size() - 3] != locale_.decimalSeparator) {
            s.pop_back();
        }
        text(s);
    }
    void whole(int value) { text(std::to_string(value)); }

    std::string take() {
        std::string out = std::move(line_) + "\n";
        line_.clear();
        first_ = true;
        return out;
    }

private:
    void separate() {
        if (!first_) {
            line_ += csv_ ? ',' : '\t';
        }
        first_ = false;
    }

    bool csv_;
    Locale locale_;
    std::string line_;
    bool first_ = true;
};

} // namespace arkona::cli
