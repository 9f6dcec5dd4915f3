#pragma once

#include <filesystem>
#include <string_view>

namespace arkona::generator {

// Writes a generated page in one piece: into a temporary file beside it, which is then renamed
// over the old page. A failure, or a crash half-way, leaves the old page as it was, never half
// a page. A page made read-only is meant to stay and is not replaced. Throws arkona::Error with
// a message that names the file and the reason.
// `mayExist` false says the file is known not to exist (the folder was listed), which spares
// the look at the old page.
void writePageFile(const std::filesystem::path& file, std::string_view bytes, bool mayExist = true);

} // namespace arkona::generator
