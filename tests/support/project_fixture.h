#pragma once

#include <filesystem>
#include <string>

namespace arkona::test {

// A copy of a built sample project ("zakladni") in `folder`/name; returns the project folder.
std::filesystem::path copySampleProject(const std::filesystem::path& folder,
                                        const std::string& style = "zakladni",
                                        const std::string& name = "projekt");

// A project folder with an ArkonaTree.ini and every table of the project, all empty.
std::filesystem::path makeEmptyProject(const std::filesystem::path& folder,
                                       const std::string& name = "prazdny");

std::filesystem::path samplesFolder();

} // namespace arkona::test
