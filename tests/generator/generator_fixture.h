#pragma once

#include "base/codepage.h"
#include "generator/generation_options.h"
#include "generator/generation_run.h"
#include "site/page_rows.h"
#include "site/site_structure.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arkona::generator::test {

using arkona::test::Blank;
using arkona::test::Row;

// What a run showed: the page labels and the step captions, one string each.
class RecordingDisplay : public GenerationDisplay {
public:
    std::vector<std::string> events;
    std::function<void()> onIdle;
    void pageStarted(const std::string& file, const std::string& page,
                     const std::string& state) override {
        events.push_back("page|" + file + "|" + page + "|" + state);
    }
    void step(const std::string& caption) override { events.push_back("step|" + caption); }
    void idle() override {
        if (onIdle) {
            onIdle();
        }
    }
};

// The moment every page of a test is generated: 7 March 2026, 8:05:09.
inline Moment fixedMoment() {
    return {Date{2026, 3, 7}, TimeOfDay{8, 5, 9}};
}

// An empty project with helpers to describe its pages, sections and variables, and to run the
// generator over it with a fixed clock.
class GeneratorFixture : public ::testing::Test {
protected:
    arkona::test::TempDir dir;
    std::filesystem::path project = arkona::test::makeEmptyProject(dir.path());
    std::filesystem::path site = project / "WWW";
    storage::ProjectContext context;
    storage::TData2 data;
    site::SiteStructure structure{data, context};
    arkona::test::ScriptedPrompter prompter;
    arkona::test::RecordingProgress treeProgress;
    RecordingDisplay display;

    std::filesystem::path table(const char* name) const { return project / "_dbf" / name; }

    // Writes ArkonaTree.ini and reads it into the context, as opening the project does.
    void setProject(const std::string& ini) {
        arkona::test::writeFile(project / "ArkonaTree.ini", text::fromUtf8(ini));
        context.setProjectFolder(project);
        storage::readArkonaTree(context);
        context.projectOpen = true;
        data.SetProjectPath(project);
    }

    // A page row: the look every test page shares, then `changes`.
    static Row page(const std::string& id, double order, const std::string& parent,
                    const std::string& src, const std::string& path, const std::string& title,
                    const Row& changes = {}) {
        std::string disk = path;
        for (char& c : disk) {
            if (c == '/') {
                c = '\\';
            }
        }
        Row row = {{"HTMLID", id},
                   {"N_HTMLID", static_cast<double>(site::pageNumberOf(id))},
                   {"PORADI", order},
                   {"PARENT", parent},
                   {"SRC", src},
                   {"PATH", path},
                   {"DISK", disk},
                   {"POPIS", title},
                   {"LINK", false},
                   {"NAVIGACE", true},
                   {"TXT_COLOR", "202020"},
                   {"BGCOLOR", "FFFFEE"},
                   {"LINK_C", "0000CC"},
                   {"VLINK_C", "660066"},
                   {"ALINK_C", "CC0000"},
                   {"TXT_FONT", R"(<FONT FACE="Verdana CE, Arial" SIZE=2 COLOR="#202020">)"},
                   {"TAB", true},
                   {"TAB_WIDTH", "160"},
                   {"TD1_C", "E0F0E0"},
                   {"TYPTREE", 2},
                   {"L1_OM", "n1.gif"},
                   {"L1_OV", "v1.gif"},
                   {"L1_TXT", R"(<FONT FACE="Arial" SIZE=3 COLOR="#000000"><B>)"},
                   {"L2_OM", "n2.gif"},
                   {"L2_OV", "v2.gif"},
                   {"L2_TXT", R"(<FONT FACE="Arial" SIZE=2 COLOR="#003300">)"},
                   {"L3_OM", "n3.gif"},
                   {"L3_OV", "v3.gif"},
                   {"L3_TXT", R"(<FONT FACE="Arial" SIZE=2 COLOR="#333333"><I>)"},
                   {"L4_OM", "n4.gif"},
                   {"L4_OV", "v4.gif"},
                   {"L4_TXT", R"(<FONT FACE="Arial" SIZE=1 COLOR="#444444">)"},
                   {"L5_OM", "n5.gif"},
                   {"L5_OV", "v5.gif"},
                   {"L5_TXT", R"(<FONT FACE="Arial" SIZE=1 COLOR="#555555"><U>)"},
                   {"L6_OM", "n6.gif"},
                   {"L6_OV", "v6.gif"},
                   {"L6_TXT", R"(<FONT FACE="Arial" SIZE=1 COLOR="#666666">)"},
                   {"HD", "<H1>" + title + "</H1>"},
                   {"FT", "<HR>Čajovna U Lípy, Praha"}};
        for (const auto& change : changes) {
            bool replaced = false;
            for (auto& cell : row) {
                if (cell.first == change.first) {
                    cell.second = change.second;
                    replaced = true;
                }
            }
            if (!replaced) {
                row.push_back(change);
            }
        }
        return row;
    }

    void addPages(const std::vector<Row>& rows) {
        arkona::test::appendRows(table(storage::kStruktur), rows);
    }
    void addSection(const std::string& pageId, int sectionId, int order, const std::string& type,
                    const std::string& html = {}) {
        arkona::test::appendRows(table(storage::kHtml), {{{"HTMLID", pageId},
                                                          {"SEKCEID", sectionId},
                                                          {"PORADI", order},
                                                          {"TYP", type},
                                                          {"POPIS", "sekce"},
                                                          {"HTML", html}}});
    }
    void addVariable(const char* file, const std::string& pageId, const std::string& name,
                     const std::string& value) {
        arkona::test::appendRows(table(file),
                                 {{{"HTMLID", pageId}, {"NAZEV", name}, {"HODNOTA", value}}});
    }

    // Loads the tree as opening the project does.
    void loadTree() { structure.load({}, treeProgress); }

    RunReport generate(GenerationScope scope = GenerationScope::All,
                       const std::string& selected = {},
                       const GenerationOptions& options = GenerationOptions{}) {
        SiteGeneration run(structure, context, prompter);
        run.setClock(fixedMoment);
        return run.run(scope, selected, options, display, treeProgress);
    }

    std::string written(const std::string& relative) const {
        return arkona::test::readFile(site / relative);
    }
};

// Compares two generated files byte for byte; on a difference names the first line that
// differs, shown as UTF-8 with its line ends visible.
inline ::testing::AssertionResult sameBytes(const std::string& actual,
                                            const std::string& expected) {
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    const auto visible = [](std::string_view bytes) {
        std::string out;
        for (const char c : text::toUtf8(bytes)) {
            out += c == '\r'   ? std::string("\\r")
                   : c == '\n' ? std::string("\\n")
                               : std::string(1, c);
        }
        return out;
    };
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
        ++at;
    }
    const size_t lineStart = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
    const size_t line = static_cast<size_t>(std::count(
                            expected.begin(), expected.begin() + static_cast<long>(from), '\n')) +
                        1;
    return ::testing::AssertionFailure()
           << "line " << line << " differs (byte " << at
           << ")\n  generated: " << visible(std::string_view(actual).substr(from, at - from + 80))
           << "\n  expected:  " << visible(std::string_view(expected).substr(from, at - from + 80));
}

} // namespace arkona::generator::test
