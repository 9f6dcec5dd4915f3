#include "site/section_editing.h"

#include "base/codepage.h"
#include "base/dbf/file_io.h"
#include "base/error.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "base/textcase.h"
#include "site/page_sections.h"
#include "storage/data_module.h"
#include "storage/schema.h"
#include "storage/statements.h"

#include <fstream>
#include <sstream>

namespace arkona::site {

namespace {

// Position of `needle` (ASCII) in `hay` without regard to letter case, from `from`.
size_t findNoCase(std::string_view hay, std::string_view needle, size_t from = 0) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (size_t i = from; i + needle.size() <= hay.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() && lower(hay[i + k]) == lower(needle[k])) {
            ++k;
        }
        if (k == needle.size()) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string_view dropLeadingBreaks(std::string_view s) {
    while (!s.empty() && (s.front() == '\r' || s.front() == '\n')) {
        s.remove_prefix(1);
    }
    return s;
}

std::string readFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw Error("Soubor „" + file.string() + "“ nelze číst.");
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string trimmed(const std::string& s) {
    return std::string(text::trim(s));
}

// The stored folder of a page ("\a\b") as the number of folders below the site.
int depthOf(std::string_view disk) {
    int depth = 0;
    bool inName = false;
    for (char c : disk) {
        if (c == '\\' || c == '/') {
            inName = false;
        } else if (!inName) {
            inName = true;
            ++depth;
        }
    }
    return depth;
}

std::string percentDecoded(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() &&
            std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The file a SRC value names outside the page folder, or nothing.
std::optional<std::filesystem::path> pictureSource(const std::string& value,
                                                   const std::filesystem::path& pageFolder) {
    std::string v = value;
    if (findNoCase(v, "file://") == 0) {
        v = percentDecoded(v.substr(7));
        if (v.size() > 3 && v[0] == '/' && v[2] == ':') {
            v.erase(0, 1); // file:///C:/... names a drive
        }
    }
    if (v.size() >= 3 && v[1] == ':' && (v[2] == '/' || v[2] == '\\')) {
        std::string native = v;
        for (char& c : native) {
            c = c == '/' ? '\\' : c;
        }
        return std::filesystem::path(native);
    }
    if (!v.empty() && v[0] == '/') {
        return std::filesystem::path(v);
    }
    if (v.find("..") != std::string::npos) {
        std::string relative = v;
        for (char& c : relative) {
            c = c == '\\' ? '/' : c;
        }
        return (pageFolder / relative).lexically_normal();
    }
    return std::nullopt;
}

std::string fileNameOf(const std::string& value) {
    const size_t slash = value.find_last_of("/\\");
    return slash == std::string::npos ? value : value.substr(slash + 1);
}

} // namespace

std::string bodyOfHtmlPage(std::string_view page) {
    std::string_view body = page;
    if (const size_t head = findNoCase(body, "</head>"); head != std::string_view::npos) {
        body.remove_prefix(head + 7);
        // The body tag itself is the page's, not the section's.
        const std::string_view rest = text::trim(body);
        if (findNoCase(rest, "<body") == 0) {
            const size_t close = rest.find('>');
            if (close != std::string_view::npos) {
                body = rest.substr(close + 1);
            }
        }
    }
    if (const size_t end = findNoCase(body, "</body>"); end != std::string_view::npos) {
        body = body.substr(0, end);
    }
    return std::string(dropLeadingBreaks(body));
}

std::string buildEditorDocument(const EditorPage& p, const std::string& sectionHtml) {
    const dbf::Record& page = *p.page;
    std::vector<std::string> lines = {
        "<HTML>", "<HEAD>", "  <TITLE> " + p.projectName + " </TITLE>",
        "  <META http-equiv=\"Content-Type\" CONTENT=\"text/html; CHARSET=windows-1250\">"};
    for (const auto& [name, value] : p.systemVariables) {
        lines.push_back("  <META http-equiv=\"" + name + "\" CONTENT=\"" + value + "\">");
    }
    for (const auto& [name, value] : p.userVariables) {
        lines.push_back("  <META NAME=\"" + name + "\" CONTENT=\"" + value + "\">");
    }
    lines.push_back("</HEAD>");

    std::string body = "<BODY";
    const std::string textColor = trimmed(page.text("TXT_COLOR"));
    body += " TEXT=\"#" + (textColor.empty() ? std::string("000000") : textColor) + "\"";
    if (const std::string bg = trimmed(page.text("BGCOLOR")); !bg.empty()) {
        body += " BGCOLOR=\"#" + bg + "\"";
    }
    if (const std::string picture = trimmed(page.text("BACKGROUND")); !picture.empty()) {
        std::error_code ec;
        if (std::filesystem::exists(paths::resolve(p.siteFolder, "\\_images\\" + picture), ec)) {
            std::string up;
            for (int i = depthOf(page.text("DISK")); i > 0; --i) {
                up += "../";
            }
            body += " BACKGROUND=\"" + up + "_images/" + picture + "\"";
        }
    }
    const std::pair<const char*, const char*> margins[] = {
        {"MRG_HEIGHT", "MARGINHEIGHT"}, {"MRG_WIDTH", "MARGINWIDTH"},
        {"TOP_MRG", "TOPMARGIN"},       {"LEFT_MRG", "LEFTMARGIN"},
        {"RIGHT_MRG", "RIGHTMARGIN"},   {"BOTTOM_MRG", "BOTTOMMARGIN"},
        {"TOP_BRD", "TOPBORDER"},       {"LEFT_BRD", "LEFTBORDER"},
        {"RIGHT_BRD", "RIGHTBORDER"},   {"BOTTOM_BRD", "BOTTOMBORDER"}};
    for (const auto& [column, attribute] : margins) {
        if (const auto v = page.integer(column); v && *v >= 0) {
            body += std::string(" ") + attribute + "=\"" + std::to_string(*v) + "\"";
        }
    }
    for (const auto& [column, attribute] :
         {std::pair{"LINK_C", "LINK"}, std::pair{"VLINK_C", "VLINK"},
          std::pair{"ALINK_C", "ALINK"}}) {
        if (const std::string c = trimmed(page.text(column)); !c.empty()) {
            body += std::string(" ") + attribute + "=\"#" + c + "\"";
        }
    }
    lines.push_back(body + ">");

    // The page font is a whole <FONT ...> tag; without one there is no base font.
    const std::string font = trimmed(page.text("TXT_FONT"));
    if (font.size() > 5 && findNoCase(font, "<font") == 0) {
        lines.push_back("<BASEFONT" + font.substr(5));
    }
    const bool table = page.isTrue("TAB");
    if (table) {
        lines.push_back("<TABLE WIDTH=\"100%\" CELLPADING=0 CELLSPACING=0 BORDER=0>");
        lines.push_back("<TR><TD WIDTH=\"" + trimmed(page.text("TAB_WIDTH")) + "\" BGCOLOR=\"#" +
                        trimmed(page.text("TD1_C")) + "\" VALIGN=\"TOP\">");
        lines.push_back("</TD><TD WIDTH=\"3%\" VALIGN=\"TOP\"></TD><TD VALIGN=\"TOP\">");
    }
    if (const std::string header = page.memo("HD"); !header.empty()) {
        lines.push_back(header);
    }
    lines.push_back(kNavigationEndMark);
    lines.push_back(sectionHtml);
    lines.push_back("<!--__Zacatek paty sekce-->");
    if (table) {
        lines.push_back("</TD></TR></TABLE>");
    }
    lines.push_back("<BR>");
    if (const std::string footer = page.memo("FT"); !footer.empty()) {
        lines.push_back(footer);
    }

    std::string document;
    for (const auto& line : lines) {
        document += line;
        document += "\r\n";
    }
    return document;
}

std::optional<std::string> cutEditorResult(std::string_view document) {
    const size_t start = document.find(kNavigationEndMark);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest =
        dropLeadingBreaks(document.substr(start + std::string_view(kNavigationEndMark).size()));
    const size_t end = rest.find(kFooterStartMark);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    rest = rest.substr(0, end);
    // The document put the mark on a line of its own; that line break is not the section's.
    if (rest.ends_with("\r\n")) {
        rest.remove_suffix(2);
    } else if (rest.ends_with("\n") || rest.ends_with("\r")) {
        rest.remove_suffix(1);
    }
    return std::string(rest);
}

std::string importPictures(std::string text, const std::filesystem::path& pageFolder,
                           Prompter& prompter) {
    size_t at = 0;
    while ((at = findNoCase(text, "SRC=\"", at)) != std::string::npos) {
        const size_t begin = at + 5;
        const size_t end = text.find('"', begin);
        if (end == std::string::npos) {
            break;
        }
        const std::string value = text.substr(begin, end - begin);
        const auto source = pictureSource(value, pageFolder);
        if (!source) {
            at = end + 1;
            continue;
        }
        const std::string name = fileNameOf(value);
        const auto target = pageFolder / name;
        std::error_code ec;
        if (!std::filesystem::equivalent(*source, target, ec)) {
            ec.clear();
            std::filesystem::copy_file(*source, target,
                                       std::filesystem::copy_options::overwrite_existing, ec);
            if (ec) {
                prompter.warning("Obrázek\r" + source->string() +
                                 "\r se nepodařilo zkopírovat do \r\"" + target.string());
            }
        }
        text.replace(begin, value.size(), name);
        at = begin + name.size() + 1;
    }
    return text;
}

// ---------------------------------------------------------------- ExternalSectionEdit

ExternalSectionEdit::ExternalSectionEdit(storage::TData2& data,
                                         const storage::ProjectContext& context)
    : data_(data), context_(context) {}

void ExternalSectionEdit::prepare() {
    const dbf::Record& page = data_.qStruktur.current();
    const std::string id = page.text("HTMLID");
    pageFolder_ = paths::resolve(context_.siteFolder, page.text("DISK"));
    file_ = pageFolder_ / "temp.htm";
    std::error_code ec;
    std::filesystem::create_directories(pageFolder_, ec);

    EditorPage p;
    p.projectName = context_.projectName;
    p.siteFolder = context_.siteFolder;
    p.page = &page;
    const auto variablesOf = [&](const char* tableName) {
        std::vector<Variable> list;
        const auto table = dbf::Table::open(data_.tableFile(tableName), dbf::OpenMode::ReadOnly);
        for (auto recno : storage::findRows(table, {{"HTMLID", id}})) {
            const auto r = table.read(recno);
            list.emplace_back(trimmed(r.text("NAZEV")), trimmed(r.text("HODNOTA")));
        }
        return list;
    };
    p.systemVariables = variablesOf(storage::kPromSys);
    p.userVariables = variablesOf(storage::kPromUsr);
    written_ = text::fromUtf8ForHtml(buildEditorDocument(p, data_.qHtml.memo("HTML")));

    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    out << written_;
    out.close();
    if (!out) {
        throw Error("Soubor " + paths::forDisplay(file_) +
                    " pro úpravu externím editorem se nepodařilo vytvořit!");
    }
}

bool ExternalSectionEdit::fileChanged() const {
    try {
        return readFileBytes(file_) != written_;
    } catch (const Error&) {
        return true;
    }
}

bool ExternalSectionEdit::finish(Prompter& prompter, bool returnedAtOnce) {
    struct RemoveFile {
        std::filesystem::path file;
        ~RemoveFile() {
            std::error_code ec;
            std::filesystem::remove(file, ec);
        }
    } removeAtEnd{file_};
    if (returnedAtOnce && !fileChanged() &&
        !prompter.questionOkCancel(
            "Editor se ukončil hned po spuštění, text sekce se zřejmě upravuje v jeho již "
            "otevřeném okně.\rAž budete s úpravami hotovi a soubor uložíte, potvrďte tlačítko "
            "OK.\rTlačítkem Storno úpravu zrušíte, sekce zůstane beze změny.")) {
        return false;
    }
    const auto section = cutEditorResult(text::textFileToUtf8(readFileBytes(file_)));
    if (!section) {
        prompter.warning("Text vrácený editorem neobsahuje značky " +
                         std::string(kNavigationEndMark) +
                         " a <!--__Zacatek paty sekce-->.\rObsah sekce zůstal beze změny.");
        return false;
    }
    const std::string html = withCrLf(importPictures(*section, pageFolder_, prompter));
    if (html == data_.qHtml.memo("HTML")) {
        return false;
    }
    data_.qHtml.setMemo("HTML", html);
    data_.qHtml.post();
    data_.HTML_UPDATE(2);
    data_.previewCacheKey.clear();
    return true;
}

} // namespace arkona::site
