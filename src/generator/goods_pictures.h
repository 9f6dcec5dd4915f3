#pragma once

#include "generator/site_folders.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arkona::generator {

// The pictures of goods lines: they lie in the folder of the page that shows them; one that is
// missing there but lies in the project's `_obr` is copied in (and shown at once). `_obr` is
// listed once per run.
class GoodsPictures {
public:
    GoodsPictures(SiteFolders& folders, std::filesystem::path projectFolder)
        : folders_(folders), projectFolder_(std::move(projectFolder)) {}

    // The address of the picture OBRAZEK (it may name a sub-folder, "sub\a.gif") for a page in
    // the stored folder `disk`, relative to the page; nothing when there is no such picture or
    // it could not be copied (the reason goes to `warnings`).
    std::optional<std::string> address(std::string_view disk, std::string_view picture,
                                       std::vector<std::string>& warnings);

private:
    void listPictureFolder();

    SiteFolders& folders_;
    std::filesystem::path projectFolder_;
    bool listed_ = false;
    TextMap<std::filesystem::path> pictureFolder_; // upper-case "SUB/A.GIF" -> the file
};

} // namespace arkona::generator
