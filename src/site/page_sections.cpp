#include "site/page_sections.h"

#include "base/dbf/file_io.h"
#include "base/error.h"
#include "base/paths.h"
#include "base/profile.h"
#include "base/prompter.h"
#include "site/section_types.h"

#include <algorithm>
#include <fstream>

namespace arkona::site {

SectionPrompt newSectionPrompt(char kind) {
    switch (kind) {
    case kProductSection:
        return {"Nová produktová sekce", "Popis sekce"};
    case kTextSection:
        return {"Nová textová sekce", "Popis sekce"};
    case kOrderSection:
        return {"Nová objednávka", "Popis"};
    case kCartSection:
        return {"Nová nákupní karta", "Popis"};
    case kMainSection:
        return {"Nová hlavní strana", "Popis"};
    default:
        return {};
    }
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string PageSections::page() const {
    return data_.qStruktur.isOpen() && !data_.qStruktur.isEmpty() ? data_.qStruktur.text("HTMLID")
                                                                  : std::string();
}

int PageSections::count() const {
    return data_.qHtml.isOpen() ? data_.qHtml.rowCount() : 0;
}

int PageSections::currentSection() const {
    if (!data_.qHtml.isOpen() || data_.qHtml.isEmpty()) {
        return 0;
    }
    return static_cast<int>(data_.qHtml.integer("SEKCEID"));
}

std::string PageSections::templateForNewProductSection() const {
    const std::string& last = context_.lastTemplate;
    // "default" is what the settings file gives when no product template was ever chosen.
    if (last.empty() || last == "default" || templateKindOfFile(last) != kProductSection) {
        return defaultTemplateOf("p");
    }
    return last;
}

int PageSections::add(char kind, const std::string& description) {
    const std::string id = page();
    if (id.empty()) {
        throw Error("Není vybrána žádná stránka.");
    }
    const char typ = kind == 'X' ? kTextSection : kind == 'Y' ? kProductSection : kind;
    if (sectionTypeName(std::string(1, typ)).empty()) {
        throw Error(std::string("Neznámý druh sekce „") + kind + "“.");
    }
    int sekceid = 0;
    int poradi = 0;
    data_.HTML_MAX(sekceid, poradi);
    auto& q = data_.qHtml;
    if (!q.isOpen()) {
        data_.HTML_SetHtmlID(id);
    }
    q.insert();
    q.setText("HTMLID", id);
    q.setNumber("SEKCEID", sekceid + 1);
    q.setNumber("PORADI", poradi + 1);
    q.setText("TYP", std::string(1, typ));
    q.setText("POPIS", kind == 'X' || kind == 'Y' ? std::string() : description);
    q.setText("SABID", typ == kProductSection ? templateForNewProductSection() : std::string());
    q.post();
    try {
        data_.HTML_UPDATE(6);
    } catch (...) {
        reload(0);
        throw;
    }
    reload(sekceid + 1);
    return sekceid + 1;
}

void PageSections::describe(const std::string& description) {
    auto& q = data_.qHtml;
    q.setText("POPIS", description);
    q.post();
    data_.HTML_UPDATE(1);
}

void PageSections::removeCurrent() {
    auto& q = data_.qHtml;
    if (!q.isOpen() || q.isEmpty()) {
        return;
    }
    q.remove(); // the module deletes the goods of a product section and the row itself
    renumber();
    reload(currentSection());
}

void PageSections::reorder(const std::vector<int>& sectionIds) {
    auto& q = data_.qHtml;
    const int selected = currentSection();
    for (size_t r = 0; r < sectionIds.size(); ++r) {
        if (!q.locate("SEKCEID", static_cast<double>(sectionIds[r]))) {
            continue; // removed meanwhile
        }
        if (q.integer("PORADI") == static_cast<long long>(r + 1)) {
            continue;
        }
        q.setNumber("PORADI", static_cast<double>(r + 1));
        q.post();
        data_.HTML_UPDATE(3);
    }
    reload(selected);
}

void PageSections::renumber() {
    auto& q = data_.qHtml;
    for (int i = 0; i < q.rowCount(); ++i) {
        q.moveTo(i);
        if (q.integer("PORADI") != i + 1) {
            q.setNumber("PORADI", i + 1);
            q.post();
            data_.HTML_UPDATE(3);
        }
    }
}

void PageSections::setTemplate(const std::string& fileName) {
    auto& q = data_.qHtml;
    q.setText("SABID", fileName);
    q.post();
    data_.HTML_UPDATE(4);
    if (templateKindOfFile(fileName) == kProductSection) {
        ProfileFile::write(context_.iniPath(), "sablony", "posledni_pouzita", fileName);
        context_.lastTemplate = fileName;
    }
}

void PageSections::setHtml(const std::string& html) {
    auto& q = data_.qHtml;
    q.setMemo("HTML", withCrLf(html));
    q.post();
    data_.HTML_UPDATE(2);
}

void PageSections::select(int sectionId) {
    auto& q = data_.qHtml;
    if (!q.isOpen() || q.isEmpty()) {
        return;
    }
    if (!q.locate("SEKCEID", static_cast<double>(sectionId))) {
        q.first();
    }
}

void PageSections::reload(int selectSection) {
    data_.HTML_SetHtmlID(page());
    select(selectSection);
}

std::optional<std::string> adoptTemplate(const storage::ProjectContext& context,
                                         const std::filesystem::path& chosen, Prompter& prompter) {
    const auto folder = paths::resolve(context.projectFolder, "\\_sablony");
    const std::string name = chosen.filename().string();
    std::error_code ec;
    if (std::filesystem::equivalent(chosen.parent_path(), folder, ec)) {
        return name;
    }
    const auto existing = paths::findEntryNoCase(folder, name);
    const auto target = existing.empty() ? folder / chosen.filename() : existing;
    if (!existing.empty()) {
        const auto same = [&] {
            std::ifstream a(chosen, std::ios::binary);
            std::ifstream b(existing, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(a), {}) ==
                   std::string(std::istreambuf_iterator<char>(b), {});
        };
        if (std::filesystem::equivalent(chosen, existing, ec) || same()) {
            return existing.filename().string();
        }
        if (!prompter.questionYesNo("Ve složce šablon projektu už je jiný soubor „" +
                                        existing.filename().string() +
                                        "“.\rChcete ho přepsat vybranou šablonou?",
                                    Answer::No)) {
            return std::nullopt;
        }
    }
    std::filesystem::create_directories(folder, ec);
    std::filesystem::copy_file(chosen, target, std::filesystem::copy_options::overwrite_existing,
                               ec);
    if (ec) {
        prompter.warning("Šablonu „" + chosen.string() +
                         "“ se nepodařilo zkopírovat do složky šablon projektu: " +
                         dbf::describeErrno(ec.value()) + ".");
        return std::nullopt;
    }
    return target.filename().string();
}

} // namespace arkona::site
