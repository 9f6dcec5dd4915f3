// Feeds arbitrary bytes to the settings file reader as a file on disk.
#include "base/error.h"
#include "base/profile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// One file per process, so that parallel fuzzing jobs do not overwrite each other's input.
struct InputFile {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("arkona-profile-fuzz-" + std::to_string(getpid()) + ".ini");
    ~InputFile() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

const std::filesystem::path& inputPath() {
    static const InputFile file;
    return file.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& path = inputPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return 0;
    }
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    arkona::ProfileFile profile(path);
    for (const std::string& section : profile.sections()) {
        for (const std::string& key : profile.keys(section)) {
            (void)profile.readString(section, key);
            (void)profile.readInt(section, key, -1);
            (void)profile.readSwitch(section, key, false);
        }
    }
    (void)profile.readString("Projekt", "Name", "default");
    (void)profile.readInt("Sazby_DPH", "iDPH_L", 5);

    try {
        profile.writeString("Mena", "Currency", "Kč");
    } catch (const arkona::Error&) {
        __builtin_trap(); // a plain Windows-1250 value must always be accepted
    }
    if (profile.readString("mena", "currency") != "Kč" || !profile.hasSection("MENA")) {
        __builtin_trap();
    }
    // Values read from the file are valid UTF-8 and go back in unchanged.
    const auto sections = profile.sections();
    if (!sections.empty()) {
        const auto keys = profile.keys(sections.front());
        if (!keys.empty()) {
            const std::string value = profile.readString(sections.front(), keys.front());
            // A lone CR inside a line is kept on reading but refused as part of a new value.
            const bool oneLine = value.find('\r') == std::string::npos;
            try {
                profile.writeString(sections.front(), keys.front(), value);
                if (!oneLine || profile.readString(sections.front(), keys.front()) != value) {
                    __builtin_trap();
                }
            } catch (const arkona::Error&) {
                if (oneLine) {
                    __builtin_trap();
                }
            }
        }
    }
    return 0;
}
