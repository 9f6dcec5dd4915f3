#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace arkona::paths {

// Stored paths use the Windows notation of the project files ("\WWW", "\a\b", "_dbf\html.dbf"):
// backslashes, compared without regard to case.

// Joins a stored path below a native folder, resolving each component case-insensitively
// against the disk: "\WWW\_images" below /p finds /p/www/_images when that is what exists.
// Components that do not exist yet are kept as written (with '/' separators).
std::filesystem::path resolve(const std::filesystem::path& base, std::string_view stored);

// Finds an entry of `folder` whose name equals `name` without regard to case; the exact name
// wins when several match. Returns an empty path when there is none.
std::filesystem::path findEntryNoCase(const std::filesystem::path& folder, std::string_view name);

// The stored notation of a path below `base`: "\" before every component.
std::string toStored(const std::filesystem::path& base, const std::filesystem::path& path);

// Upper-case form of a path for status lines and logs.
std::string forDisplay(const std::filesystem::path& path);

// Equality of two stored paths without regard to case and to "/" versus "\".
bool storedEquals(std::string_view a, std::string_view b);

} // namespace arkona::paths
