#include "templates/template_files.h"

#include "base/error.h"
#include "base/paths.h"
#include "base/textcase.h"

#include <system_error>

namespace arkona::templates {

namespace fs = std::filesystem;

namespace {

std::string utf8Name(const fs::path& path) {
    const std::u8string s = path.filename().u8string();
    return std::string(s.begin(), s.end());
}

fs::path fromUtf8(std::string_view name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}

std::string quoted(const std::string& name) {
    return "\u201E" + name + "\u201C";
}

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

} // namespace

fs::path templatesFolder(const fs::path& projectFolder) {
    return paths::resolve(projectFolder, "_sablony");
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0:", 4)) == std::string_view::npos;
}

std::optional<fs::path> findTemplateFile(const fs::path& projectFolder, std::string_view name) {
    if (!isPlainFileName(name)) {
        return std::nullopt;
    }
    const fs::path found = paths::findEntryNoCase(templatesFolder(projectFolder), name);
    std::error_code ec;
    if (found.empty() || !fs::is_regular_file(found, ec)) {
        return std::nullopt;
    }
    return found;
}

TemplateLocation locateTemplate(const fs::path& projectFolder, std::string_view sabid,
                                TemplateKind kind) {
    const std::string_view name = text::trim(sabid);
    if (!name.empty()) {
        if (auto file = findTemplateFile(projectFolder, name)) {
            return {*file, false, true};
        }
    }
    const std::string fallback = defaultFileName(kind);
    if (auto file = findTemplateFile(projectFolder, fallback)) {
        return {*file, true, true};
    }
    return {templatesFolder(projectFolder) / fallback, true, false};
}

SectionTemplate readSectionTemplate(const fs::path& projectFolder, std::string_view sabid,
                                    TemplateKind kind, Defaults defaults) {
    const TemplateLocation at = locateTemplate(projectFolder, sabid, kind);
    return at.exists ? readTemplate(at.file, kind, defaults) : missingTemplate(kind, defaults);
}

ShopSettings readSectionShopSettings(const fs::path& projectFolder, std::string_view sabid,
                                     Defaults defaults) {
    const TemplateLocation at = locateTemplate(projectFolder, sabid, TemplateKind::Shop);
    return at.exists ? readShopSettings(at.file, defaults) : defaultShopSettings(defaults);
}

std::string replaceOnImportQuestion(const std::string& fileName) {
    return "Ve složce šablon projektu už je šablona " + quoted(fileName) +
           ".\rChcete ji nahradit vybraným souborem?\r(Ne: otevře se šablona, která už ve "
           "složce je.)";
}

std::string replaceOnSaveQuestion(const std::string& fileName) {
    return "Šablona " + quoted(fileName) + " už existuje.\rChcete ji přepsat?";
}

std::optional<fs::path> bringIntoTemplates(const fs::path& projectFolder, const fs::path& chosen,
                                           Prompter& prompter) {
    const fs::path folder = templatesFolder(projectFolder);
    if (sameFolder(chosen.parent_path(), folder)) {
        return chosen;
    }
    const std::string name = utf8Name(chosen);
    fs::path target = folder / chosen.filename();
    if (auto existing = findTemplateFile(projectFolder, name)) {
        const Answer a = prompter.ask(MessageKind::Question, Buttons::YesNoCancel,
                                      replaceOnImportQuestion(utf8Name(*existing)), Answer::No);
        if (a == Answer::Cancel) {
            return std::nullopt;
        }
        if (a == Answer::No) {
            return existing;
        }
        target = *existing;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::copy_file(chosen, target, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        throw Error("Šablonu " + quoted(name) +
                    " nelze zkopírovat do složky šablon projektu: " + ec.message());
    }
    return target;
}

std::optional<fs::path> targetForSaveAs(const fs::path& projectFolder, const fs::path& entered,
                                        TemplateKind kind, Prompter& prompter) {
    const std::string name = withExtension(utf8Name(entered), kind);
    if (!isPlainFileName(name) || name == extensionOf(kind)) {
        return std::nullopt;
    }
    if (auto existing = findTemplateFile(projectFolder, name)) {
        if (!prompter.questionYesNo(replaceOnSaveQuestion(utf8Name(*existing)), Answer::No)) {
            return std::nullopt;
        }
        return existing;
    }
    return templatesFolder(projectFolder) / fromUtf8(name);
}

} // namespace arkona::templates
