#pragma once

#include <string>
#include <string_view>

namespace arkona::generator {

// A value written into a quoted string of a generated script: a backslash, both kinds of quote
// and line breaks are escaped, and a "<" that would begin "</script", "<script" or "<!--" (any
// letter case) is written as \x3C, so no value can end the string or the script. Text without
// any of these stays byte for byte as it is.
std::string scriptString(std::string_view value);

// A value written into a single-quoted string of a generated script where double quotes belong
// to the markup it carries (a font tag, a unit, a template's text): a backslash, an apostrophe
// and line breaks are escaped, and the "<" rule above applies. Double quotes stay.
std::string singleQuoted(std::string_view value);

// A text shown as HTML inside a single-quoted script string (a goods line's code, name and
// description): every line break (CR LF, or a lone CR or LF) becomes <BR>, an apostrophe
// &acute;, a backslash is escaped and the "<" rule applies.
std::string delEnter(std::string_view value);

} // namespace arkona::generator
