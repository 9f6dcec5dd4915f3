#pragma once

#include "storage/data_module.h"
#include "storage/project_context.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace arkona {
class Prompter;
}

namespace arkona::site {

// Title and label of the input box that asks for a new section's description.
struct SectionPrompt {
    std::string title;
    std::string label;
};
SectionPrompt newSectionPrompt(char kind);

// Text every stored HTML memo has: line ends CR LF (a lone LF or CR from a Linux editor or
// file becomes CR LF).
std::string withCrLf(std::string_view text);

// The sections of the current page of the data module (qStruktur's row, listed in qHtml by
// PORADI) and what the user does to them. Every change is stored at once through the module's
// section write operations; the section that was worked on stays current in qHtml.
class PageSections {
public:
    PageSections(storage::TData2& data, storage::ProjectContext& context)
        : data_(data), context_(context) {}

    std::string page() const; // HTMLID of the current page; empty when there is none
    int count() const;        // sections of the current page

    // Appends a section: 't', 'p', 'o', 'k', 'h' with the description the user typed; 'X' an
    // empty text section and 'Y' an empty product section (the first section of a new page).
    // Returns its SEKCEID.
    int add(char kind, const std::string& description);
    void describe(const std::string& description);
    // Removes the current section (a product section's goods first) and numbers the rest
    // 1..n in their order. Nothing happens without sections.
    void removeCurrent();
    // Gives the sections the order of `sectionIds` (SEKCEID values, first first): PORADI 1..n.
    // The section current before stays current.
    void reorder(const std::vector<int>& sectionIds);
    // SABID of the current section; a product template becomes the project's last used one.
    void setTemplate(const std::string& fileName);
    // HTML of the current (text) section, stored with CR LF line ends.
    void setHtml(const std::string& html);

    // SABID of a new product section: the last used product template, "default.qsp" when the
    // project has none.
    std::string templateForNewProductSection() const;

    // Makes the section with this SEKCEID current (first section when it is gone).
    void select(int sectionId);
    int currentSection() const; // SEKCEID, 0 when none

private:
    void reload(int selectSection);
    void renumber();

    storage::TData2& data_;
    storage::ProjectContext& context_;
};

// The name to store as SABID for a template file the user chose. A file in the project's
// `_sablony` folder is taken as it is; one from elsewhere is copied in first, asking before it
// replaces a different file of the same name. Nothing when the user declines or the copy fails
// (the reason is shown).
std::optional<std::string> adoptTemplate(const storage::ProjectContext& context,
                                         const std::filesystem::path& chosen, Prompter& prompter);

} // namespace arkona::site
