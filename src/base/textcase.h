#pragma once

#include <string>
#include <string_view>

namespace arkona::text {

// Upper and lower case of UTF-8 text. Every letter of the Windows-1250 repertoire (Czech,
// Slovak, Polish, Hungarian, German ...) maps to its partner; other characters stay as they are.
std::string toUpper(std::string_view utf8);
std::string toLower(std::string_view utf8);

// Comparison without regard to letter case ("Currency" equals "currency", "ŽLUŤ" equals "žluť").
bool equalsNoCase(std::string_view a, std::string_view b);

// Exact code comparison: a code "AB" never matches "ABC"; trailing blanks are not significant,
// because table columns are blank padded.
bool codeEquals(std::string_view a, std::string_view b);
bool codeEqualsNoCase(std::string_view a, std::string_view b);

// Removes blanks (spaces, tabs, CR, LF) from both ends / the right end.
std::string_view trim(std::string_view s);
std::string_view trimRight(std::string_view s);

} // namespace arkona::text
