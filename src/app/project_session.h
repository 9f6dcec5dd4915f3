#pragma once

#include "base/progress.h"
#include "base/prompter.h"
#include "site/site_structure.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/user_settings.h"

#include <filesystem>
#include <functional>

namespace arkona::app {

// Opening and closing the one open project: the context, the data module's binding, the page
// tree and the user's last browsed folder move together.
class ProjectSession {
public:
    ProjectSession(storage::ProjectContext& context, storage::TData2& data,
                   storage::UserSettings& settings, site::SiteStructure& site)
        : context_(context), data_(data), settings_(settings), site_(site) {}

    // Opens the project in `folder` and builds its page tree, repairing broken rows (the
    // renumbering after a repair shows itself in `window`). A folder without ArkonaTree.ini is
    // refused with a warning; a failure of the storage layer shows its message. Either way no
    // project is open after a failure.
    bool open(const std::filesystem::path& folder, Prompter& prompter,
              const site::LoadDisplay& display = {}, Progress* window = nullptr);

    // Records the end of work in the open project: the expansion of the page tree (shown in
    // `progress`), then the settings (see markProjectClosed).
    void markClosed(Progress& progress, Prompter& prompter);

    bool isOpen() const { return context_.projectOpen; }
    const storage::ProjectContext& context() const { return context_; }

private:
    storage::ProjectContext& context_;
    storage::TData2& data_;
    storage::UserSettings& settings_;
    site::SiteStructure& site_;
};

// The warning for a folder that is not a project.
std::string notAProjectMessage(const std::filesystem::path& folder);

} // namespace arkona::app
