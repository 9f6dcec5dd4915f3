#pragma once

#include <filesystem>
#include <string>

namespace arkona::generator {

inline constexpr const char* kDefaultDateLineText = "Datum poslední aktualizace:";
inline constexpr const char* kNeverGenerated = "-";

// The options of the generator dialog, kept in [Generate] of ArkonaTree.ini.
struct GenerationOptions {
    bool dateLine = true;                            // GenAkt: the date line at the page's end
    std::string dateLineText = kDefaultDateLineText; // GenPopis
    bool date = true;                                // GenDatum: today's date in the date line
    bool time = true;                                // GenTime: the time in the date line
    bool skipSectionLevel = true;                    // GenOddil: the top level is not indented

    bool operator==(const GenerationOptions&) const = default;
};

// A switch is on only when its value is exactly "True"; a missing key is on. An empty GenPopis
// gives the default text, so that a date line never starts without its label.
GenerationOptions readGenerationOptions(const std::filesystem::path& iniFile);
// Writes the five keys; throws arkona::Error when the file cannot be written.
void writeGenerationOptions(const std::filesystem::path& iniFile, const GenerationOptions& o);

// [Generate] LastDate: when the site was last generated completely; "-" when never.
std::string readLastGeneration(const std::filesystem::path& iniFile);
void writeLastGeneration(const std::filesystem::path& iniFile, const std::string& when);

} // namespace arkona::generator
