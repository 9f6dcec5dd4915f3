#pragma once

#include <string>
#include <string_view>

namespace arkona::generator {

// Captions of the steps of one page.
inline constexpr const char* kStepHeader = "... hlavička";
inline constexpr const char* kStepSections = "... sekce";
inline constexpr const char* kStepNavigation = "... navigace";
inline constexpr const char* kStepFooter = "... patička";
inline constexpr const char* kStepClosing = "... ukončování";
inline constexpr const char* kStepTemplate = "... šablona";

// Messages of a run.
inline constexpr const char* kWriteFailed = "Náhled se nepodařilo korektně vytvořit!";
inline constexpr const char* kNoMainSection =
    "Nebyla nalezena hlavní sekce, náhled nemohl být vytvořen!";
inline constexpr const char* kStopQuestion = "Opravdu chcete přerušit generování?";
inline constexpr const char* kStopping = "Čekejte prosím, přerušuji proces generování ...";
inline constexpr const char* kDialogTitle = "Generování WWW stánek projektu ";

// done × 100 / total rounded to the nearest whole number, a half to the even neighbour
// (1 of 8 is 12 %, 3 of 8 is 38 %); 0 when there is no total.
long long roundedPercent(long long done, long long total);

// " strana 3 z 8   ( 38 % )"
std::string stateLine(long long done, long long total);

// " 1 hod. 2 min. 5 sek.", " 2 min. 5 sek." or " 5 sek.": the larger units only when needed.
std::string durationText(long long seconds);
std::string durationText(long long hours, long long minutes, long long seconds);

// The file and page labels of the page being generated: " \a\b\x.htm" and " title".
std::string fileLabel(std::string_view disk, std::string_view src);
std::string pageLabel(std::string_view title);

// The once-a-second clock of a run: counts its ticks, the elapsed time, and estimates the time
// left from the pages done so far.
class RunClock {
public:
    struct Texts {
        std::string elapsed;
        std::string remaining;
    };
    // One tick, given the pages of the run and the pages not yet generated.
    Texts tick(long long total, long long remaining);
    long long ticks() const { return ticks_; }
    void reset() { *this = RunClock(); }

private:
    long long ticks_ = 0;
    long long hours_ = 0;
    long long minutes_ = 0;
    long long seconds_ = 0;
};

} // namespace arkona::generator
