#pragma once

#include "templates/order_form.h"
#include "templates/profile_entries.h"
#include "templates/template_cell.h"
#include "templates/template_kind.h"

#include <filesystem>
#include <string>
#include <vector>

namespace arkona::templates {

// Whose defaults fill in what a file leaves out. The generator and the template editor (and the
// shop settings dialog) differ in a few places on purpose: the generator counts a header cell
// without `bgcolor` as coloured (so such a cell is used), the editor shows it white.
enum class Defaults { Generator, Editor };

// Background of a header cell whose file names none, for each reader.
inline constexpr std::string_view kGeneratorHeaderBgcolor = "";
inline constexpr std::string_view kEditorHeaderBgcolor = kNoColour;

// Default texts of a cart template ([Texty]).
inline constexpr std::string_view kDefaultSmazatKosik = "Opravdu chcete vyprázdnit nákupní kartu ?";
inline constexpr std::string_view kDefaultNeniCoObjednavat =
    "Není co objednávat, musíte nejdříve vložit do nákupní karty nějaké zboží !";
inline constexpr std::string_view kDefaultOdebratZbozi =
    "Opravdu chcete vymazat z nákupního košíku položku:";

// A product (".qsp"), cart (".qsk") or order (".qso") template: how the goods of a section, the
// cart or the order form look. Values are kept as the file holds them; the generator escapes
// them where it writes them.
struct SectionTemplate {
    TemplateKind kind = TemplateKind::Product;
    CellGrid header; // [c0] ... [c39]
    CellGrid items;  // [p0] ... [p39]
    CellGrid totals; // [z0] ... [z39]

    // Order templates: the 101 rows of the order form and the card warnings ([Karta]).
    std::vector<OrderRow> orderRows;
    std::string cislo;    // shown when a card number fails its check
    std::string platnost; // shown when a card has expired

    // Cart templates: the order page ([Karta] Objednavka, a URL path with a leading "/") and
    // the texts of the cart's questions ([Texty]).
    std::string objednavka;
    std::string smazatKosik;
    std::string neniCoObjednavat;
    std::string odebratZbozi;

    // [Sablona]: the template's own description.
    std::string name;
    std::string autor;
    std::string spolecnost;

    const CellGrid& grid(GridKind g) const;
    CellGrid& grid(GridKind g);

    bool operator==(const SectionTemplate&) const = default;
};

// A cell or order row whose section or keys are missing, as each reader fills it in.
TemplateCell missingCell(GridKind grid, Defaults defaults);
OrderRow missingOrderRow();

// What a reader sees for a kind when there is no file at all.
SectionTemplate missingTemplate(TemplateKind kind, Defaults defaults);

// A new template as the editor creates it: every cell with no colour, the standard font,
// centred, one column; an order template with the standard rows of the order form.
SectionTemplate newTemplate(TemplateKind kind);

// Reads a template of the given kind; a missing file, section or key gives the reader's
// default, and so does a value that cannot be read. Throws arkona::Error only when the file
// exists but cannot be read at all.
SectionTemplate readTemplate(const std::filesystem::path& file, TemplateKind kind,
                             Defaults defaults);

// Every key a save writes, in the order it writes them: the description, the three grids
// cell by cell, then for an order template its 101 rows and [Karta], for a cart template
// [Karta] and [Texty]. Texts are written in single quotes, other values bare.
ProfileEntries templateEntries(const SectionTemplate& t);

// Writes the template into the file: every key of templateEntries, other keys of the file
// kept as they are. Throws arkona::Error with a Czech message when it cannot be written; the
// old file then stays as it was.
void writeTemplate(const std::filesystem::path& file, const SectionTemplate& t);

} // namespace arkona::templates
