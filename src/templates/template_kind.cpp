#include "templates/template_kind.h"

#include "base/textcase.h"

namespace arkona::templates {

std::string extensionOf(TemplateKind kind) {
    return std::string(".qs") + letterOf(kind);
}

std::string defaultFileName(TemplateKind kind) {
    return "default" + extensionOf(kind);
}

std::optional<TemplateKind> kindOfName(std::string_view fileName) {
    if (fileName.empty()) {
        return std::nullopt;
    }
    switch (fileName.back()) {
    case 'p':
    case 'P':
        return TemplateKind::Product;
    case 'k':
    case 'K':
        return TemplateKind::Cart;
    case 'o':
    case 'O':
        return TemplateKind::Order;
    case 'h':
    case 'H':
        return TemplateKind::Shop;
    default:
        return std::nullopt;
    }
}

std::optional<TemplateKind> kindOfSectionType(std::string_view type) {
    const std::string_view t = text::trim(type);
    return t.size() == 1 ? kindOfName(t) : std::nullopt;
}

std::string withExtension(std::string_view name, TemplateKind kind) {
    const std::string extension = extensionOf(kind);
    const std::string_view trimmed = text::trim(name);
    if (trimmed.size() >= extension.size() &&
        text::equalsNoCase(trimmed.substr(trimmed.size() - extension.size()), extension)) {
        return std::string(trimmed);
    }
    return std::string(trimmed) + extension;
}

std::string fileFilter(TemplateKind kind) {
    switch (kind) {
    case TemplateKind::Product:
        return "Soubory šablon produtkové sekce ( *.qsp )";
    case TemplateKind::Cart:
        return "Soubory šablon nákupní karty ( *.qsk )";
    case TemplateKind::Order:
        return "Soubory šablon objednávky ( *.qso )";
    case TemplateKind::Shop:
        return "Soubory šablon hlavní stránky (*.qsh)";
    }
    return {};
}

} // namespace arkona::templates
