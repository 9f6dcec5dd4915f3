#pragma once

#include <string>
#include <string_view>

namespace arkona::site {

// Characters a page's file name may hold after its number: A-Z, a-z, 0-9, "_", "-" and "!".
bool isFileNameCharacter(char32_t c);
// Characters of names typed into the input box with its name option: the file-name characters,
// the Czech letters and the blank.
bool isNameCharacter(char32_t c);

// The file name a page gets from its title: its number followed by the title's file-name
// characters in order ("O nás" as page 7 gives "7Ons").
std::string deriveFileName(long long number, std::string_view title);

// The text of an edit field after one change, with its cursor (in characters) and how many
// characters were dropped (the field beeps once for each).
struct EditedText {
    std::u32string text;
    int cursor = 0;
    int removed = 0;
};

// The file-name field of the new-page dialog after a change: it always begins with the page
// number (typing "x" into the empty field of page 7 gives "7x"), and what follows holds only
// file-name characters.
EditedText editFileName(long long number, std::u32string_view text, int cursor);
// The input box's field with the name option: characters outside the name set are dropped.
EditedText editName(std::u32string_view text, int cursor);

std::u32string toUtf32(std::string_view utf8);
std::string toUtf8(std::u32string_view text);

} // namespace arkona::site
