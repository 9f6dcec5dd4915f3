#pragma once

#include "templates/profile_entries.h"
#include "templates/section_template.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace arkona::templates {

// Placements of the navigation frame ([Odskoky] umisteni).
inline constexpr std::string_view kTop = "nahore";
inline constexpr std::string_view kLeft = "vlevo";
inline constexpr std::string_view kRight = "vpravo";
inline constexpr std::string_view kBottom = "dole";

inline constexpr int kConfirmSwitches = 11; // c0 ... c10
inline constexpr int kConfirmTexts = 13;    // tC1 ... tC13

// The shop settings file (".qsh") of a main section: the frames of the frame set, the jump to
// the cart, the confirmation before goods go into the cart, the warning when nothing is
// chosen and the number format of the shop script. Texts are kept as the user wrote them.
struct ShopSettings {
    // [Odskoky]
    std::string navigace; // URL path of the navigation frame's page, "/navigace.htm"
    std::string pracovni; // URL path of the page first shown in the work frame
    std::string kosik;    // URL path of the cart page
    bool kosikAno = true; // after adding goods the work frame shows the cart
    std::string umisteni{kTop};
    std::string velikost = "80"; // size of the navigation frame
    bool body = true;            // the size is in pixels, otherwise in percent

    // [Confirm]: c[n] is the switch cn, tC[n] the text tCn (tC[0] is not used).
    std::array<bool, kConfirmSwitches> c{};
    std::array<std::string, kConfirmTexts + 1> tC;
    // [Error] tE1 ... tE3 and [Status] tS1 ... tS3, likewise from index 1.
    std::array<std::string, 4> tE;
    std::array<std::string, 4> tS;

    // [FormatCisla]: the index of the chosen entry of each list.
    std::string zaokr = "0";
    std::string oddelovac = "0";
    std::string desetinne = "0";
    std::string ukoncovac = "0";

    bool operator==(const ShopSettings&) const = default;
};

// 71 times a hyphen and a blank: the separator line of the confirmation.
std::string confirmSeparator();
// 71 hyphens separated by single blanks: what the dialog offers for the second separator.
std::string dialogSecondSeparator();

// What a reader sees when the file or a key is missing: the generator's defaults or the
// dialog's (Defaults::Editor), which differ for tC3, tE1 and tE3.
ShopSettings defaultShopSettings(Defaults defaults);

// Reads the file; missing file, section or key gives the reader's default. Throws
// arkona::Error only when the file exists but cannot be read at all.
ShopSettings readShopSettings(const std::filesystem::path& file, Defaults defaults);

// Every key in the order the dialog writes them, values bare.
ProfileEntries shopSettingsEntries(const ShopSettings& s);

// Writes every key, other keys of the file kept. Throws arkona::Error when it cannot write.
void writeShopSettings(const std::filesystem::path& file, const ShopSettings& s);

// The number format the shop script prints amounts in, derived from [FormatCisla].
struct NumberFormat {
    int rounding = 0;            // 0 none, 1 to tenths, 2 to whole units
    std::string thousands = "."; // separator of thousands
    std::string decimal = ",";   // decimal mark
    std::string ending = "-";    // written after a whole amount
};
NumberFormat numberFormat(const ShopSettings& s);

// The index a [FormatCisla] value selects in a list of `count` entries: the value when it is
// one of "0" ... count-1, otherwise 0.
int formatIndex(std::string_view value, int count);

// The entries of the dialog's four lists.
const std::vector<std::string>& roundingChoices();
const std::vector<std::string>& thousandsChoices();
const std::vector<std::string>& decimalChoices();
const std::vector<std::string>& endingChoices();

// An amount as the shop script's formatter prints it: rounded by the format's rule, thousands
// grouped, the decimal mark and two decimals, or the ending for a whole amount.
std::string formatAmount(double amount, const NumberFormat& format);

// The confirmation a visitor sees before goods go into the cart, for the dialog's preview:
// the switched-on lines with `chosen` as the list of goods ("\n" before each line) and the
// amounts formatted as the script formats them; empty when the confirmation is off.
struct ConfirmationAmounts {
    double chosen = 0, chosenWithVat = 0, cart = 0, cartWithVat = 0;
};
std::string confirmationText(const ShopSettings& s, const std::string& chosen,
                             const ConfirmationAmounts& amounts);

// The sample the dialog shows: "123", separator, "456", separator, "789", decimal mark,
// ending; "123.456.789,-" for the defaults.
std::string numberSample(const ShopSettings& s);

} // namespace arkona::templates
