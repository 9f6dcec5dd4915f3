#pragma once

#include "generator/site_snapshot.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace arkona::generator {

// The folders of the generated site as one run meets them. Stored folder paths ("\a\b", the
// page's DISK) are resolved below the site folder without regard to letter case, and each folder
// is listed once, when it is first used: a page written into a folder of a thousand pages must
// not list that folder again. The files a run writes are added to what it knows.
class SiteFolders {
public:
    explicit SiteFolders(std::filesystem::path siteFolder);
    ~SiteFolders();
    SiteFolders(SiteFolders&&) noexcept;
    SiteFolders& operator=(SiteFolders&&) noexcept;

    const std::filesystem::path& siteFolder() const { return siteFolder_; }

    // The native folder of the stored folder `disk`, created with its parents when it is
    // missing. Throws arkona::Error when it cannot be created.
    const std::filesystem::path& createFolder(std::string_view disk);
    // The native path of file `name` in the stored folder `disk`, after creating the folder.
    // A file that exists in another letter case is that file.
    struct Target {
        std::filesystem::path path;
        bool existed = false; // the file was there when the folder was listed
    };
    Target fileToWrite(std::string_view disk, std::string_view name);

    // Forgets a file fileToWrite named that could not be written after all.
    void forget(std::string_view disk, std::string_view name);

    // Whether file `name` exists in the stored folder `disk` (any letter case); creates nothing.
    bool contains(std::string_view disk, std::string_view name);

private:
    struct Folder;
    Folder& folder(std::string_view disk);

    std::filesystem::path siteFolder_;
    TextMap<std::unique_ptr<Folder>> folders_;
};

} // namespace arkona::generator
