#include "app/project_session.h"

#include "base/error.h"
#include "base/paths.h"

namespace arkona::app {

std::string notAProjectMessage(const std::filesystem::path& folder) {
    return paths::forDisplay(folder) + "\rTato složka NENÍ projektem aplikace ArkonaPro!";
}

bool ProjectSession::open(const std::filesystem::path& folder, Prompter& prompter,
                          const site::LoadDisplay& display, Progress* window) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(folder, ec).lexically_normal();
    const auto target = ec ? folder : absolute;
    if (!storage::isProjectFolder(target)) {
        prompter.warning(notAProjectMessage(target));
        return false;
    }
    if (context_.projectOpen) {
        data_.CloseQuery();
        site_.clear();
        context_.projectOpen = false;
    }
    try {
        context_.setProjectFolder(target);
        // Browsing starts next time in the folder that holds this project.
        settings_.setLastOpenFolder(target.parent_path());
        storage::readArkonaTree(context_);
        data_.setCascadeSwitch(false);
        data_.SetProjectPath(target);
        NoProgress noWindow;
        site_.load(display, window ? *window : noWindow);
        context_.projectOpen = true;
        data_.setCascadeSwitch(true);
        return true;
    } catch (const Error& e) {
        data_.CloseQuery();
        site_.clear();
        context_.projectOpen = false;
        data_.setCascadeSwitch(true);
        prompter.error(e.what());
        return false;
    }
}

void ProjectSession::markClosed(Progress& progress, Prompter& prompter) {
    const auto saveTreeState = [&] {
        try {
            site_.saveExpansion(progress);
        } catch (const Error& e) {
            // Only the expansion of the tree is lost; the end of work is still recorded.
            prompter.error(e.what());
        }
    };
    try {
        storage::markProjectClosed(context_, saveTreeState);
    } catch (const Error&) {
        // The settings file went read-only or away while the project was open; the next open
        // then runs the full check, which is what an unrecorded end should cause.
    }
}

} // namespace arkona::app
