#include "generator/page_generator.h"

#include "base/error.h"
#include "generator/navigation.h"
#include "generator/page_file.h"
#include "generator/progress_texts.h"
#include "site/relative_path.h"

#include <array>

namespace arkona::generator {

namespace {

constexpr std::array<const char*, 10> kMarginAttributes = {
    " MARGINHEIGHT=\"", " MARGINWIDTH=\"", " TOPMARGIN=\"",  " LEFTMARGIN=\"",  " RIGHTMARGIN=\"",
    " BOTTOMMARGIN=\"", " TOPBORDER=\"",   " LEFTBORDER=\"", " RIGHTBORDER=\"", " BOTTOMBORDER=\""};

// The first occurrence of an ASCII tag in any letter case.
size_t findNoCase(std::string_view text, std::string_view tag) {
    if (tag.size() > text.size()) {
        return std::string_view::npos;
    }
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (size_t i = 0; i + tag.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < tag.size() && upper(text[i + k]) == tag[k]) {
            ++k;
        }
        if (k == tag.size()) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string metaLine(std::string_view kind, std::string_view name, std::string_view value) {
    return "  <META " + std::string(kind) + "=\"" + attributeValue(name) + "\" CONTENT=\"" +
           attributeValue(value) + "\">";
}

} // namespace

Moment systemMoment() {
    return {Date::today(), TimeOfDay::now()};
}

std::string bodyTag(const PageRecord& page, std::string_view folder, bool backgroundExists) {
    std::string tag = "<BODY";
    tag += page.textColour.empty() ? " TEXT=\"#000000\"" : " TEXT=\"#" + page.textColour + "\"";
    if (!page.pageColour.empty()) {
        tag += " BGCOLOR=\"#" + page.pageColour + "\"";
    }
    if (!page.background.empty() && backgroundExists) {
        tag += " BACKGROUND=\"" + site::RelativePath(folder, "/_images") + page.background + "\"";
    }
    for (size_t i = 0; i < page.margins.size(); ++i) {
        if (page.margins[i] >= 0) {
            tag += kMarginAttributes[i];
            tag += std::to_string(page.margins[i]);
            tag += '"';
        }
    }
    if (!page.linkColour.empty()) {
        tag += " LINK=\"#" + page.linkColour + "\"";
    }
    if (!page.visitedLinkColour.empty()) {
        tag += " VLINK=\"#" + page.visitedLinkColour + "\"";
    }
    if (!page.activeLinkColour.empty()) {
        tag += " ALINK=\"#" + page.activeLinkColour + "\"";
    }
    tag += '>';
    return tag;
}

std::string baseFontLine(std::string_view font) {
    if (font.size() <= 5 || font.find('>', 5) == std::string_view::npos) {
        return {};
    }
    return "<BASEFONT" + std::string(font.substr(5));
}

std::string footerText(std::string_view footer) {
    std::string_view text = footer;
    text = text.substr(0, findNoCase(text, "</BODY>"));
    text = text.substr(0, findNoCase(text, "</HTML>"));
    return std::string(text);
}

PageGenerator::PageGenerator(const SiteSnapshot& snapshot, GeneratorSettings settings,
                             GenerationDisplay& display, Prompter& prompter)
    : snapshot_(snapshot), settings_(std::move(settings)), display_(display), prompter_(prompter),
      folders_(settings_.siteFolder), sections_(snapshot_, settings_, folders_) {
    sections_.onTemplateRead([this] { step(kStepTemplate); });
}

void PageGenerator::step(const char* caption) {
    display_.step(settings_.preview ? std::string() : std::string(caption));
}

void PageGenerator::countPage(const PageRecord& page) {
    if (settings_.preview) {
        return;
    }
    --remaining_;
    const long long done = total_ - remaining_;
    display_.pageStarted(fileLabel(page.disk, page.src), pageLabel(page.title),
                         stateLine(done, total_));
}

PageGenerator::Outcome PageGenerator::Generate(const std::string& pageId) {
    lastFailure_.reset();
    lastFile_.clear();
    lines_.clear();
    const site::PageNode* node = snapshot_.tree().find(pageId);
    const PageRecord* page = snapshot_.page(pageId);
    // A link page shares its target's file: generating it would write the target's file
    // from the link row, or a stray page at the site root.
    if (!node || !page || page->link || !page->complete) {
        return Outcome::NotAPage;
    }
    countPage(*page);
    if (settings_.siteFolder.empty() && page->path.empty()) {
        return Outcome::NotAPage;
    }
    step(kStepHeader);
    PageState state{*page, *node, page->path, baseFontLine(page->font), {}, lines_};
    state.bodyTag =
        bodyTag(*page, state.folder,
                !page->background.empty() && folders_.contains("\\_images", page->background));
    head(state);
    if (snapshot_.isFrameSetPage(page->id)) {
        frameSetPage(state);
    } else {
        normalPage(state);
    }
    step(kStepClosing);
    return write(*page) ? Outcome::Written : Outcome::Failed;
}

void PageGenerator::head(PageState& state) {
    auto& out = state.lines;
    out.add("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">");
    out.add("<HTML>");
    out.add("<HEAD>");
    out.add("  <TITLE> " + settings_.projectName + " </TITLE>");
    out.add("  <META http-equiv=\"Content-Type\" CONTENT=\"text/html; CHARSET=windows-1250\">");
    for (const PageVariable& v : snapshot_.systemVariables(state.page.id)) {
        out.add(metaLine("http-equiv", v.name, v.value));
    }
    out.add("  <META NAME=\"Generator\" CONTENT=\"Arkona; 0\">");
    if (!settings_.projectName.empty()) {
        out.add(metaLine("NAME", "Title", settings_.projectName));
    }
    if (!settings_.author.empty()) {
        out.add(metaLine("NAME", "Author", settings_.author));
    }
    if (!settings_.company.empty()) {
        out.add(metaLine("NAME", "Company", settings_.company));
    }
    for (const PageVariable& v : snapshot_.userVariables(state.page.id)) {
        out.add(metaLine("NAME", v.name, v.value));
    }
}

void PageGenerator::frameSetPage(PageState& state) {
    step(kStepSections);
    step(kStepHeader);
    state.lines.add(state.page.header);
    sections_.Sekce_Hlavni(state);
    state.lines.add("</HTML>");
}

void PageGenerator::redirectScript(PageState& state) {
    const PageRecord& page = state.page;
    std::string hostPath = "/hlavni.htm";
    std::string hostName = "hlavni.htm";
    if (!page.owner.empty()) {
        hostPath = page.owner;
        hostName = page.owner.front() == '/' ? page.owner.substr(1) : page.owner;
    }
    const std::string hostFolder = hostPath.substr(0, hostPath.find(hostName));
    auto& out = state.lines;
    out.add("<SCRIPT languague=\"JavaScript\">");
    out.add("<!--");
    out.add("if(top==self){self.location.href=\"" + site::RelativePath(state.folder, hostFolder) +
            hostName + "?." + page.path + "/" + page.src + ".htm\";}");
    // Only the page in the work frame says where the root is; the navigation frame's page would
    // otherwise overwrite it with its own way back.
    out.add("if(self.name==\"wsp\"){self.parent.cestawsp=\"" + site::RelativePath(page.path, "") +
            "\";}");
    out.add("//-->");
    out.add("</SCRIPT>");
    out.add("</HEAD>\r");
}

void PageGenerator::normalPage(PageState& state) {
    const PageRecord& page = state.page;
    auto& out = state.lines;
    redirectScript(state);
    out.add(state.bodyTag);
    if (!state.baseFont.empty()) {
        out.add(state.baseFont);
    }
    if (page.table) {
        out.add("<TABLE WIDTH=\"100%\" CELLPADING=0 CELLSPACING=0 BORDER=0>");
        if (page.navigationColour != "FFFFFE") {
            out.add("<TR><TD WIDTH=\"" + page.tableWidth + "\" BGCOLOR=\"#" +
                    page.navigationColour + "\" VALIGN=\"TOP\">");
        } else {
            out.add("<TR><TD WIDTH=\"" + page.tableWidth + "\" VALIGN=\"TOP\">");
        }
    }
    step(kStepNavigation);
    if (page.table) {
        LoadNavigator(snapshot_, state.node, page, state.folder, settings_.options.skipSectionLevel,
                      out);
        out.add("</TD><TD WIDTH=\"3%\" VALIGN=\"TOP\">&nbsp;</TD><TD VALIGN=\"TOP\">");
    }
    out.add({});
    step(kStepHeader);
    out.add(page.header);
    step(kStepSections);
    sections_.Sekce(state);
    if (page.table) {
        out.add("</TD></TR></TABLE>");
        out.add("<BR>");
    }
    step(kStepFooter);
    footer(state);
}

std::string PageGenerator::dateLine() const {
    const GenerationOptions& o = settings_.options;
    std::string line = " <BR>" + o.dateLineText;
    if (o.date || o.time) {
        const Moment now = settings_.clock();
        if (o.date) {
            line += " " + Locale::current().formatDate(now.date);
        }
        if (o.time) {
            line += " " + Locale::current().formatTime(now.time);
        }
    }
    return line;
}

void PageGenerator::footer(PageState& state) {
    auto& out = state.lines;
    out.add(footerText(state.page.footer));
    out.add("<P ALIGN=\"RIGHT\">" + state.page.font + "<FONT SIZE=1>");
    out.add(std::string("<BR><A HREF=\"") + kProductAddress + "\" TARGET=\"_BLANK\">");
    out.add("<IMG SRC=\"" + site::RelativePath(state.folder, "/_images") +
            "arlogo.gif\" BORDER=\"0\" WIDTH=\"85\" HEIGHT=\"28\" ALIGN=\"RIGHT\" ALT=\"Powered "
            "by ARKONA\">");
    out.add("</A>");
    if (settings_.options.dateLine) {
        out.add(dateLine());
    }
    out.add("</P>");
    out.add("</BODY></HTML>");
}

// A page's file must stay inside the site folder whatever its row says: no folder named "." or
// "..", no file name that is one or holds a separator.
static bool staysInSite(const PageRecord& page) {
    size_t start = 0;
    const std::string_view disk = page.disk;
    while (start <= disk.size()) {
        size_t end = disk.find_first_of("\\/", start);
        if (end == std::string_view::npos) {
            end = disk.size();
        }
        const std::string_view part = disk.substr(start, end - start);
        if (part == "." || part == "..") {
            return false;
        }
        start = end + 1;
    }
    return page.src != "." && page.src != ".." &&
           page.src.find_first_of("\\/") == std::string::npos;
}

SiteFolders::Target PageGenerator::targetFile(const PageRecord& page) {
    if (!staysInSite(page)) {
        throw Error("Soubor stránky " + page.id + " („" + page.disk + "\\" + page.src +
                    ".htm“) by ležel mimo složku webu.");
    }
    if (settings_.preview && settings_.mainFramePass) {
        // The folder of the page is created in every mode, as a whole-site run would.
        folders_.createFolder(page.disk);
        return folders_.fileToWrite("", kPreviewMainFile);
    }
    return folders_.fileToWrite(page.disk,
                                settings_.preview ? kPreviewPageFile : page.src + ".htm");
}

bool PageGenerator::write(const PageRecord& page) {
    try {
        const SiteFolders::Target target = targetFile(page);
        lastFile_ = target.path;
        lines_.encodeTo(fileBytes_);
        // A file written earlier in this run is known; one that was there may be read-only.
        writePageFile(lastFile_, fileBytes_, target.existed);
        return true;
    } catch (const std::exception& e) {
        lastFailure_ = PageFailure{page.id, lastFile_, e.what()};
    }
    if (settings_.preview) {
        prompter_.warning(kWriteFailed);
    }
    return false;
}

} // namespace arkona::generator
