#include "app/editor_search.h"

#include <set>
#include <sstream>
#include <unistd.h>

namespace arkona::app {

namespace {

bool isExecutableFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
}

std::vector<std::filesystem::path> pathFolders(const std::string& pathVariable) {
    std::vector<std::filesystem::path> folders;
    std::set<std::filesystem::path> seen;
    std::stringstream in(pathVariable);
    std::string item;
    while (std::getline(in, item, ':')) {
        if (item.empty()) {
            continue;
        }
        std::filesystem::path folder = std::filesystem::path(item).lexically_normal();
        if (seen.insert(folder).second) {
            folders.push_back(folder);
        }
    }
    return folders;
}

} // namespace

const std::vector<KnownEditor>& knownHtmlEditors() {
    static const std::vector<KnownEditor> editors = {
        {"bluefish", "editor", "BLUEFISH", ""},
        {"kompozer", "editor", "KOMPOZER", ""},
        {"seamonkey", "prohlížeč", "SEAMONKEY", "-edit"},
        {"geany", "editor", "GEANY", "-i"},
        {"gedit", "editor", "GEDIT", "--wait"},
        {"kate", "editor", "KATE", "-b"},
        {"code", "editor", "VISUAL STUDIO CODE", "--wait"},
        {"gvim", "editor", "GVIM", "-f"},
        {"mousepad", "editor", "MOUSEPAD", ""},
        {"pluma", "editor", "PLUMA", ""},
        {"xed", "editor", "XED", ""},
    };
    return editors;
}

std::string foundEditorQuestion(const KnownEditor& editor, const std::filesystem::path& file) {
    return std::string("Byl nalezen ") + editor.kindText + " " + editor.shownName + ".\r" +
           "Chcete ho použít jako externí editor HTML?\r(" + file.string() + ")";
}

std::optional<FoundEditor> searchHtmlEditors(const std::string& pathVariable, Progress& progress,
                                             Prompter& prompter) {
    const auto folders = pathFolders(pathVariable);
    ProgressSetup setup;
    setup.title = "Prohledávání pevných disků";
    setup.message = "Čekejte prosím, prohledávám složku:";
    setup.cancelButton = true;
    setup.bars = ProgressBars::First;
    setup.animation = ProgressAnimation::Search;
    setup.maximum1 = static_cast<int>(std::max<std::size_t>(folders.size(), 1));
    progress.start(setup);
    std::optional<FoundEditor> chosen;
    for (const auto& folder : folders) {
        if (progress.cancelRequested()) {
            break;
        }
        progress.setMessage("Čekejte prosím, prohledávám složku:\r" + folder.string());
        for (const auto& editor : knownHtmlEditors()) {
            const auto file = folder / editor.program;
            if (!isExecutableFile(file)) {
                continue;
            }
            if (prompter.questionYesNo(foundEditorQuestion(editor, file))) {
                chosen = FoundEditor{file, editor.parameter};
                break;
            }
        }
        if (chosen) {
            break;
        }
        progress.step(1);
    }
    progress.finish();
    return chosen;
}

} // namespace arkona::app
