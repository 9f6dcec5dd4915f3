#include "base/error.h"
#include "base/progress.h"
#include "cli/cli_support.h"
#include "cli/command.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

#include <iostream>

namespace arkona::cli {

namespace {

const char* kCheckHelp = R"(Použití:
  arkona check PROJEKT
      Kontrola datových souborů: smaže z tabulek projektu řádky, na které se nedá dostat
      (stránky bez identifikátoru nebo rodiče, sekce bez čísla, zboží bez sekce ...).
      Průběh vypisuje na standardní chybový výstup.
)";

const char* kPackHelp = R"(Použití:
  arkona pack PROJEKT
      Optimalizace datových souborů: odstraní z tabulek projektu řádky označené ke smazání
      a nepoužité bloky poznámek. Tabulku, kterou drží jiný program, ponechá beze změny
      a ohlásí ji (návratový kód 1).
)";

} // namespace

int runCheck(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kCheckHelp;
        return kOk;
    }
    if (args.words.size() != 1 || args.words[0].starts_with("--")) {
        return badUsage(io, "check potřebuje právě jednu složku projektu", "check");
    }
    storage::TData2 data;
    data.SetProjectPath(projectArgument(args.words[0]));
    StderrProgress progress(io.err);
    data.CheckData(&progress);
    return kOk;
}

int runPack(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kPackHelp;
        return kOk;
    }
    if (args.words.size() != 1 || args.words[0].starts_with("--")) {
        return badUsage(io, "pack potřebuje právě jednu složku projektu", "pack");
    }
    storage::TData2 data;
    data.SetProjectPath(projectArgument(args.words[0]));
    StderrStatus status(io.err);
    data.status = &status;
    const auto failures = data.PACK();
    for (const auto& f : failures) {
        io.err << "arkona: " << f << "\n";
    }
    return failures.empty() ? kOk : kFailed;
}

} // namespace arkona::cli
