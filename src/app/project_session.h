#pragma once

#include "base/prompter.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/user_settings.h"

#include <filesystem>
#include <functional>

namespace arkona::app {

// Opening and closing the one open project: the context, the data module's binding and the
// user's last browsed folder move together.
class ProjectSession {
public:
    ProjectSession(storage::ProjectContext& context, storage::TData2& data,
                   storage::UserSettings& settings)
        : context_(context), data_(data), settings_(settings) {}

    // Opens the project in `folder`. A folder without ArkonaTree.ini is refused with a warning;
    // a failure of the storage layer shows its message. Either way no project is open after a
    // failure.
    bool open(const std::filesystem::path& folder, Prompter& prompter);

    // Records the end of work in the open project's settings (see markProjectClosed).
    void markClosed(const std::function<void()>& saveTreeState);

    bool isOpen() const { return context_.projectOpen; }
    const storage::ProjectContext& context() const { return context_; }

private:
    storage::ProjectContext& context_;
    storage::TData2& data_;
    storage::UserSettings& settings_;
};

// The warning for a folder that is not a project.
std::string notAProjectMessage(const std::filesystem::path& folder);

} // namespace arkona::app
