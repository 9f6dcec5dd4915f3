#include "base/error.h"
#include "base/locale.h"
#include "base/progress.h"
#include "catalogue/price_list.h"
#include "catalogue/price_update.h"
#include "cli/cli_support.h"
#include "cli/command.h"
#include "storage/project_context.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace arkona::cli {

namespace {

const char* kKatalogHelp = R"(Použití:
  arkona katalog PROJEKT [--group N] [--csv]
      Vypíše položky katalogu zboží s cenami: jeden řádek na položku, skupiny v pořadí
      stromu skupin, položky podle kódu. Uložené sloupce SKUPID, KOD, NAZEV, N_IDPH, N_CENA,
      N_CENA_DPH, D_CENA, D_CENA_DPH, MARZE, P_IDPH, P_0, P_L, P_H, ROUND, SLEVA, pak
      vypočtené L, H, DPH_L, DPH_H, P_CENA, P_DPH, P_CENA_DPH, A_MARZE, A_MARZE_KC, MARZE_KC
      a SLEVA_KC tak, jak je ukazuje ceník (dvě desetinná místa, desetinná čárka). Sloupce
      jsou oddělené tabulátorem, první řádek nese jejich názvy.
      --group N   jen položky skupiny N
      --csv       jako CSV: řádek názvů sloupců, desetinná tečka
  arkona katalog PROJEKT --update-prices
      Aktualizace cen v produktových sekcích: zboží na stránkách a komponenty sad převezmou
      ceny svých položek katalogu. Průběh vypisuje na standardní chybový výstup, nakonec
      vypíše počty aktualizovaných řádků.
)";

const char* kColumns[] = {"SKUPID",   "KOD",        "NAZEV", "N_IDPH",     "N_CENA",  "N_CENA_DPH",
                          "D_CENA",   "D_CENA_DPH", "MARZE", "P_IDPH",     "P_0",     "P_L",
                          "P_H",      "ROUND",      "SLEVA", "L",          "H",       "DPH_L",
                          "DPH_H",    "P_CENA",     "P_DPH", "P_CENA_DPH", "A_MARZE", "A_MARZE_KC",
                          "MARZE_KC", "SLEVA_KC"};

std::string itemLine(LineWriter& w, const catalogue::PriceListLine& line) {
    const auto& i = line.item;
    const auto& d = line.derived;
    w.whole(i.skupId);
    w.text(i.kod);
    w.text(i.nazev);
    w.text(i.nIdph);
    for (double v : {i.nCena, i.nCenaDph, i.dCena, i.dCenaDph, i.marze}) {
        w.stored(v);
    }
    w.text(i.pIdph);
    for (double v : {i.p0, i.pL, i.pH}) {
        w.stored(v);
    }
    w.text(i.round);
    w.stored(i.sleva);
    for (double v : {d.L, d.H, d.DPH_L, d.DPH_H, d.P_CENA, d.P_DPH, d.P_CENA_DPH, d.A_MARZE,
                     d.A_MARZE_KC, d.MARZE_KC, d.SLEVA_KC}) {
        w.amount(v);
    }
    return w.take();
}

// Progress of the price update on stderr: the title, then a line at every tenth of the way.
class UpdateProgress : public Progress {
public:
    explicit UpdateProgress(std::ostream& err) : err_(err) {}
    void start(const ProgressSetup& s) override {
        err_ << s.title << "\n";
        position_ = 0;
        reported_ = 0;
    }
    void setMessage(const std::string&) override {}
    void setMaximum(int bar, int maximum) override {
        if (bar == 1) {
            maximum_ = maximum;
            err_ << "  řádků k aktualizaci: " << maximum << "\n";
        }
    }
    void setPosition(int bar, int position) override {
        if (bar == 1) {
            position_ = position;
        }
    }
    void step(int bar) override {
        if (bar != 1 || maximum_ <= 0) {
            return;
        }
        ++position_;
        const int tenth = static_cast<int>(10LL * position_ / maximum_);
        if (tenth > reported_) {
            reported_ = tenth;
            err_ << "  " << tenth * 10 << " % (" << position_ << "/" << maximum_ << ")\n";
        }
    }
    bool cancelRequested() override { return false; }
    void resetCancel() override {}
    void finish() override {}

private:
    std::ostream& err_;
    int maximum_ = 0;
    int position_ = 0;
    int reported_ = 0;
};

std::optional<int> takeGroup(Arguments& args, bool& bad) {
    auto it = std::find(args.words.begin(), args.words.end(), "--group");
    if (it == args.words.end()) {
        return std::nullopt;
    }
    int group = 0;
    if (std::next(it) == args.words.end()) {
        bad = true;
        return std::nullopt;
    }
    const std::string& value = *std::next(it);
    const auto r = std::from_chars(value.data(), value.data() + value.size(), group);
    if (r.ec != std::errc() || r.ptr != value.data() + value.size()) {
        bad = true;
        return std::nullopt;
    }
    args.words.erase(it, std::next(it, 2));
    return group;
}

int list(const storage::ProjectContext& project, std::optional<int> group, bool csv, Streams& io) {
    LineWriter w(csv);
    for (const char* column : kColumns) {
        w.text(column);
    }
    std::string out = w.take();
    for (const auto& line : catalogue::priceList(project, group)) {
        out += itemLine(w, line);
        if (out.size() > (1u << 20)) {
            io.out << out;
            out.clear();
        }
    }
    io.out << out;
    return kOk;
}

int updatePrices(const storage::ProjectContext& project, Streams& io) {
    UpdateProgress progress(io.err);
    const auto counts = catalogue::RecalcProd(project, nullptr, progress);
    io.out << "Aktualizováno zboží v produktových sekcích: " << counts.products << " (změněno "
           << counts.changedProducts << "), komponent sad: " << counts.components << " (změněno "
           << counts.changedComponents << ").\n";
    return kOk;
}

} // namespace

int runKatalog(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kKatalogHelp;
        return kOk;
    }
    bool badGroup = false;
    const auto group = takeGroup(args, badGroup);
    if (badGroup) {
        return badUsage(io, "--group potřebuje číslo skupiny", "katalog");
    }
    const bool csv = args.takeFlag("--csv");
    const bool update = args.takeFlag("--update-prices");
    if (args.words.size() != 1 || args.words[0].starts_with("--")) {
        return badUsage(io, "katalog potřebuje právě jednu složku projektu", "katalog");
    }
    if (update && (csv || group)) {
        return badUsage(io, "--update-prices nejde spojit s --group ani s --csv", "katalog");
    }
    const auto project = openProjectContext(args.words[0]);
    return update ? updatePrices(project, io) : list(project, group, csv, io);
}

} // namespace arkona::cli
