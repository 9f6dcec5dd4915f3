#include "generator/site_folders.h"

#include "base/error.h"
#include "base/paths.h"
#include "base/textcase.h"

#include <system_error>

namespace arkona::generator {

namespace {

std::filesystem::path fromUtf8(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string toUtf8(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

} // namespace

struct SiteFolders::Folder {
    std::filesystem::path path;
    bool listed = false;
    bool exists = false;
    TextMap<std::string> entries; // upper-case name -> the name on disk

    void list() {
        listed = true;
        std::error_code ec;
        exists = std::filesystem::is_directory(path, ec);
        if (!exists) {
            return;
        }
        for (auto it = std::filesystem::directory_iterator(path, ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            const std::string name = toUtf8(it->path().filename());
            auto [at, added] = entries.emplace(text::toUpper(name), name);
            // Several names in different letter case: the smallest one, as the path rules say.
            if (!added && name < at->second) {
                at->second = name;
            }
        }
    }
};

SiteFolders::SiteFolders(std::filesystem::path siteFolder) : siteFolder_(std::move(siteFolder)) {}
SiteFolders::~SiteFolders() = default;
SiteFolders::SiteFolders(SiteFolders&&) noexcept = default;
SiteFolders& SiteFolders::operator=(SiteFolders&&) noexcept = default;

SiteFolders::Folder& SiteFolders::folder(std::string_view disk) {
    auto it = folders_.find(disk);
    if (it == folders_.end()) {
        auto created = std::make_unique<Folder>();
        created->path = paths::resolve(siteFolder_, disk);
        it = folders_.emplace(std::string(disk), std::move(created)).first;
    }
    Folder& f = *it->second;
    if (!f.listed) {
        f.list();
    }
    return f;
}

const std::filesystem::path& SiteFolders::createFolder(std::string_view disk) {
    Folder& f = folder(disk);
    if (!f.exists) {
        std::error_code ec;
        std::filesystem::create_directories(f.path, ec);
        if (ec || !std::filesystem::is_directory(f.path, ec)) {
            throw Error("Složku " + paths::forDisplay(f.path) + " nelze vytvořit: " +
                        (ec ? ec.message() : std::string("v cestě je soubor")));
        }
        f.exists = true;
    }
    return f.path;
}

SiteFolders::Target SiteFolders::fileToWrite(std::string_view disk, std::string_view name) {
    createFolder(disk);
    Folder& f = folder(disk);
    const std::string key = text::toUpper(name);
    const auto known = f.entries.find(key);
    if (known != f.entries.end()) {
        return {f.path / fromUtf8(known->second), true};
    }
    f.entries.emplace(key, std::string(name));
    return {f.path / fromUtf8(name), false};
}

void SiteFolders::forget(std::string_view disk, std::string_view name) {
    folder(disk).entries.erase(text::toUpper(name));
}

bool SiteFolders::contains(std::string_view disk, std::string_view name) {
    const Folder& f = folder(disk);
    return f.exists && f.entries.contains(text::toUpper(name));
}

} // namespace arkona::generator
