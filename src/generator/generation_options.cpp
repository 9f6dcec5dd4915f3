#include "generator/generation_options.h"

#include "base/profile.h"
#include "base/textcase.h"

namespace arkona::generator {

namespace {

constexpr const char* kSection = "Generate";

} // namespace

GenerationOptions readGenerationOptions(const std::filesystem::path& iniFile) {
    const ProfileFile ini(iniFile);
    GenerationOptions o;
    o.dateLine = ini.readSwitch(kSection, "GenAkt", true);
    o.dateLineText = ini.readString(kSection, "GenPopis");
    if (text::trim(o.dateLineText).empty()) {
        o.dateLineText = kDefaultDateLineText;
    }
    o.date = ini.readSwitch(kSection, "GenDatum", true);
    o.time = ini.readSwitch(kSection, "GenTime", true);
    o.skipSectionLevel = ini.readSwitch(kSection, "GenOddil", true);
    return o;
}

void writeGenerationOptions(const std::filesystem::path& iniFile, const GenerationOptions& o) {
    ProfileFile ini(iniFile);
    ini.writeSwitch(kSection, "GenAkt", o.dateLine);
    ini.writeString(kSection, "GenPopis", o.dateLineText);
    ini.writeSwitch(kSection, "GenDatum", o.date);
    ini.writeSwitch(kSection, "GenTime", o.time);
    ini.writeSwitch(kSection, "GenOddil", o.skipSectionLevel);
    ini.save();
}

std::string readLastGeneration(const std::filesystem::path& iniFile) {
    const std::string when = ProfileFile::read(iniFile, kSection, "LastDate");
    return when.empty() ? kNeverGenerated : when;
}

void writeLastGeneration(const std::filesystem::path& iniFile, const std::string& when) {
    ProfileFile ini(iniFile);
    ini.writeString(kSection, "LastDate", when);
    ini.save();
}

} // namespace arkona::generator
