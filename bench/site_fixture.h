#pragma once

// Large synthetic shops for the generator benchmarks: a tree of pages four levels deep (a
// frame-set page, top-level sections, two levels of sub-sections, leaf pages), each page with
// a header, a footer, two text sections and two variables. The same tree can be written as the
// content of a Hugo site with an open-path navigation menu, so that both build the same pages.

#include "base/dbf/table.h"
#include "base/profile.h"
#include "site/page_rows.h"
#include "storage/schema.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace arkona::bench {

namespace fs = std::filesystem;

// The fan-out of each level; size 1 is about 5,000 pages, 2 about 10,000, 4 about 20,000.
struct SiteShape {
    std::array<int, 4> fanOut;
    int pages() const {
        int n = 1, width = 1; // the frame-set page
        for (int f : fanOut) {
            width *= f;
            n += width;
        }
        return n;
    }
};

inline SiteShape shapeOfSize(int size) {
    switch (size) {
    case 1:
        return {{8, 8, 8, 9}}; // 5,193 pages
    case 2:
        return {{10, 10, 10, 9}}; // 10,111
    case 4:
        return {{12, 12, 12, 11}}; // 20,893
    default:
        return {{4, 4, 4, 4}};
    }
}

// One page of the synthetic tree.
struct SyntheticPage {
    int number = 0;
    int parent = 0; // 0: top level
    int depth = 0;  // 0 for the top level
    std::string title;
    std::string path; // URL folder
    std::string src;
};

// The pages in tree order: the frame-set page "hlavni", then every section with its pages.
inline std::vector<SyntheticPage> syntheticTree(const SiteShape& shape) {
    std::vector<SyntheticPage> pages;
    pages.push_back({1, 0, 0, "Hlavní strana", "", "hlavni"});
    int next = 2;
    const auto add = [&](auto&& self, int parent, int depth, const std::string& path) -> void {
        for (int i = 1; i <= shape.fanOut[static_cast<size_t>(depth)]; ++i) {
            SyntheticPage p;
            p.number = next++;
            p.parent = parent;
            p.depth = depth;
            p.src = "p" + std::to_string(p.number);
            p.path = path;
            p.title = std::string(depth == 0 ? "Oddíl " : "Stránka ") + std::to_string(p.number);
            pages.push_back(p);
            if (depth + 1 < static_cast<int>(shape.fanOut.size())) {
                self(self, p.number, depth + 1, path + "/" + p.src);
            }
        }
    };
    add(add, 0, 0, "");
    return pages;
}

inline std::string sectionText(int page, int section) {
    std::string text =
        "<H2>Nabídka " + std::to_string(page) + "." + std::to_string(section) + "</H2>\r\n";
    for (int i = 0; i < 6; ++i) {
        text += "<P>Čerstvě pražená káva a sypané čaje z Číny, Japonska a Indie. Ke každé "
                "objednávce přidáváme vzorek, poštovné je zdarma od tisíce korun.</P>\r\n";
    }
    return text;
}

inline const char* kHeader = "<TABLE WIDTH=\"100%\"><TR><TD><H1>Čajovna U Lípy</H1></TD>"
                             "<TD ALIGN=\"RIGHT\">Praha 1, Lípová 12</TD></TR></TABLE>";
inline const char* kFooter = "<HR><FONT SIZE=1>Čajovna U Lípy, Lípová 12, Praha 1 – "
                             "tel. 222 333 444</FONT></BODY></HTML>";

// Writes the project: ArkonaTree.ini, every table, the rows of the pages, their sections and
// variables; PORADI already in tree order.
inline void makeProject(const fs::path& project, const std::vector<SyntheticPage>& pages) {
    fs::remove_all(project);
    fs::create_directories(project / "_dbf");
    {
        ProfileFile ini(project / "ArkonaTree.ini");
        ini.writeString("Projekt", "Name", "Čajovna U Lípy");
        ini.writeString("Projekt", "Autor", "Jana Nováková");
        ini.writeString("Generate", "GenAkt", "True");
        ini.save();
    }
    for (const auto& schema : storage::projectTables()) {
        dbf::Table::create(project / "_dbf" / schema.fileName, schema.fields());
    }
    const auto file = [&](const char* name) { return project / "_dbf" / name; };
    {
        auto table = dbf::Table::open(file(storage::kStruktur));
        std::vector<dbf::Record> rows;
        for (size_t i = 0; i < pages.size(); ++i) {
            const SyntheticPage& p = pages[i];
            auto r = table.blankRecord();
            r.setText("HTMLID", site::pageIdentifier(p.number));
            r.setNumber("N_HTMLID", p.number);
            r.setNumber("PORADI", static_cast<double>(i + 1));
            r.setText("PARENT", p.parent ? site::pageIdentifier(p.parent) : "0_");
            r.setText("POPIS", p.title);
            r.setText("SRC", p.src);
            r.setText("PATH", p.path);
            std::string disk = p.path;
            for (char& c : disk) {
                c = c == '/' ? '\\' : c;
            }
            r.setText("DISK", disk);
            r.setLogical("LINK", false);
            r.setLogical("NAVIGACE", p.number != 1);
            r.setLogical("TAB", true);
            r.setText("TAB_WIDTH", "180");
            r.setText("TD1_C", "E8F0E0");
            r.setText("TXT_COLOR", "202020");
            r.setText("BGCOLOR", "FFFFFF");
            r.setText("LINK_C", "2F5F2F");
            r.setText("VLINK_C", "2F5F2F");
            r.setText("ALINK_C", "B03000");
            r.setText("TXT_FONT",
                      R"(<FONT FACE="Verdana, Arial, Helvetica" SIZE=2 COLOR="#202020">)");
            for (int level = 1; level <= 6; ++level) {
                const std::string l = "L" + std::to_string(level);
                r.setText(l + "_OM", "nav.gif");
                r.setText(l + "_OV", "vyb.gif");
                r.setText(l + "_TXT", "<FONT FACE=\"Verdana, Arial, Helvetica\" SIZE=" +
                                          std::string(level == 1 ? "2" : "1") +
                                          " COLOR=\"#2F5F2F\">" + (level == 1 ? "<B>" : ""));
            }
            r.setNumber("TYPTREE", 2);
            for (const char* m : {"TOP_MRG", "LEFT_MRG", "MRG_HEIGHT", "MRG_WIDTH"}) {
                r.setNumber(m, 10);
            }
            r.setMemo("HD", kHeader);
            r.setMemo("FT", kFooter);
            rows.push_back(std::move(r));
        }
        table.append(rows);
    }
    {
        auto table = dbf::Table::open(file(storage::kHtml));
        std::vector<dbf::Record> rows;
        for (const auto& p : pages) {
            const std::string id = site::pageIdentifier(p.number);
            if (p.number == 1) {
                auto r = table.blankRecord();
                r.setText("HTMLID", id);
                r.setNumber("SEKCEID", 1);
                r.setNumber("PORADI", 1);
                r.setText("TYP", "h");
                rows.push_back(std::move(r));
                continue;
            }
            for (int s = 1; s <= 2; ++s) {
                auto r = table.blankRecord();
                r.setText("HTMLID", id);
                r.setNumber("SEKCEID", s);
                r.setNumber("PORADI", s);
                r.setText("TYP", "t");
                r.setText("POPIS", "Text " + std::to_string(s));
                r.setMemo("HTML", sectionText(p.number, s));
                rows.push_back(std::move(r));
            }
        }
        table.append(rows);
    }
    for (const char* name : {storage::kPromSys, storage::kPromUsr}) {
        auto table = dbf::Table::open(file(name));
        std::vector<dbf::Record> rows;
        for (const auto& p : pages) {
            auto r = table.blankRecord();
            r.setText("HTMLID", site::pageIdentifier(p.number));
            r.setText("NAZEV", name == std::string(storage::kPromSys) ? "Expires" : "Keywords");
            r.setText("HODNOTA", name == std::string(storage::kPromSys) ? "0" : "čaj, káva");
            rows.push_back(std::move(r));
        }
        table.append(rows);
    }
}

// The same pages as a Hugo site: sections with _index.md, leaf pages as pages, the text
// sections as the HTML of each page, and layouts that write the same open-path navigation
// column (every top-level page, every level along the way to the page opened).
inline void makeHugoSite(const fs::path& root, const std::vector<SyntheticPage>& pages) {
    fs::remove_all(root);
    fs::create_directories(root / "content");
    fs::create_directories(root / "layouts" / "_default");
    fs::create_directories(root / "layouts" / "partials");
    std::ofstream(root / "config.toml")
        << "baseURL = \"http://example.org/\"\n"
           "title = \"Čajovna U Lípy\"\n"
           "disableKinds = [\"taxonomy\", \"term\", \"RSS\", \"sitemap\", \"robotsTXT\", "
           "\"404\"]\n"
           "[markup.goldmark.renderer]\n"
           "unsafe = true\n";
    const std::string page =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n<HTML>\n<HEAD>\n"
        "  <TITLE> {{ .Site.Title }} </TITLE>\n"
        "  <META NAME=\"Keywords\" CONTENT=\"čaj, káva\">\n</HEAD>\n"
        "<BODY TEXT=\"#202020\" BGCOLOR=\"#FFFFFF\">\n"
        "<TABLE WIDTH=\"100%\"><TR><TD WIDTH=\"180\" BGCOLOR=\"#E8F0E0\" VALIGN=\"TOP\">\n"
        "{{ partial \"nav.html\" (dict \"cur\" . \"list\" .Site.Home.Pages \"level\" 1) }}"
        "</TD><TD VALIGN=\"TOP\">\n" +
        std::string(kHeader) + "\n{{ .Content }}\n</TD></TR></TABLE>\n" + kFooter + "\n";
    std::ofstream(root / "layouts" / "_default" / "single.html") << page;
    std::ofstream(root / "layouts" / "_default" / "list.html") << page;
    std::ofstream(root / "layouts" / "index.html") << page;
    std::ofstream(root / "layouts" / "partials" / "nav.html")
        << "{{ $cur := .cur }}{{ $level := .level }}{{ range .list }}"
           "{{ $on := or (eq . $cur) (.IsAncestor $cur) }}"
           "{{ if gt $level 1 }}{{ range seq (mul 2 (sub $level 1)) }}&nbsp;{{ end }}{{ end }}"
           "<A HREF=\"{{ .RelPermalink }}\" TARGET=\"wsp\"><IMG SRC=\"/_images/"
           "{{ if $on }}vyb{{ else }}nav{{ end }}.gif\" BORDER=\"0\" ALT=\"+\">"
           "<FONT FACE=\"Verdana, Arial, Helvetica\" SIZE=1 COLOR=\"#2F5F2F\">{{ .Title }}"
           "</FONT></A><BR>\n"
           "{{ if and $on .IsSection }}{{ partial \"nav.html\" (dict \"cur\" $cur \"list\" "
           ".Pages \"level\" (add $level 1)) }}{{ end }}{{ end }}";
    // Folders of the sections, by page number.
    std::vector<fs::path> folder(pages.size() + 2);
    std::vector<bool> hasChildren(pages.size() + 2, false);
    for (const auto& p : pages) {
        hasChildren[static_cast<size_t>(p.parent)] = true;
    }
    int weight = 0;
    for (const auto& p : pages) {
        const fs::path parent = p.parent ? folder[static_cast<size_t>(p.parent)] : root / "content";
        std::string body =
            "---\ntitle: \"" + p.title + "\"\nweight: " + std::to_string(++weight) + "\n---\n";
        if (p.number != 1) {
            body += sectionText(p.number, 1) + sectionText(p.number, 2);
        }
        if (hasChildren[static_cast<size_t>(p.number)]) {
            folder[static_cast<size_t>(p.number)] = parent / p.src;
            fs::create_directories(parent / p.src);
            std::ofstream(parent / p.src / "_index.md") << body;
        } else {
            std::ofstream(parent / (p.src + ".md")) << body;
        }
    }
}

} // namespace arkona::bench
