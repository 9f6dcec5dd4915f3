#include "app/program_folders.h"

namespace arkona::app {

std::filesystem::path programStartFolder(const std::filesystem::path& binaryFolder) {
    std::error_code ec;
    const auto installed = binaryFolder.parent_path() / "share" / "arkonapro";
    if (std::filesystem::is_directory(installed, ec)) {
        return installed;
    }
    return binaryFolder;
}

std::filesystem::path samplesFolder(const std::filesystem::path& programFolder) {
    return programFolder / "Vzory";
}

} // namespace arkona::app
