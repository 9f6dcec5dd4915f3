#include "generator/goods_pictures.h"

#include "base/dbf/file_io.h"
#include "base/paths.h"
#include "base/textcase.h"

namespace arkona::generator {

namespace {

// "sub\a.gif" as folder "\sub" and file "a.gif".
std::pair<std::string, std::string> splitPicture(std::string_view picture) {
    const size_t slash = picture.find_last_of("\\/");
    if (slash == std::string_view::npos) {
        return {{}, std::string(picture)};
    }
    std::string folder = "\\" + std::string(picture.substr(0, slash));
    for (char& c : folder) {
        c = c == '/' ? '\\' : c;
    }
    return {folder, std::string(picture.substr(slash + 1))};
}

std::string slashed(std::string_view picture) {
    std::string s(picture);
    for (char& c : s) {
        c = c == '\\' ? '/' : c;
    }
    return s;
}

} // namespace

void GoodsPictures::listPictureFolder() {
    listed_ = true;
    const auto folder = paths::resolve(projectFolder_, "\\_obr");
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file(ec)) {
            const std::string relative = it->path().lexically_relative(folder).generic_string();
            pictureFolder_.emplace(text::toUpper(relative), it->path());
        }
    }
}

std::optional<std::string> GoodsPictures::address(std::string_view disk, std::string_view picture,
                                                  std::vector<std::string>& warnings) {
    if (picture.empty() || picture.find("..") != std::string_view::npos) {
        return std::nullopt;
    }
    const auto [subFolder, name] = splitPicture(picture);
    const std::string folder = std::string(disk) + subFolder;
    if (folders_.contains(folder, name)) {
        return slashed(picture);
    }
    if (!listed_) {
        listPictureFolder();
    }
    const auto source = pictureFolder_.find(text::toUpper(slashed(picture)));
    if (source == pictureFolder_.end()) {
        return std::nullopt; // a missing picture is left out
    }
    std::error_code ec;
    std::filesystem::path target;
    try {
        target = folders_.fileToWrite(folder, name).path;
    } catch (const std::exception& e) {
        warnings.push_back(e.what());
        return std::nullopt;
    }
    std::filesystem::copy_file(source->second, target,
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        folders_.forget(folder, name);
        warnings.push_back("Obrázek „" + paths::forDisplay(source->second) +
                           "“ se nepodařilo zkopírovat do „" + paths::forDisplay(target) +
                           "“: " + dbf::describeErrno(ec.value()) + ".");
        return std::nullopt;
    }
    return slashed(picture);
}

} // namespace arkona::generator
