#pragma once

#include <filesystem>

namespace arkona::samples {

// Writes the style's templates from SOURCE/templates/*.json into PROJECT/_sablony through the
// program's own template writer, the settings the template editor keeps beside them into
// PROJECT/ArkonaTree.ini, and the button pictures they name into _sablony and WWW/_images.
void buildTemplates(const std::filesystem::path& source, const std::filesystem::path& project);

} // namespace arkona::samples
