#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace arkona::storage {

// Settings of the user rather than of a project: key paths such as "Software\Tarn\Arkona" or
// "Software\Tarn\Arkona\Editor" with text values. Kept as an INI file with one section per key
// path, at $XDG_CONFIG_HOME/ArkonaPro/settings.ini or where ARKONA_SETTINGS points.
class UserSettings {
public:
    static constexpr const char* kRoot = "Software\\Tarn\\Arkona";
    static constexpr const char* kEditor = "Software\\Tarn\\Arkona\\Editor";

    UserSettings(); // the default location
    explicit UserSettings(std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }

    // The key is opened with creation: reading a missing value creates it empty.
    std::string read(std::string_view keyPath, std::string_view name);
    bool exists(std::string_view keyPath, std::string_view name) const;
    // Throws arkona::Error when the file cannot be written.
    void write(std::string_view keyPath, std::string_view name, std::string_view value);

    // The program start folder: where the program's data (the samples folder "Vzory") lies.
    static std::filesystem::path programFolder();
    static void setProgramFolder(const std::filesystem::path& folder);
    // Where new projects are suggested: ~/ArkonaPro/Projekty.
    static std::filesystem::path defaultProjectsFolder();

    // Stores the folder where project browsing starts / returns it, or the program start folder
    // when it is not stored or no longer exists.
    void setLastOpenFolder(const std::filesystem::path& folder);
    std::filesystem::path lastOpenFolder();

private:
    std::filesystem::path file_;
};

} // namespace arkona::storage
