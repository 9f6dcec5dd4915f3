#include "base/dbf/table.h"
#include "base/error.h"
#include "base/textcase.h"
#include "catalogue/section_goods.h"
#include "catalogue/tables.h"
#include "cli/cli_support.h"
#include "cli/command.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/statements.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace arkona::cli {

namespace {

const char* kGoodsHelp = R"(Použití:
  arkona goods PROJEKT --page HTMLID [--section N] [--csv]
      Vypíše zboží produktových sekcí stránky: sekce podle čísla SEKCEID, v každé řádky
      v pořadí PORADI. Sloupce SEKCEID, PORADI, TYP, KOD, NAZEV, zveřejněné ceny TMP_P_CENA
      a TMP_P_CENA_DPH (zaokrouhlené podle ROUND řádku), SLEVA, TMP_SLEVA_KC, KS_MAX,
      KS_KROK, MJ a OBRAZEK; částky se dvěma desetinnými místy a desetinnou čárkou.
      Sloupce jsou oddělené tabulátorem, první řádek nese jejich názvy.
      --page HTMLID   stránka, například 8_ (stačí i 8)
      --section N     jen produktová sekce N té stránky
      --csv           jako CSV: řádek názvů sloupců, desetinná tečka
)";

const char* kColumns[] = {
    "SEKCEID", "PORADI",       "TYP",    "KOD",     "NAZEV", "TMP_P_CENA", "TMP_P_CENA_DPH",
    "SLEVA",   "TMP_SLEVA_KC", "KS_MAX", "KS_KROK", "MJ",    "OBRAZEK"};

// The value of an option ("--page 8_"), removed from the words; `bad` when it has none.
std::optional<std::string> takeOption(Arguments& args, const std::string& name, bool& bad) {
    auto it = std::find(args.words.begin(), args.words.end(), name);
    if (it == args.words.end()) {
        return std::nullopt;
    }
    if (std::next(it) == args.words.end() || std::next(it)->starts_with("--")) {
        bad = true;
        return std::nullopt;
    }
    std::string value = *std::next(it);
    args.words.erase(it, std::next(it, 2));
    return value;
}

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "8" names page "8_" as the tree shows it.
std::string pageId(std::string page) {
    page = std::string(text::trim(page));
    if (!page.empty() &&
        std::all_of(page.begin(), page.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        page += '_';
    }
    return page;
}

bool pageExists(const storage::ProjectContext& project, const std::string& htmlId) {
    const auto table = dbf::Table::open(catalogue::projectTable(project, storage::kStruktur),
                                        dbf::OpenMode::ReadOnly);
    return !storage::findRows(table, {{"HTMLID", htmlId}}).empty();
}

// The product sections of the page in SEKCEID order.
std::vector<int> productSections(const storage::ProjectContext& project,
                                 const std::string& htmlId) {
    const auto table =
        dbf::Table::open(catalogue::projectTable(project, storage::kHtml), dbf::OpenMode::ReadOnly);
    std::vector<int> sections;
    table.scan([&](const dbf::Record& r) {
        if (text::trim(r.text("HTMLID")) == htmlId &&
            text::equalsNoCase(text::trim(r.text("TYP")), "p")) {
            sections.push_back(static_cast<int>(r.integerOr("SEKCEID", 0)));
        }
        return true;
    });
    std::sort(sections.begin(), sections.end());
    sections.erase(std::unique(sections.begin(), sections.end()), sections.end());
    return sections;
}

std::string goodsLine(LineWriter& w, const catalogue::ProductRow& row) {
    const catalogue::ProductDerived prices = row.derived();
    w.whole(row.sekceId);
    w.whole(row.poradi);
    w.text(row.typ);
    w.text(row.kod);
    w.text(row.nazev);
    for (double v : {prices.TMP_P_CENA, prices.TMP_P_CENA_DPH, row.sleva, prices.TMP_SLEVA_KC,
                     row.ksMax, row.ksKrok}) {
        w.amount(v);
    }
    w.text(row.mj);
    w.text(row.obrazek);
    return w.take();
}

} // namespace

int runGoods(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kGoodsHelp;
        return kOk;
    }
    bool bad = false;
    const auto page = takeOption(args, "--page", bad);
    const auto sectionText = takeOption(args, "--section", bad);
    if (bad) {
        return badUsage(io, "--page a --section potřebují hodnotu", "goods");
    }
    std::optional<int> section;
    if (sectionText) {
        section = wholeNumber(*sectionText);
        if (!section) {
            return badUsage(io, "--section potřebuje číslo sekce", "goods");
        }
    }
    const bool csv = args.takeFlag("--csv");
    if (!page) {
        return badUsage(io, "goods potřebuje stránku: --page HTMLID", "goods");
    }
    if (args.words.size() != 1 || args.words[0].starts_with("--")) {
        return badUsage(io, "goods potřebuje právě jednu složku projektu", "goods");
    }
    const auto project = openProjectContext(args.words[0]);
    const std::string htmlId = pageId(*page);
    if (!pageExists(project, htmlId)) {
        throw Error("Stránka „" + htmlId + "“ v projektu neexistuje.");
    }
    std::vector<int> sections = productSections(project, htmlId);
    if (sections.empty()) {
        throw Error("Stránka „" + htmlId + "“ nemá žádnou produktovou sekci.");
    }
    if (section) {
        if (std::find(sections.begin(), sections.end(), *section) == sections.end()) {
            throw Error("Stránka „" + htmlId + "“ nemá produktovou sekci " +
                        std::to_string(*section) + ".");
        }
        sections = {*section};
    }
    LineWriter w(csv);
    for (const char* column : kColumns) {
        w.text(column);
    }
    std::string out = w.take();
    for (int s : sections) {
        for (const auto& stored : catalogue::readSectionRows(project, {htmlId, s})) {
            out += goodsLine(w, stored.row);
        }
    }
    io.out << out;
    return kOk;
}

} // namespace arkona::cli
