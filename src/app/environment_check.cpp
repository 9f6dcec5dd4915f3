#include "app/environment_check.h"

#include <filesystem>

namespace arkona::app {

std::optional<std::string> environmentProblem(const std::string& editorProgram,
                                              const std::string& samplesFolder) {
    std::error_code ec;
    if (!editorProgram.empty() && !std::filesystem::is_regular_file(editorProgram, ec)) {
        return "Soubor externího editoru \"" + editorProgram + "\" neexistuje!";
    }
    if (!samplesFolder.empty() && !std::filesystem::is_directory(samplesFolder, ec)) {
        return "Složka pro vzory projektů \"" + samplesFolder + "\" neexistuje!";
    }
    return std::nullopt;
}

} // namespace arkona::app
