#include "site/relative_path.h"

#include <vector>

namespace arkona::site {

namespace {

// The components of a folder: "/a/b" and "a/b/" both give {a, b}; "/" and "" give none.
std::vector<std::string_view> components(std::string_view folder) {
    if (folder == "/") {
        folder = {};
    }
    if (folder.starts_with('/')) {
        folder.remove_prefix(1);
    }
    std::vector<std::string_view> parts;
    while (!folder.empty()) {
        const auto slash = folder.find('/');
        parts.push_back(folder.substr(0, slash));
        folder = slash == std::string_view::npos ? std::string_view{} : folder.substr(slash + 1);
    }
    return parts;
}

} // namespace

std::string RelativePath(std::string_view from, std::string_view to) {
    const auto a = components(from);
    const auto b = components(to);
    size_t common = 0;
    while (common < a.size() && common < b.size() && a[common] == b[common]) {
        ++common;
    }
    if (common == a.size() && common == b.size()) {
        return {};
    }
    std::string result;
    for (size_t i = common; i < a.size(); ++i) {
        result += "../";
    }
    if (result.empty()) {
        result = "./";
    }
    for (size_t i = common; i < b.size(); ++i) {
        result += b[i];
        result += '/';
    }
    return result;
}

} // namespace arkona::site
