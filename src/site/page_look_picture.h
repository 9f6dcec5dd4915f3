#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace arkona::site {

// Pictures chosen for pages lie in the site's `_images` folder; a page stores only the name.

// The `_images` folder of a site folder (found in any letter case; named "_images" when it
// does not exist yet).
std::filesystem::path imagesFolder(const std::filesystem::path& siteFolder);

// The file of a stored picture name in `_images` (any letter case); empty when the name is
// empty or no such file is there.
std::filesystem::path existingPicture(const std::filesystem::path& siteFolder,
                                      std::string_view name);

// Copies a chosen picture into `_images` under its own name, creating the folder when missing
// and replacing a picture of that name; returns the name to store. When `_images` already holds
// the name in another letter case, that file is replaced and its name returned, so the stored
// name and the file always agree. A picture chosen from `_images` itself is not copied. The name
// must fit a picture column (`maxNameBytes` bytes of Windows-1250). On any failure throws
// arkona::Error with the reason and leaves `_images` as it was.
std::string copyIntoImages(const std::filesystem::path& siteFolder,
                           const std::filesystem::path& picture, std::size_t maxNameBytes);

} // namespace arkona::site
