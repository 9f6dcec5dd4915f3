#include "storage/user_settings.h"

#include "base/error.h"
#include "base/profile.h"

#include <cstdlib>

namespace arkona::storage {

namespace {

std::filesystem::path& programFolderValue() {
    static std::filesystem::path folder = std::filesystem::current_path();
    return folder;
}

std::filesystem::path home() {
    const char* h = std::getenv("HOME");
    return h && *h ? std::filesystem::path(h) : std::filesystem::current_path();
}

std::filesystem::path defaultSettingsFile() {
    if (const char* file = std::getenv("ARKONA_SETTINGS"); file && *file) {
        return file;
    }
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::filesystem::path base =
        config && *config ? std::filesystem::path(config) : home() / ".config";
    return base / "ArkonaPro" / "settings.ini";
}

} // namespace

UserSettings::UserSettings() : file_(defaultSettingsFile()) {}

UserSettings::UserSettings(std::filesystem::path file) : file_(std::move(file)) {}

bool UserSettings::exists(std::string_view keyPath, std::string_view name) const {
    return ProfileFile(file_).hasKey(keyPath, name);
}

std::string UserSettings::read(std::string_view keyPath, std::string_view name) {
    ProfileFile ini(file_);
    if (ini.hasKey(keyPath, name)) {
        return ini.readString(keyPath, name);
    }
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    ini.writeString(keyPath, name, "");
    try {
        ini.save();
    } catch (const Error&) {
        // Creating the empty value is a courtesy of the read; a settings file that cannot be
        // written is reported by the next write.
    }
    return {};
}

void UserSettings::write(std::string_view keyPath, std::string_view name, std::string_view value) {
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    ProfileFile ini(file_);
    ini.writeString(keyPath, name, value);
    ini.save();
}

std::filesystem::path UserSettings::programFolder() {
    return programFolderValue();
}

void UserSettings::setProgramFolder(const std::filesystem::path& folder) {
    programFolderValue() = folder;
}

std::filesystem::path UserSettings::defaultProjectsFolder() {
    return home() / "ArkonaPro" / "Projekty";
}

void UserSettings::setLastOpenFolder(const std::filesystem::path& folder) {
    write(kRoot, "LastOpen", folder.string());
}

std::filesystem::path UserSettings::lastOpenFolder() {
    const std::string stored = read(kRoot, "LastOpen");
    std::error_code ec;
    if (!stored.empty() && std::filesystem::is_directory(stored, ec)) {
        return stored;
    }
    return programFolder();
}

} // namespace arkona::storage
