#include "base/profile.h"

#include "base/codepage.h"
#include "base/error.h"
#include "base/textcase.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <limits>
#include <random>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define ARKONA_HAVE_FSYNC 1
#endif

namespace arkona {

namespace {

std::string_view trimLine(std::string_view s) {
    return text::trim(s);
}

std::string quoted(const std::filesystem::path& path) {
    return "\u201E" + path.string() + "\u201C";
}

std::string systemMessage(int error) {
    return std::error_code(error, std::generic_category()).message();
}

[[noreturn]] void throwWriteError(const std::filesystem::path& path, const std::string& reason) {
    throw Error("Soubor " + quoted(path) + " nelze zapsat: " + reason);
}

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    const std::string m(mode);
    return _wfopen(path.c_str(), std::wstring(m.begin(), m.end()).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

// A value as the Windows profile calls return it: blanks trimmed, one pair of matching quotes
// removed.
std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

std::string_view rawValue(std::string_view raw) {
    const std::size_t eq = raw.find('=');
    return unquote(trimLine(raw.substr(eq + 1)));
}

std::string_view rawKey(std::string_view raw) {
    return trimLine(raw.substr(0, raw.find('=')));
}

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::string encodeName(std::string_view name, bool isKey) {
    const std::string encoded = text::fromUtf8(name);
    const bool bad = isKey ? (encoded.empty() || encoded.find('=') != std::string::npos ||
                              encoded.front() == '[' || encoded.front() == ';')
                           : encoded.find(']') != std::string::npos;
    if (bad || hasLineBreak(encoded)) {
        throw Error("Název \u201E" + std::string(name) + "\u201C nelze použít jako " +
                    (isKey ? "klíč" : "oddíl") + " souboru nastavení.");
    }
    return encoded;
}

// The text that reads back as `value`: quotes keep blanks at the ends, and a value that itself
// sits in a pair of quotes gets another pair so that reading strips only the outer one.
std::string encodeValue(std::string_view value) {
    std::string encoded = text::fromUtf8(value);
    if (hasLineBreak(encoded)) {
        throw Error("Hodnota \u201E" + std::string(value) +
                    "\u201C nelze uložit do souboru nastavení, protože obsahuje konec řádku.");
    }
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    if (!encoded.empty() && (isBlank(encoded.front()) || isBlank(encoded.back()) ||
                             unquote(encoded).size() != encoded.size())) {
        encoded = '"' + encoded + '"';
    }
    return encoded;
}

} // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {
    std::FILE* f = openFile(path_, "rb");
    if (!f) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return;
        }
        throw Error("Soubor " + quoted(path_) + " nelze přečíst: " + systemMessage(error));
    }
    std::string bytes;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        bytes.append(buffer, n);
    }
    const bool failed = std::ferror(f);
    const int error = errno;
    std::fclose(f);
    if (failed) {
        throw Error("Soubor " + quoted(path_) + " nelze přečíst: " + systemMessage(error));
    }
    existed_ = true;

    std::string section;
    bool inSection = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
            endsWithNewline_ = false;
        }
        Line line;
        line.raw = bytes.substr(start, end - start);
        if (!line.raw.empty() && line.raw.back() == '\r') {
            line.raw.pop_back();
        }
        start = end + 1;

        const std::string_view t = trimLine(line.raw);
        if (!t.empty() && t.front() == '[' && t.find(']') != std::string_view::npos) {
            line.isSection = true;
            section = text::toUtf8(trimLine(t.substr(1, t.find(']') - 1)));
            inSection = true;
        } else if (inSection && !t.empty() && t.front() != ';' && t.front() != '[' &&
                   t.find('=') != std::string_view::npos && !rawKey(t).empty()) {
            line.isKey = true;
            line.key = text::toUtf8(rawKey(t));
        }
        line.section = section;
        lines_.push_back(std::move(line));
    }
}

std::size_t ProfileFile::findSection(std::string_view section) const {
    const std::string_view name = text::trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].isSection && text::equalsNoCase(lines_[i].section, name)) {
            return i;
        }
    }
    return npos;
}

std::size_t ProfileFile::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !lines_[i].isSection) {
        ++i;
    }
    return i;
}

std::size_t ProfileFile::findKeyLine(std::size_t header, std::string_view key) const {
    const std::string_view name = text::trim(key);
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].isKey && text::equalsNoCase(lines_[i].key, name)) {
            return i;
        }
    }
    return npos;
}

const ProfileFile::Line* ProfileFile::findKey(std::string_view section,
                                              std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == npos) {
        return nullptr;
    }
    const std::size_t i = findKeyLine(header, key);
    return i == npos ? nullptr : &lines_[i];
}

bool ProfileFile::hasSection(std::string_view section) const {
    return findSection(section) != npos;
}

bool ProfileFile::hasKey(std::string_view section, std::string_view key) const {
    return findKey(section, key) != nullptr;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const Line* line = findKey(section, key);
    return line ? text::toUtf8(rawValue(line->raw)) : std::string(defaultValue);
}

int ProfileFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    const Line* line = findKey(section, key);
    if (!line) {
        return defaultValue;
    }
    std::string_view v = rawValue(line->raw);
    bool negative = false;
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    if (v.empty() || v.front() < '0' || v.front() > '9') {
        return defaultValue;
    }
    long long magnitude = 0;
    const auto r = std::from_chars(v.data(), v.data() + v.size(), magnitude);
    if (r.ec != std::errc() || r.ptr != v.data() + v.size()) {
        return defaultValue;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return defaultValue;
    }
    return static_cast<int>(value);
}

bool ProfileFile::readSwitch(std::string_view section, std::string_view key,
                             bool defaultValue) const {
    const Line* line = findKey(section, key);
    return line ? rawValue(line->raw) == "True" : defaultValue;
}

std::vector<std::string> ProfileFile::sections() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.isSection &&
            findSection(line.section) == static_cast<std::size_t>(&line - lines_.data())) {
            names.push_back(line.section);
        }
    }
    return names;
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    const std::size_t header = findSection(section);
    if (header == npos) {
        return names;
    }
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].isKey && findKeyLine(header, lines_[i].key) == i) {
            names.push_back(lines_[i].key);
        }
    }
    return names;
}

void ProfileFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) {
    writeRaw(section, key, value, encodeValue(value), true);
}

void ProfileFile::writeQuoted(std::string_view section, std::string_view key,
                              std::string_view value) {
    // encodeValue refuses what the code page or a single line cannot hold.
    static_cast<void>(encodeValue(value));
    writeRaw(section, key, value, "'" + text::fromUtf8(value) + "'", false);
}

void ProfileFile::writeRaw(std::string_view section, std::string_view key, std::string_view value,
                           const std::string& rawNewValue, bool keepEqualValue) {
    const std::string sectionName(text::trim(section));
    const std::string keyName(text::trim(key));
    std::size_t header = findSection(sectionName);
    const std::size_t existing = header == npos ? npos : findKeyLine(header, keyName);
    if (existing != npos) {
        Line& line = lines_[existing];
        // Writing what is already there leaves the line exactly as it was.
        const bool same = keepEqualValue
                              ? text::toUtf8(rawValue(line.raw)) == value
                              : trimLine(line.raw.substr(line.raw.find('=') + 1)) == rawNewValue;
        if (!same) {
            line.raw = std::string(rawKey(line.raw)) + "=" + rawNewValue;
        }
        return;
    }
    // Names are checked only where a new line spells them, and before anything changes.
    const std::string rawKeyName = encodeName(keyName, true);
    if (header == npos) {
        Line line;
        line.raw = "[" + encodeName(sectionName, false) + "]";
        line.section = sectionName;
        line.isSection = true;
        lines_.push_back(std::move(line));
        header = lines_.size() - 1;
        endsWithNewline_ = true;
    }
    std::size_t at = header + 1;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].isKey) {
            at = i + 1;
        }
    }
    if (at == lines_.size()) {
        endsWithNewline_ = true;
    }
    Line line;
    line.raw = rawKeyName + "=" + rawNewValue;
    line.section = lines_[header].section;
    line.key = keyName;
    line.isKey = true;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void ProfileFile::writeInt(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void ProfileFile::writeSwitch(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "True" : "False");
}

void ProfileFile::removeLines(std::size_t first, std::size_t last) {
    if (last == lines_.size()) {
        endsWithNewline_ = true; // the line before the removed ones had its line end
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                 lines_.begin() + static_cast<std::ptrdiff_t>(last));
}

void ProfileFile::eraseKey(std::string_view section, std::string_view key) {
    const std::size_t header = findSection(section);
    if (header == npos) {
        return;
    }
    // Every copy in the section, so that no older duplicate shows up in its place.
    for (std::size_t i = findKeyLine(header, key); i != npos; i = findKeyLine(header, key)) {
        removeLines(i, i + 1);
    }
}

void ProfileFile::eraseSection(std::string_view section) {
    for (std::size_t header = findSection(section); header != npos; header = findSection(section)) {
        removeLines(header, sectionEnd(header));
    }
}

void ProfileFile::save() {
    std::string content;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        content += lines_[i].raw;
        if (i + 1 < lines_.size() || endsWithNewline_) {
            content += "\r\n";
        }
    }

    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    const auto writeBits = std::filesystem::perms::owner_write |
                           std::filesystem::perms::group_write |
                           std::filesystem::perms::others_write;
    const bool replacing = std::filesystem::is_regular_file(status);
    // A read-only settings file is meant to stay as it is, even though the rename would succeed.
    if (replacing && (status.permissions() & writeBits) == std::filesystem::perms::none) {
        throwWriteError(path_, systemMessage(EACCES));
    }

    const std::filesystem::path folder = path_.has_parent_path() ? path_.parent_path() : ".";
    std::random_device random;
    std::filesystem::path temp;
    std::FILE* f = nullptr;
    int error = 0;
    for (int attempt = 0; attempt < 16 && !f; ++attempt) {
        temp = folder / (path_.filename().string() + ".tmp" + std::to_string(random() % 1000000));
        f = openFile(temp, "wbx");
        error = errno;
        if (!f && error != EEXIST) {
            break;
        }
    }
    if (!f) {
        throwWriteError(path_, systemMessage(error));
    }
    bool ok =
        std::fwrite(content.data(), 1, content.size(), f) == content.size() && std::fflush(f) == 0;
#ifdef ARKONA_HAVE_FSYNC
    ok = ok && fsync(fileno(f)) == 0;
#endif
    error = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        std::filesystem::remove(temp, ec);
        throwWriteError(path_, systemMessage(error));
    }
    if (replacing) {
        std::filesystem::permissions(temp, status.permissions(), ec);
    }
    std::filesystem::rename(temp, path_, ec);
    if (ec) {
        const std::string reason = ec.message();
        std::filesystem::remove(temp, ec);
        throwWriteError(path_, reason);
    }
    existed_ = true;
}

std::string ProfileFile::read(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    return ProfileFile(file).readString(section, key, defaultValue);
}

void ProfileFile::write(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
    ProfileFile profile(file);
    profile.writeString(section, key, value);
    profile.save();
}

} // namespace arkona
