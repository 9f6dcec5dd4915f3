#pragma once

#include <string>

namespace arkona::app {

// "ArkonaPro [name]", or "ArkonaPro [bez názvu]" for a name of blanks only.
std::string mainWindowCaption(const std::string& projectName);

} // namespace arkona::app
