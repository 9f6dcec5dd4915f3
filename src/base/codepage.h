#pragma once

#include <string>
#include <string_view>

namespace arkona::text {

// The single-byte code pages that tables and settings files may be written in.
enum class CodePage { Windows1250, Dos852, Windows1252 };

// Bytes of the code page to UTF-8. Every byte value maps to a character; bytes the code page
// leaves undefined map to the C1 control of the same value, so they survive a round trip.
std::string toUtf8(std::string_view bytes, CodePage page = CodePage::Windows1250);

// UTF-8 to bytes of the code page. Throws arkona::Error naming the first character that the
// code page cannot hold (and on malformed UTF-8).
std::string fromUtf8(std::string_view utf8, CodePage page = CodePage::Windows1250);

// UTF-8 to Windows-1250 for a generated HTML page: characters Windows-1250 cannot hold become
// numeric character references (&#8364; style, decimal).
std::string fromUtf8ForHtml(std::string_view utf8);

// The text of a file a user brings in (an HTML page, a file an editor saved): UTF-8 when its
// bytes are valid UTF-8 with a UTF-8 mark or at least one character beyond ASCII (text in
// Windows-1250 with Czech letters is never that), otherwise Windows-1250. A UTF-8 mark is dropped.
std::string textFileToUtf8(std::string_view bytes);

// True when every character of the UTF-8 text has a byte in the code page.
bool canEncode(std::string_view utf8, CodePage page = CodePage::Windows1250);

// The Unicode code point of one byte of the code page.
char32_t decodeByte(unsigned char byte, CodePage page = CodePage::Windows1250);

} // namespace arkona::text
