#pragma once

#include "base/prompter.h"

#include <filesystem>
#include <optional>
#include <string>

namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::catalogue {

enum class PictureCopy {
    Copied,       // the file is now in the folder
    AlreadyThere, // the chosen file is the one in the folder: nothing copied, nothing asked
    KeptExisting, // another file of that name was there and the user kept it
    Failed,       // the reason was shown; nothing changed
};

// Copies a picture into `folder` under `name`. Only when another file of that name is there
// the user is asked `question` (Yes/No, `defaultAnswer` preselected); a file that is already the
// target is left alone; any failure shows its reason as an error. A relative `source` is taken
// from `folder` (a file name typed by hand). Creates the folder when it is missing.
PictureCopy copyPicture(const std::filesystem::path& source, const std::filesystem::path& folder,
                        const std::string& name, const std::string& question, Answer defaultAnswer,
                        Prompter& prompter);

inline constexpr const char* kItemPictureExists =
    "Tento soubor již v projektu existuje! Chcete ho přepsat?";
inline constexpr const char* kTagPictureExists =
    "Obrázek uvedeného jména již existuje, chcete ho přepsat?";

// OBRAZEK for a picture chosen in the item editor: a file inside the picture folder `_obr` (any
// depth, compared without regard to case) gives its path relative to it with backslashes and is
// not copied; any other file gives its name and is copied into `_obr` (asking before another
// file of that name is replaced). Nothing when the copy failed (the reason was shown).
std::optional<std::string> itemPicture(const std::filesystem::path& chosen,
                                       const std::filesystem::path& pictureFolder,
                                       Prompter& prompter);

// The native path of OBRAZEK below `_obr` (backslashes, any letter case).
std::filesystem::path itemPicturePath(const std::filesystem::path& pictureFolder,
                                      const std::string& obrazek);

// The folder of the page selected in the main window: the site folder and the page's DISK.
// Until the page tree is part of the main window this reads the current row of qStruktur; the
// site folder itself when there is none.
std::filesystem::path selectedPageFolder(const storage::TData2& data,
                                         const storage::ProjectContext& project);

} // namespace arkona::catalogue
