#include "base/error.h"
#include "base/progress.h"
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

// Progress of long work as lines on stderr.
class StderrProgress : public Progress {
public:
    explicit StderrProgress(std::ostream& err) : err_(err) {}
    void start(const ProgressSetup& s) override {
        maximum_ = s.maximum1;
        position_ = 0;
        err_ << s.title << "\n";
    }
    void setMessage(const std::string& text) override {
        message_ = text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    }
    void setMaximum(int bar, int maximum) override {
        if (bar == 1) {
            maximum_ = maximum;
        }
    }
    void setPosition(int bar, int position) override {
        if (bar == 1) {
            position_ = position;
        }
    }
    void step(int bar) override {
        if (bar == 1) {
            ++position_;
            err_ << "  [" << position_ << "/" << maximum_ << "] " << message_ << "\n";
        }
    }
    bool cancelRequested() override { return false; }
    void resetCancel() override {}
    void finish() override {}

private:
    std::ostream& err_;
    std::string message_;
    int maximum_ = 100;
    int position_ = 0;
};

class StderrStatus : public StatusLine {
public:
    explicit StderrStatus(std::ostream& err) : err_(err) {}
    void show(const std::string& text) override {
        if (!text.empty()) {
            err_ << text << "\n";
        }
    }

private:
    std::ostream& err_;
};

std::filesystem::path projectArgument(const std::string& folder) {
    if (!storage::isProjectFolder(folder)) {
        throw Error("Složka „" + folder + "“ není projekt ArkonaPro: chybí v ní soubor ArkonaTree.ini.");
    }
    return folder;
}

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
