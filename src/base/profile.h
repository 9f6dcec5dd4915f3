#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace arkona {

// A Windows profile (INI) file in Windows-1250 with CR LF line ends: settings files, templates,
// shop settings, import templates and the user settings store.
//
// Section and key names are compared without regard to case. A value in one pair of single or
// double quotes is read without them. A missing file, section or key yields the caller's default.
// Writing keeps every line it does not touch byte for byte (comments, unknown keys, garbage
// lines, their order); a new key goes after the last key of its section, a new section to the
// end. Only the first section of a name counts, and in it the first key of a name.
class ProfileFile {
public:
    // Reads the file; a missing file is an empty profile. Nothing is written until save().
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }
    bool exists() const { return existed_; }

    bool hasSection(std::string_view section) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;
    // Decimal whole number; anything else gives the default.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;
    // On only when the value is exactly "True".
    bool readSwitch(std::string_view section, std::string_view key, bool defaultValue) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

    // Changes in memory; throws arkona::Error when the value cannot be held in Windows-1250.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Writes the value in single quotes whatever it holds, as the template editor stores its
    // texts; reading strips exactly that pair, so every value reads back as written.
    void writeQuoted(std::string_view section, std::string_view key, std::string_view value);
    void writeInt(std::string_view section, std::string_view key, int value);
    void writeSwitch(std::string_view section, std::string_view key, bool value); // True/False
    void eraseKey(std::string_view section, std::string_view key);
    void eraseSection(std::string_view section);

    // Writes the whole file through a temporary file renamed over the old one. A failure
    // throws arkona::Error with a Czech message naming the file and leaves the old file intact.
    void save();

    // One-shot helpers in the manner of the Windows profile calls: read from the file on disk,
    // write immediately.
    static std::string read(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::string_view defaultValue = {});
    static void write(const std::filesystem::path& file, std::string_view section,
                      std::string_view key, std::string_view value);

private:
    struct Line {
        std::string raw;     // the line as stored (Windows-1250 bytes, without CR LF)
        std::string section; // the section the line belongs to (UTF-8), empty before the first
        std::string key;     // UTF-8 key name when the line is a key line, else empty
        bool isSection = false;
        bool isKey = false;
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    // Only the first section of a name counts, as with the Windows profile calls.
    std::size_t findSection(std::string_view section) const; // its header line, or npos
    std::size_t sectionEnd(std::size_t header) const;        // one past its last line
    std::size_t findKeyLine(std::size_t header, std::string_view key) const;
    const Line* findKey(std::string_view section, std::string_view key) const;
    void removeLines(std::size_t first, std::size_t last);
    void writeRaw(std::string_view section, std::string_view key, std::string_view value,
                  const std::string& rawNewValue, bool keepEqualValue);
    std::filesystem::path path_;
    std::vector<Line> lines_;
    bool existed_ = false;
    bool endsWithNewline_ = true;
};

} // namespace arkona
