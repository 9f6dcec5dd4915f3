#pragma once

#include <string>
#include <string_view>

namespace arkona::site {

// The five kinds of page section, by their stored one-letter code.
inline constexpr char kTextSection = 't';
inline constexpr char kProductSection = 'p';
inline constexpr char kOrderSection = 'o';
inline constexpr char kCartSection = 'k';
inline constexpr char kMainSection = 'h';

// "textová", "produktová", "objednávka", "nákupní karta", "hlavní strana"; empty for anything
// else.
std::string sectionTypeName(std::string_view typ);

// The template file a section of the type uses when its SABID is empty ("default.qsp" ...);
// empty for a text section.
std::string defaultTemplateOf(std::string_view typ);

// Extension (".qsp" ...) and file dialog filter of the type's templates; empty for text.
std::string templateExtensionOf(std::string_view typ);
std::string templateFilterOf(std::string_view typ);

// The kind a template file name belongs to by its extension, letter case ignored ('p' for
// "Akce.QSP"); 0 when it is none of the four.
char templateKindOfFile(std::string_view fileName);

} // namespace arkona::site
