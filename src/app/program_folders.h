#pragma once

#include <filesystem>

namespace arkona::app {

// The program start folder for a program file in `binaryFolder`: the installed data folder
// share/arkonapro beside bin/ when it exists, else the binary's own folder (the build tree
// lays the samples out beside the binaries).
std::filesystem::path programStartFolder(const std::filesystem::path& binaryFolder);

// The folder that holds the sample projects.
std::filesystem::path samplesFolder(const std::filesystem::path& programFolder);

} // namespace arkona::app
