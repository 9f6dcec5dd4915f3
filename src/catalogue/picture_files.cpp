#include "catalogue/picture_files.h"

#include "base/paths.h"
#include "base/textcase.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

#include <system_error>

namespace arkona::catalogue {

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

fs::path native(std::string_view utf8Text) {
    return fs::path(std::u8string(utf8Text.begin(), utf8Text.end()));
}

std::string reason(const std::error_code& ec) {
    return ec.message();
}

// The path without "." and "..", and through symbolic links where they exist.
fs::path normal(const fs::path& p) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(p, ec);
    return ec ? p.lexically_normal() : canonical;
}

} // namespace

PictureCopy copyPicture(const fs::path& source, const fs::path& folder, const std::string& name,
                        const std::string& question, Answer defaultAnswer, Prompter& prompter) {
    const fs::path from = source.is_relative() ? folder / source : source;
    const fs::path target = folder / native(name);
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) {
        prompter.error("Soubor „" + utf8(from) + "“ neexistuje!");
        return PictureCopy::Failed;
    }
    if (fs::exists(target, ec)) {
        if (fs::equivalent(from, target, ec)) {
            return PictureCopy::AlreadyThere;
        }
        if (!prompter.questionYesNo(question, defaultAnswer)) {
            return PictureCopy::KeptExisting;
        }
    }
    fs::create_directories(folder, ec);
    if (ec || !fs::copy_file(from, target, fs::copy_options::overwrite_existing, ec)) {
        prompter.error("Obrázek „" + utf8(from) + "“ nelze zkopírovat do složky „" + utf8(folder) +
                       "“: " + reason(ec));
        return PictureCopy::Failed;
    }
    return PictureCopy::Copied;
}

std::optional<std::string> itemPicture(const fs::path& chosen, const fs::path& pictureFolder,
                                       Prompter& prompter) {
    const fs::path file = normal(chosen);
    const fs::path folder = normal(pictureFolder);
    // Inside the folder: every component of the folder matches, letter case ignored.
    auto f = folder.begin();
    auto c = file.begin();
    for (; f != folder.end() && c != file.end(); ++f, ++c) {
        if (f->empty() && std::next(f) == folder.end()) {
            break; // a trailing separator
        }
        if (!text::equalsNoCase(utf8(*f), utf8(*c))) {
            break;
        }
    }
    if (f == folder.end() || (f->empty() && std::next(f) == folder.end())) {
        std::string relative;
        for (; c != file.end(); ++c) {
            relative += (relative.empty() ? "" : "\\") + utf8(*c);
        }
        if (!relative.empty()) {
            return relative;
        }
    }
    const std::string name = utf8(file.filename());
    if (copyPicture(file, pictureFolder, name, kItemPictureExists, Answer::No, prompter) ==
        PictureCopy::Failed) {
        return std::nullopt;
    }
    return name;
}

fs::path itemPicturePath(const fs::path& pictureFolder, const std::string& obrazek) {
    return paths::resolve(pictureFolder, "\\" + std::string(text::trim(obrazek)));
}

fs::path selectedPageFolder(const storage::TData2& data, const storage::ProjectContext& project) {
    const auto& page = data.qStruktur;
    if (!page.isOpen() || page.isEmpty()) {
        return project.siteFolder;
    }
    return paths::resolve(project.siteFolder, std::string(text::trim(page.text("DISK"))));
}

} // namespace arkona::catalogue
