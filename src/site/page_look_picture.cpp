#include "site/page_look_picture.h"

#include "base/codepage.h"
#include "base/dbf/file_io.h"
#include "base/error.h"
#include "base/paths.h"

#include <atomic>
#include <unistd.h>

namespace fs = std::filesystem;

namespace arkona::site {

namespace {

std::string shown(const fs::path& p) {
    return paths::forDisplay(p);
}

std::string copyFailure(const fs::path& picture, const fs::path& folder, const std::string& why) {
    return "Obrázek „" + shown(picture) + "“ se nepodařilo zkopírovat do složky „" + shown(folder) +
           "“: " + why + ".";
}

void checkName(const std::string& name, std::size_t maxNameBytes) {
    if (!text::canEncode(name)) {
        throw Error("Název obrázku „" + name +
                    "“ obsahuje znak, který nelze uložit. Přejmenujte prosím soubor.");
    }
    if (text::fromUtf8(name).size() > maxNameBytes) {
        throw Error("Název obrázku „" + name + "“ je delší než " + std::to_string(maxNameBytes) +
                    " znaků. Přejmenujte prosím soubor.");
    }
}

// A name in `folder` that no other copy uses at the same time.
fs::path temporaryName(const fs::path& folder, const std::string& name) {
    static std::atomic<unsigned> counter{0};
    return folder / ("." + name + "." + std::to_string(::getpid()) + "." +
                     std::to_string(counter++) + ".tmp");
}

} // namespace

fs::path imagesFolder(const fs::path& siteFolder) {
    return paths::resolve(siteFolder, "\\_images");
}

fs::path existingPicture(const fs::path& siteFolder, std::string_view name) {
    if (name.empty()) {
        return {};
    }
    const auto folder = imagesFolder(siteFolder);
    const auto file = paths::findEntryNoCase(folder, name);
    std::error_code ec;
    return !file.empty() && fs::is_regular_file(file, ec) ? file : fs::path();
}

std::string copyIntoImages(const fs::path& siteFolder, const fs::path& picture,
                           std::size_t maxNameBytes) {
    const auto folder = imagesFolder(siteFolder);
    std::error_code ec;
    if (!fs::is_regular_file(picture, ec)) {
        throw Error(copyFailure(picture, folder, "soubor neexistuje"));
    }
    std::string name = picture.filename().string();
    checkName(name, maxNameBytes);

    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
        throw Error("Složku „" + shown(folder) + "“ nelze vytvořit: na jejím místě je soubor.");
    }
    fs::create_directories(folder, ec);
    if (ec) {
        throw Error("Složku „" + shown(folder) +
                    "“ nelze vytvořit: " + dbf::describeErrno(ec.value()) + ".");
    }
    fs::path target = folder / name;
    if (const auto existing = paths::findEntryNoCase(folder, name); !existing.empty()) {
        target = existing;
        name = existing.filename().string();
    }
    // The chosen file may already be the one in `_images` (also through another path or a
    // link): copying it onto itself would destroy it.
    if (fs::exists(target, ec) && fs::equivalent(picture, target, ec)) {
        return name;
    }
    // Copy beside the target and rename over it, so that a failed copy leaves the old picture.
    const auto temporary = temporaryName(folder, name);
    try {
        fs::copy_file(picture, temporary, fs::copy_options::overwrite_existing);
        dbf::replaceFile(temporary, target);
    } catch (const fs::filesystem_error& e) {
        fs::remove(temporary, ec);
        throw Error(copyFailure(picture, folder, dbf::describeErrno(e.code().value())));
    }
    return name;
}

} // namespace arkona::site
