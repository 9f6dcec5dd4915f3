#pragma once

#include <string>
#include <string_view>

namespace arkona::generator {

// A value written into a quoted string of a generated script: a backslash, both kinds of quote
// and line breaks are escaped, and a "<" that would begin "</script", "<script" or "<!--" (any
// letter case) is written as \x3C, so no value can end the string or the script. Text without
// any of these stays byte for byte as it is.
std::string scriptString(std::string_view value);

} // namespace arkona::generator
