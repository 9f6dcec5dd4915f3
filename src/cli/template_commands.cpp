#include "base/error.h"
#include "base/textcase.h"
#include "cli/command.h"
#include "templates/section_template.h"
#include "templates/shop_settings.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace arkona::cli {

namespace {

using namespace arkona::templates;

const char* kTemplateHelp = R"(Použití:
  arkona template show SOUBOR [--editor]
      Vypíše šablonu produktové sekce (.qsp), nákupní karty (.qsk), objednávky (.qso)
      nebo soubor nastavení obchodu (.qsh) tak, jak ji program čte: každý klíč
      v pořadí, v jakém ho program zapisuje, chybějící klíče s výchozími hodnotami.
      Za každou mřížkou šablony uvede poslední použitou buňku. Bez volby se doplňují
      výchozí hodnoty generátoru, s --editor výchozí hodnoty editoru šablon.
)";

std::string gridName(GridKind g) {
    switch (g) {
    case GridKind::Header:
        return "nadpisy";
    case GridKind::Items:
        return "položky";
    case GridKind::Totals:
        return "součty";
    }
    return {};
}

// Notes on the grids: which cells are used and how far the generator writes.
std::string gridSummary(const SectionTemplate& t) {
    std::string out;
    for (GridKind g : {GridKind::Header, GridKind::Items, GridKind::Totals}) {
        const CellGrid& grid = t.grid(g);
        const int last = grid.lastUsedCell();
        out += "; " + gridName(g) + ": ";
        out += last < 0
                   ? "žádná použitá buňka"
                   : "poslední použitá buňka " + std::to_string(last) +
                         ", generátor zapíše buňky 0 až " + std::to_string(grid.lastWrittenCell());
        out += "\n";
    }
    return out;
}

std::optional<TemplateKind> kindOfFile(const std::filesystem::path& path) {
    const std::string extension = text::toLower(path.extension().string());
    for (TemplateKind k :
         {TemplateKind::Product, TemplateKind::Cart, TemplateKind::Order, TemplateKind::Shop}) {
        if (extension == extensionOf(k)) {
            return k;
        }
    }
    return std::nullopt;
}

int show(const std::string& file, Defaults defaults, Streams& io) {
    const std::filesystem::path path(file);
    const auto kind = kindOfFile(path);
    if (!kind) {
        return badUsage(io, "soubor „" + file + "“ není šablona (.qsp, .qsk, .qso ani .qsh)",
                        "template");
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        throw Error("Soubor „" + file + "“ neexistuje.");
    }
    if (*kind == TemplateKind::Shop) {
        io.out << formatEntries(shopSettingsEntries(readShopSettings(path, defaults)));
        return kOk;
    }
    const SectionTemplate t = readTemplate(path, *kind, defaults);
    io.out << gridSummary(t) << formatEntries(templateEntries(t));
    return kOk;
}

} // namespace

int runTemplate(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kTemplateHelp;
        return kOk;
    }
    const Defaults defaults = args.takeFlag("--editor") ? Defaults::Editor : Defaults::Generator;
    if (args.words.size() != 2 || args.words[0] != "show") {
        return badUsage(io, "chybně zadaný příkaz template", "template");
    }
    return show(args.words[1], defaults, io);
}

} // namespace arkona::cli
