#pragma once

#include "base/dbf/table.h"
#include "storage/project_context.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace arkona {
class Prompter;
}

namespace arkona::storage {
class TData2;
}

namespace arkona::site {

// What a text section keeps of a whole HTML page loaded from a file: the part after </head>
// and before </body> (found without regard to letter case), line breaks at its start removed.
std::string bodyOfHtmlPage(std::string_view page);

// A page variable: name and value, trimmed.
using Variable = std::pair<std::string, std::string>;

// The document the external editor gets for a text section: the page's head with its
// variables, the body tag and layout of its look, the header, the section's HTML between the
// two marker comments, the footer. Lines end with CR LF.
struct EditorPage {
    std::string projectName;
    std::filesystem::path siteFolder;
    const dbf::Record* page = nullptr; // the page row (struktur.dbf)
    std::vector<Variable> systemVariables;
    std::vector<Variable> userVariables;
};
std::string buildEditorDocument(const EditorPage& page, const std::string& sectionHtml);

inline constexpr const char* kNavigationEndMark = "<!-- Konec navigace-->";
inline constexpr const char* kFooterStartMark = "<!--__Zacatek paty sek";

// The section's text in what the editor handed back: after the first navigation-end mark,
// without line breaks at its start, up to the footer mark (without the line break the document
// put before it). Nothing when a mark is missing.
std::optional<std::string> cutEditorResult(std::string_view document);

// Pictures the user put into the text from elsewhere: every SRC="..." naming a file outside
// the page folder (file:// address, absolute path, drive letter, or a path with "..", which is
// taken from the document's own folder) is copied into `pageFolder` and the value reduced to
// the bare file name. A failed copy is shown and the work goes on.
std::string importPictures(std::string text, const std::filesystem::path& pageFolder,
                           Prompter& prompter);

// Editing the current text section of the data module in an external program: `prepare`
// writes the document as temp.htm into the page's folder; the caller runs the editor on
// `file()` and waits for it; `finish` reads what came back and stores it.
class ExternalSectionEdit {
public:
    ExternalSectionEdit(storage::TData2& data, const storage::ProjectContext& context);

    // Writes the file. Throws arkona::Error with the warning the user sees when it cannot.
    void prepare();
    const std::filesystem::path& file() const { return file_; }

    // `returnedAtOnce`: the editor ended before the user could have worked (a launcher handing
    // the file to an editor already running). With the file still unchanged the user is asked
    // to confirm when the editing is done; Cancel keeps the section as it was. Returns whether
    // the section was changed. The temporary file is removed.
    bool finish(Prompter& prompter, bool returnedAtOnce);

private:
    bool fileChanged() const;

    storage::TData2& data_;
    const storage::ProjectContext& context_;
    std::filesystem::path pageFolder_;
    std::filesystem::path file_;
    std::string written_;
};

} // namespace arkona::site
