#pragma once

#include "base/prompter.h"
#include "generator/generator_settings.h"
#include "generator/page_lines.h"
#include "generator/page_state.h"
#include "generator/section_renderer.h"
#include "generator/site_folders.h"
#include "generator/site_snapshot.h"

#include <filesystem>
#include <optional>
#include <string>

namespace arkona::generator {

// What the generator shows while it works; every call may be ignored.
class GenerationDisplay {
public:
    virtual ~GenerationDisplay() = default;
    // Whole-site mode, before a page: its file (" \a\x.htm"), its title and the state line.
    virtual void pageStarted(const std::string& /*file*/, const std::string& /*page*/,
                             const std::string& /*state*/) {}
    // One step of the page; the caption is empty in preview mode.
    virtual void step(const std::string& /*caption*/) {}
    // Between two pages: a window lets its pending events run here (its stop button).
    virtual void idle() {}
};

// A page that could not be written.
struct PageFailure {
    std::string pageId;
    std::filesystem::path file;
    std::string reason;
};

// The body tag of a page: text colour (black when not set), background colour and picture,
// the margins and borders that are set, the link colours.
std::string bodyTag(const PageRecord& page, std::string_view folder, bool backgroundExists);

// The base-font line of a page: its font tag as a BASEFONT tag. Empty when nothing of the stored
// tag is left to close it, since a bare "<BASEFONT" would swallow the next tag of the page.
std::string baseFontLine(std::string_view font);

// The footer memo up to its first closing body tag, and that up to its first closing html tag
// (letter case ignored).
std::string footerText(std::string_view footer);

// Turns one page of the snapshot into one HTML file of the site (`Generate`): the document
// type, the head with its meta lines, and for a normal page the redirect script, the body, the
// two-column layout with the navigation column, the header, the sections, the footer, the logo
// and the date line; for a frame-set page the header and its sections. The file is built in
// memory and written in one piece, Windows-1250 with CR LF.
class PageGenerator {
public:
    PageGenerator(const SiteSnapshot& snapshot, GeneratorSettings settings,
                  GenerationDisplay& display, Prompter& prompter);
    PageGenerator(const PageGenerator&) = delete;
    PageGenerator& operator=(const PageGenerator&) = delete;

    GeneratorSettings& settings() { return settings_; }
    const GeneratorSettings& settings() const { return settings_; }

    // Whole-site mode: the pages of the run and those not generated yet.
    void setCounts(long long total, long long remaining) {
        total_ = total;
        remaining_ = remaining;
    }
    long long total() const { return total_; }
    long long remaining() const { return remaining_; }

    enum class Outcome { Written, Failed, NotAPage };
    // Generates the page with this HTMLID. A page that cannot be written gives Failed and
    // lastFailure(); in preview mode the user also hears "Náhled se nepodařilo korektně
    // vytvořit!". NotAPage: the tree or the table has no such page, or it is a link page.
    Outcome Generate(const std::string& pageId);

    const std::optional<PageFailure>& lastFailure() const { return lastFailure_; }
    // Warnings of the pages generated since the last call (pictures that could not be copied).
    std::vector<std::string> takeWarnings() { return sections_.takeWarnings(); }
    // How many template files the run has read.
    int templateFilesRead() const { return sections_.templates().filesRead(); }
    // The lines and the file of the last page generated.
    const PageLines& lines() const { return lines_; }
    const std::filesystem::path& lastFile() const { return lastFile_; }

private:
    void countPage(const PageRecord& page);
    void step(const char* caption);
    void head(PageState& state);
    void frameSetPage(PageState& state);
    void normalPage(PageState& state);
    void redirectScript(PageState& state);
    void footer(PageState& state);
    std::string dateLine() const;
    SiteFolders::Target targetFile(const PageRecord& page);
    bool write(const PageRecord& page);

    const SiteSnapshot& snapshot_;
    GeneratorSettings settings_;
    GenerationDisplay& display_;
    Prompter& prompter_;
    SiteFolders folders_;
    SectionRenderer sections_;
    long long total_ = 0;
    long long remaining_ = 0;
    PageLines lines_;
    std::string fileBytes_; // reused from page to page
    std::filesystem::path lastFile_;
    std::optional<PageFailure> lastFailure_;
};

} // namespace arkona::generator
