#include "storage/project_context.h"

#include "base/locale.h"
#include "base/paths.h"
#include "base/profile.h"
#include "base/textcase.h"

namespace arkona::storage {

namespace {

std::vector<IniKey> buildStandardKeys() {
    std::vector<IniKey> keys = {
        {"Projekt", "Name"},          {"Projekt", "Autor"},
        {"Projekt", "Spolecnost"},    {"Projekt", "WWW"},
        {"Projekt", "Vytvoren"},      {"Projekt", "Editace"},
        {"Projekt", "ZavrenoOK"},     {"Projekt", "Otevreno"},
        {"Generate", "LastDate"},     {"Generate", "GenerateText"},
        {"Generate", "GenAkt"},       {"Generate", "GenDatum"},
        {"Generate", "GenTime"},      {"Generate", "GenPopis"},
        {"ColorSource", "ShowColor"}, {"Sablony", "Posledni_pouzita"},
        {"Sazby_DPH", "iDPH_L"},      {"Sazby_DPH", "iDPH_H"},
    };
    for (const char* k : {"Source", "Target", "Akt1", "Akt2", "Akt3", "Host", "Port", "UserName",
                          "Proxy", "ProxyServer", "ProxyPort"}) {
        keys.push_back({"FTP", k});
    }
    const char* payment[] = {"ebCesta",     "ebShopName", "ebUcet",  "ebBanka",
                             "ebKonstSymb", "ebMena",     "ebEMail", "ebUrlOK",
                             "ebUrlFail",   "ebAdd1",     "ebAdd2",  "ebAdd3"};
    for (const char* k : payment) {
        keys.push_back({"Expandia", k});
    }
    for (const char* k : {"Action", "Method", "Add1", "Add2", "Add3", "Hidden1", "Hidden2",
                          "Hidden3", "Hidden4", "Hidden5", "OnSubmit"}) {
        keys.push_back({"Form", k});
    }
    for (const char* k : payment) {
        keys.push_back({"eCity", k});
    }
    keys.push_back({"Mena", "Currency"});
    return keys;
}

std::string nowText() {
    const auto& locale = Locale::current();
    return locale.formatDateTime(Date::today(), TimeOfDay::now());
}

} // namespace

std::filesystem::path ProjectContext::iniPath() const {
    auto found = paths::findEntryNoCase(projectFolder, kProjectIniName);
    return found.empty() ? projectFolder / kProjectIniName : found;
}

void ProjectContext::setProjectFolder(const std::filesystem::path& folder) {
    projectFolder = folder;
    siteFolder = paths::resolve(folder, "\\WWW");
}

bool isProjectFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return false;
    }
    const auto ini = paths::findEntryNoCase(folder, kProjectIniName);
    return !ini.empty() && std::filesystem::is_regular_file(ini, ec);
}

const std::vector<IniKey>& standardProjectKeys() {
    static const std::vector<IniKey> keys = buildStandardKeys();
    return keys;
}

void readArkonaTree(ProjectContext& context) {
    context.setProjectFolder(context.projectFolder);
    const ProfileFile ini(context.iniPath());
    context.projectName = ini.readString("Projekt", "Name");
    context.author = ini.readString("Projekt", "Autor");
    context.company = ini.readString("Projekt", "Spolecnost");
    context.reducedVat = ini.readInt("sazby_DPH", "iDPH_L", 5);
    context.baseVat = ini.readInt("sazby_DPH", "iDPH_H", 22);
    context.currency = ini.readString("mena", "currency", context.currency);
    context.reducedVatCaption = std::to_string(context.reducedVat) + " %";
    context.baseVatCaption = std::to_string(context.baseVat) + " %";
    context.lastTemplate = ini.readString("sablony", "posledni_pouzita", "default");
}

void completeProjectIni(const std::filesystem::path& iniPath) {
    ProfileFile ini(iniPath);
    bool changed = false;
    for (const auto& k : standardProjectKeys()) {
        if (ini.readString(k.section, k.key, "record_no_exist") == "record_no_exist") {
            ini.writeString(k.section, k.key, "");
            changed = true;
        }
    }
    if (changed) {
        ini.save();
    }
}

int countProjectOpen(const ProjectContext& context) {
    ProfileFile ini(context.iniPath());
    const int count = ini.readInt("Projekt", "Otevreno", 0) + 1;
    ini.writeInt("Projekt", "Otevreno", count);
    ini.save();
    return count;
}

bool takeClosedFlag(const ProjectContext& context) {
    ProfileFile ini(context.iniPath());
    const std::string flag = ini.readString("Projekt", "ZavrenoOK", "0");
    ini.writeString("Projekt", "ZavrenoOK", "0");
    ini.save();
    return flag != "0";
}

void markProjectClosed(const ProjectContext& context, const std::function<void()>& saveTreeState) {
    if (!context.projectOpen || !isProjectFolder(context.projectFolder)) {
        return;
    }
    if (saveTreeState) {
        saveTreeState();
    }
    ProfileFile ini(context.iniPath());
    ini.writeString("Projekt", "Editace", nowText());
    ini.writeString("Projekt", "ZavrenoOK", "1");
    ini.save();
}

} // namespace arkona::storage
