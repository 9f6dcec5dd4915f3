#include "base/dbf/file_swap.h"
#include "base/error.h"
#include "cli/command.h"

#include <algorithm>
#include <iostream>
#include <string>

namespace arkona::cli {

bool Arguments::takeFlag(const std::string& flag) {
    auto it = std::find(words.begin(), words.end(), flag);
    if (it == words.end()) {
        return false;
    }
    words.erase(it);
    return true;
}

bool Arguments::hasHelp() const {
    return std::any_of(words.begin(), words.end(),
                       [](const std::string& w) { return w == "--help" || w == "-h"; });
}

int badUsage(Streams& io, const std::string& message, const std::string& command) {
    io.err << "arkona: " << message << "\n"
           << "Nápovědu vypíše „arkona " << command << (command.empty() ? "" : " ") << "--help“.\n";
    return kBadUsage;
}

namespace {

const char* kHelp = R"(arkona – příkazová řádka programu ArkonaPro

Použití: arkona PŘÍKAZ [VOLBY] ...

Příkazy:
  check PROJEKT              kontrola datových souborů projektu (smaže nedosažitelné řádky)
  pack PROJEKT               optimalizace datových souborů (odstraní smazané řádky)
  sections PROJEKT           sekce stránek; --page HTMLID jen jedné stránky
  katalog PROJEKT            položky katalogu s cenami; --csv jako CSV, --group N jedna skupina,
                             --update-prices aktualizace cen v produktových sekcích
  goods PROJEKT --page HTMLID zboží produktových sekcí stránky s cenami; --section N jedna sekce,
                             --csv jako CSV
  tree PROJEKT               strom stránek projektu; --optimise ho nejprve přečísluje
  generate PROJEKT           vygeneruje web projektu do složky WWW; --scope all|section|branch|page
                             a --page HTMLID omezí, které stránky
  table info SOUBOR          struktura tabulky dBase (verze, kódová stránka, sloupce, počty řádků)
  table dump SOUBOR          řádky tabulky jako text; --csv jako CSV, --deleted i smazané řádky
  template show SOUBOR       šablona (.qsp, .qsk, .qso) nebo nastavení obchodu (.qsh), jak je
                             program čte, s doplněnými výchozími hodnotami

Volby:
  --help                     nápověda k programu nebo k příkazu
  --version                  verze programu

Návratový kód: 0 úspěch, 1 chyba při práci (zpráva na standardním chybovém výstupu),
2 chybně zadaný příkaz.
)";

} // namespace

int run(int argc, char** argv, Streams& io) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        args.words.emplace_back(argv[i]);
    }
    if (args.words.empty()) {
        io.err << kHelp;
        return kBadUsage;
    }
    const std::string command = args.words.front();
    if (command == "--help" || command == "-h" || command == "help") {
        io.out << kHelp;
        return kOk;
    }
    if (command == "--version") {
        io.out << "arkona 0.1\n";
        return kOk;
    }
    args.words.erase(args.words.begin());
    // A table found half packed after a crash is repaired when opened; the user hears of it.
    dbf::setRepairNotice([&io](const std::string& text) { io.err << "arkona: " << text << "\n"; });
    // One entry per command; each subsystem adds its own line.
    struct Entry {
        const char* name;
        int (*run)(Arguments, Streams&);
    };
    static const Entry commands[] = {
        {"table", runTable},       {"check", runCheck},       {"pack", runPack},
        {"sections", runSections}, {"katalog", runKatalog},   {"template", runTemplate},
        {"tree", runTree},         {"generate", runGenerate}, {"goods", runGoods},
    };
    for (const auto& entry : commands) {
        if (command != entry.name) {
            continue;
        }
        try {
            return entry.run(std::move(args), io);
        } catch (const Error& e) {
            io.err << "arkona: " << e.what() << "\n";
            return kFailed;
        } catch (const std::exception& e) {
            io.err << "arkona: " << e.what() << "\n";
            return kFailed;
        }
    }
    return badUsage(io, "neznámý příkaz „" + command + "“", "");
}

} // namespace arkona::cli

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    arkona::cli::Streams io{std::cout, std::cerr};
    const int code = arkona::cli::run(argc, argv, io);
    std::cout.flush();
    return code;
}
