#include "cli/cli_support.h"

#include "base/error.h"
#include "storage/project_context.h"

#include <ostream>

namespace arkona::cli {

void StderrProgress::start(const ProgressSetup& s) {
    maximum_ = s.maximum1;
    position_ = 0;
    err_ << s.title << "\n";
}

void StderrProgress::setMessage(const std::string& text) {
    const size_t lastLine = text.rfind('\n');
    message_ = text.substr(lastLine == std::string::npos ? 0 : lastLine + 1);
}

void StderrProgress::setMaximum(int bar, int maximum) {
    if (bar == 1) {
        maximum_ = maximum;
    }
}

void StderrProgress::setPosition(int bar, int position) {
    if (bar == 1) {
        position_ = position;
    }
}

void StderrProgress::step(int bar) {
    if (bar == 1) {
        ++position_;
        err_ << "  [" << position_ << "/" << maximum_ << "] " << message_ << "\n";
    }
}

void StderrStatus::show(const std::string& text) {
    if (!text.empty()) {
        err_ << text << "\n";
    }
}

std::filesystem::path projectArgument(const std::string& folder) {
    if (!storage::isProjectFolder(folder)) {
        throw Error("Složka „" + folder +
                    "“ není projekt ArkonaPro: chybí v ní soubor ArkonaTree.ini.");
    }
    return folder;
}

storage::ProjectContext openProjectContext(const std::string& folder) {
    storage::ProjectContext context;
    context.setProjectFolder(projectArgument(folder));
    storage::readArkonaTree(context);
    return context;
}

} // namespace arkona::cli
