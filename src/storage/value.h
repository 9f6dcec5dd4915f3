#pragma once

#include "base/locale.h"

#include <string>
#include <variant>

namespace arkona::storage {

// A parameter or column value crossing the storage layer: blank, text, number, switch or date.
using Value = std::variant<std::monostate, std::string, double, bool, Date>;

} // namespace arkona::storage
