#pragma once

#include "base/prompter.h"
#include "templates/section_template.h"
#include "templates/shop_settings.h"
#include "templates/template_kind.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace arkona::templates {

// The project's _sablony folder (found without regard to case; "_sablony" when missing).
std::filesystem::path templatesFolder(const std::filesystem::path& projectFolder);

// Whether a name can name a file in _sablony: not empty, no folder part, not "." or "..".
bool isPlainFileName(std::string_view name);

// The file in _sablony whose name equals `name` without regard to case; nothing when there is
// none or the name is not a plain file name.
std::optional<std::filesystem::path> findTemplateFile(const std::filesystem::path& projectFolder,
                                                      std::string_view name);

// Where a section's template is read from: the file its SABID names in _sablony (found
// without regard to case); the kind's default file when SABID is empty, names no file there
// or is not a plain file name. `file` may not exist when the default is missing too.
struct TemplateLocation {
    std::filesystem::path file;
    bool isDefault = false; // the kind's default file stands in
    bool exists = false;
};
TemplateLocation locateTemplate(const std::filesystem::path& projectFolder, std::string_view sabid,
                                TemplateKind kind);

// A section's template or shop settings as the generator or editor reads them, by SABID.
SectionTemplate readSectionTemplate(const std::filesystem::path& projectFolder,
                                    std::string_view sabid, TemplateKind kind, Defaults defaults);
ShopSettings readSectionShopSettings(const std::filesystem::path& projectFolder,
                                     std::string_view sabid, Defaults defaults);

// A file the user chose to open, made a file of _sablony: a file already in _sablony is
// opened as it is; a file from elsewhere is copied there first. When _sablony already holds a
// file of that name (in any letter case) the user is asked: Yes replaces it with the chosen
// file, No opens the one already there, Cancel opens nothing. Returns the file to open.
// Throws arkona::Error with a Czech message when the copy fails.
std::optional<std::filesystem::path> bringIntoTemplates(const std::filesystem::path& projectFolder,
                                                        const std::filesystem::path& chosen,
                                                        Prompter& prompter);

// The file in _sablony that "save as" or "new" writes for the name the user entered: the
// kind's extension appended when missing, placed in _sablony whatever folder was chosen, in
// the letter case of a file of that name already there. When such a file exists the user is
// asked whether to replace it; nothing when the user declines or the name is no file name.
std::optional<std::filesystem::path> targetForSaveAs(const std::filesystem::path& projectFolder,
                                                     const std::filesystem::path& entered,
                                                     TemplateKind kind, Prompter& prompter);

// Texts of the questions above.
std::string replaceOnImportQuestion(const std::string& fileName);
std::string replaceOnSaveQuestion(const std::string& fileName);

} // namespace arkona::templates
