#include "site/section_types.h"

#include "base/textcase.h"

namespace arkona::site {

namespace {

char kindOf(std::string_view typ) {
    return typ.size() == 1 ? typ[0] : '\0';
}

} // namespace

std::string sectionTypeName(std::string_view typ) {
    switch (kindOf(typ)) {
    case kTextSection:
        return "textová";
    case kProductSection:
        return "produktová";
    case kOrderSection:
        return "objednávka";
    case kCartSection:
        return "nákupní karta";
    case kMainSection:
        return "hlavní strana";
    default:
        return {};
    }
}

std::string templateExtensionOf(std::string_view typ) {
    switch (kindOf(typ)) {
    case kProductSection:
    case kOrderSection:
    case kCartSection:
    case kMainSection:
        return std::string(".qs") + kindOf(typ);
    default:
        return {};
    }
}

std::string defaultTemplateOf(std::string_view typ) {
    const std::string extension = templateExtensionOf(typ);
    return extension.empty() ? std::string() : "default" + extension;
}

std::string templateFilterOf(std::string_view typ) {
    switch (kindOf(typ)) {
    case kProductSection:
        return "Soubory šablon produtkové sekce (*.qsp)|*.qsp";
    case kOrderSection:
        return "Soubory šablon objednávek (*.qso)|*.qso";
    case kCartSection:
        return "Soubory šablon nákupních karet (*.qsk)|*.qsk";
    case kMainSection:
        return "Soubory šablon hlavní strany (*.qsh)|*.qsh";
    default:
        return {};
    }
}

char templateKindOfFile(std::string_view fileName) {
    const std::string lower = text::toLower(fileName);
    for (char kind : {kProductSection, kOrderSection, kCartSection, kMainSection}) {
        if (lower.ends_with(std::string(".qs") + kind)) {
            return kind;
        }
    }
    return '\0';
}

} // namespace arkona::site
