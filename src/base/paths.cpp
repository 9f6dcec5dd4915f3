#include "base/paths.h"

#include "base/error.h"
#include "base/textcase.h"

#include <algorithm>
#include <vector>

namespace arkona::paths {

namespace {

// Names in memory are UTF-8; going through char8_t keeps them intact on every platform.
std::filesystem::path fromUtf8(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string toUtf8(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::vector<std::string_view> storedComponents(std::string_view stored) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= stored.size()) {
        std::size_t end = stored.find_first_of("\\/", start);
        if (end == std::string_view::npos) {
            end = stored.size();
        }
        if (end > start) {
            parts.push_back(stored.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

} // namespace

std::filesystem::path findEntryNoCase(const std::filesystem::path& folder, std::string_view name) {
    std::error_code ec;
    const std::filesystem::path exact = folder / fromUtf8(name);
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) {
        return exact;
    }
    // Directory order is arbitrary; the smallest matching name keeps the answer stable.
    std::string best;
    bool found = false;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string entry = toUtf8(it->path().filename());
        if (text::equalsNoCase(entry, name) && (!found || entry < best)) {
            best = entry;
            found = true;
        }
    }
    return found ? folder / fromUtf8(best) : std::filesystem::path();
}

std::filesystem::path resolve(const std::filesystem::path& base, std::string_view stored) {
    std::filesystem::path result = base;
    bool onDisk = true; // once a component is missing, nothing below it can be looked up
    for (const std::string_view part : storedComponents(stored)) {
        if (onDisk && part != "." && part != "..") {
            const std::filesystem::path entry = findEntryNoCase(result, part);
            if (!entry.empty()) {
                result = entry;
                continue;
            }
            onDisk = false;
        }
        result /= fromUtf8(part);
    }
    return result;
}

std::string toStored(const std::filesystem::path& base, const std::filesystem::path& path) {
    const std::filesystem::path relative =
        path.lexically_normal().lexically_relative(base.lexically_normal());
    std::string stored;
    // An empty result means different roots (a relative path against an absolute one).
    bool below = !relative.empty();
    for (const auto& part : relative) {
        const std::string name = toUtf8(part);
        if (name == "..") {
            below = false;
            break;
        }
        if (name.empty() || name == ".") {
            continue;
        }
        stored += '\\';
        stored += name;
    }
    if (!below) {
        throw Error("Cesta \u201E" + toUtf8(path) + "\u201C neleží ve složce \u201E" +
                    toUtf8(base) + "\u201C.");
    }
    return stored;
}

std::string forDisplay(const std::filesystem::path& path) {
    return text::toUpper(toUtf8(path));
}

bool storedEquals(std::string_view a, std::string_view b) {
    std::string x(a);
    std::string y(b);
    std::replace(x.begin(), x.end(), '/', '\\');
    std::replace(y.begin(), y.end(), '/', '\\');
    return text::equalsNoCase(x, y);
}

} // namespace arkona::paths
