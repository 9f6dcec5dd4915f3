#pragma once

#include "base/progress.h"
#include "base/prompter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace arkona::app {

// An HTML editor the environment settings can find on the PATH. The parameter makes the
// editor stay in the foreground until its window is closed, because the program waits for the
// editor's process to end before it reads the edited page back.
struct KnownEditor {
    const char* program;   // file name on the PATH
    const char* kindText;  // "editor" or "prohlížeč" in the question
    const char* shownName; // as the question names it
    const char* parameter;
};

const std::vector<KnownEditor>& knownHtmlEditors();

struct FoundEditor {
    std::filesystem::path program;
    std::string parameter;
};

// The question asked for one found editor (three lines).
std::string foundEditorQuestion(const KnownEditor& editor, const std::filesystem::path& file);

// Walks the folders of `pathVariable` (":"-separated) in order and asks about every known
// editor found there, in the order of the list. Ends at the first Yes, at the end of the list,
// or when the progress window is cancelled. A folder named twice is searched once.
std::optional<FoundEditor> searchHtmlEditors(const std::string& pathVariable, Progress& progress,
                                             Prompter& prompter);

} // namespace arkona::app
