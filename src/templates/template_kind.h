#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace arkona::templates {

// The kinds of files in a project's _sablony folder. The letter is the last character of the
// file name (".qsp", ".qsk", ".qso", ".qsh").
enum class TemplateKind : char {
    Product = 'p', // product sections
    Cart = 'k',    // cart sections
    Order = 'o',   // order sections
    Shop = 'h',    // main sections: the shop settings file
};

inline char letterOf(TemplateKind kind) {
    return static_cast<char>(kind);
}

// ".qsp" and so on.
std::string extensionOf(TemplateKind kind);
// "default.qsp" and so on.
std::string defaultFileName(TemplateKind kind);

// The kind a file name's last character names, without regard to case; nothing for others.
std::optional<TemplateKind> kindOfName(std::string_view fileName);

// The kind of a section type ("p", "k", "o", "h"); nothing for text sections and others.
std::optional<TemplateKind> kindOfSectionType(std::string_view type);

// The name with the kind's extension appended unless it already ends so (any letter case):
// "akce" and "akce.qsp" both give "akce.qsp".
std::string withExtension(std::string_view name, TemplateKind kind);

// Filter of the file dialogs for one kind, in the form "Description (*.qsp)".
std::string fileFilter(TemplateKind kind);

} // namespace arkona::templates
