#include "templates/shop_settings.h"

#include "base/profile.h"

#include <cmath>

namespace arkona::templates {

namespace {

std::string numbered(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

// The [Confirm] keys in the dialog's order: each switch followed by its texts.
struct ConfirmLine {
    int sw;
    std::vector<int> texts;
};
const std::vector<ConfirmLine>& confirmLines() {
    static const std::vector<ConfirmLine> lines{
        {0, {}},        {1, {1}},  {2, {2}},  {3, {}},   {4, {3}},   {5, {4, 5, 6}},
        {6, {7, 8, 9}}, {7, {10}}, {8, {11}}, {9, {12}}, {10, {13}},
    };
    return lines;
}

} // namespace

std::string confirmSeparator() {
    std::string s;
    for (int i = 0; i < 71; ++i) {
        s += "- ";
    }
    return s;
}

std::string dialogSecondSeparator() {
    std::string s = confirmSeparator();
    s.pop_back();
    return s;
}

ShopSettings defaultShopSettings(Defaults defaults) {
    ShopSettings s;
    s.c.fill(true);
    s.tC[1] = "Bylo vybráno následující zboží:";
    s.tC[2] = confirmSeparator();
    s.tC[3] = defaults == Defaults::Editor ? dialogSecondSeparator() : confirmSeparator();
    s.tC[4] = "Celkem vybráno zboží v hodnotě:";
    s.tC[5] = "Kč bez DPH (";
    s.tC[6] = " s DPH).";
    s.tC[7] = "Celková cena nákupní karty bude:";
    s.tC[8] = "Kč bez DPH (";
    s.tC[9] = " s DPH).";
    s.tC[11] = "Chcete nyní vybrané zboží přidat do objednávky?";
    if (defaults == Defaults::Editor) {
        s.tE[1] = "Nebylo vybráno žádné zboží.";
        s.tE[3] = "Vyberte nejdříve počet kusů u zboží, které chcete objednat...";
    }
    s.tS[1] = "Celková cena vybraného zboží: ";
    s.tS[2] = "Kč bez DPH (";
    s.tS[3] = " s DPH).";
    return s;
}

ShopSettings readShopSettings(const std::filesystem::path& file, Defaults defaults) {
    ShopSettings s = defaultShopSettings(defaults);
    const ProfileFile p(file);
    if (!p.exists()) {
        return s;
    }
    s.navigace = p.readString("Odskoky", "Navigace", s.navigace);
    s.pracovni = p.readString("Odskoky", "Pracovni", s.pracovni);
    s.kosik = p.readString("Odskoky", "Kosik", s.kosik);
    s.kosikAno = p.readSwitch("Odskoky", "Kosik_ano", s.kosikAno);
    s.umisteni = p.readString("Odskoky", "umisteni", s.umisteni);
    s.velikost = p.readString("Odskoky", "velikost", s.velikost);
    s.body = p.readSwitch("Odskoky", "body", s.body);
    for (int n = 0; n < kConfirmSwitches; ++n) {
        s.c[n] = p.readSwitch("Confirm", numbered("c", n), s.c[n]);
    }
    for (int n = 1; n <= kConfirmTexts; ++n) {
        s.tC[n] = p.readString("Confirm", numbered("tC", n), s.tC[n]);
    }
    for (int n = 1; n <= 3; ++n) {
        s.tE[n] = p.readString("Error", numbered("tE", n), s.tE[n]);
        s.tS[n] = p.readString("Status", numbered("tS", n), s.tS[n]);
    }
    s.zaokr = p.readString("FormatCisla", "zaokr", s.zaokr);
    s.oddelovac = p.readString("FormatCisla", "oddelovac", s.oddelovac);
    s.desetinne = p.readString("FormatCisla", "desetinne", s.desetinne);
    s.ukoncovac = p.readString("FormatCisla", "ukoncovac", s.ukoncovac);
    return s;
}

ProfileEntries shopSettingsEntries(const ShopSettings& s) {
    const auto flag = [](bool on) { return std::string(on ? "True" : "False"); };
    ProfileEntries out{
        {"Odskoky", "Navigace", s.navigace}, {"Odskoky", "Pracovni", s.pracovni},
        {"Odskoky", "Kosik", s.kosik},       {"Odskoky", "Kosik_ano", flag(s.kosikAno)},
        {"Odskoky", "umisteni", s.umisteni}, {"Odskoky", "velikost", s.velikost},
        {"Odskoky", "body", flag(s.body)}};
    for (const ConfirmLine& line : confirmLines()) {
        out.push_back({"Confirm", numbered("c", line.sw), flag(s.c[line.sw])});
        for (int t : line.texts) {
            out.push_back({"Confirm", numbered("tC", t), s.tC[t]});
        }
    }
    for (int n = 1; n <= 3; ++n) {
        out.push_back({"Error", numbered("tE", n), s.tE[n]});
    }
    for (int n = 1; n <= 3; ++n) {
        out.push_back({"Status", numbered("tS", n), s.tS[n]});
    }
    out.push_back({"FormatCisla", "zaokr", s.zaokr});
    out.push_back({"FormatCisla", "oddelovac", s.oddelovac});
    out.push_back({"FormatCisla", "desetinne", s.desetinne});
    out.push_back({"FormatCisla", "ukoncovac", s.ukoncovac});
    return out;
}

void writeShopSettings(const std::filesystem::path& file, const ShopSettings& s) {
    ProfileFile p(file);
    writeEntries(p, shopSettingsEntries(s));
    p.save();
}

int formatIndex(std::string_view value, int count) {
    if (value.size() == 1 && value[0] >= '0' && value[0] < '0' + count) {
        return value[0] - '0';
    }
    return 0;
}

NumberFormat numberFormat(const ShopSettings& s) {
    static const char* const thousands[] = {".", ",", " ", ""};
    static const char* const decimals[] = {",", ".", ""};
    static const char* const endings[] = {"-", "00", ""};
    NumberFormat f;
    f.rounding = formatIndex(s.zaokr, 3);
    f.thousands = thousands[formatIndex(s.oddelovac, 4)];
    f.decimal = decimals[formatIndex(s.desetinne, 3)];
    f.ending = endings[formatIndex(s.ukoncovac, 3)];
    return f;
}

const std::vector<std::string>& roundingChoices() {
    static const std::vector<std::string> c{"nezaokrouhlovat (na haléře)", "na desetníky",
                                            "na celé koruny (nahoru)"};
    return c;
}

const std::vector<std::string>& thousandsChoices() {
    static const std::vector<std::string> c{"tečka ( . )", "čárka ( , )", "mezera",
                                            "bez oddělovače"};
    return c;
}

const std::vector<std::string>& decimalChoices() {
    static const std::vector<std::string> c{"čárka ( , )", "tečka ( . )", "bez desetinné čárky"};
    return c;
}

const std::vector<std::string>& endingChoices() {
    static const std::vector<std::string> c{"pomlčka ( - )", "dvě nuly ( 00 )", "bez ukončení"};
    return c;
}

std::string formatAmount(double amount, const NumberFormat& format) {
    const bool negative = amount < 0;
    // Whole hundredths, so that binary fractions do not decide the rounding.
    long long cents = std::llround(std::fabs(amount) * 100);
    if (format.rounding == 1) {
        cents = (cents + 5) / 10 * 10;
    } else if (format.rounding == 2) {
        // Up to the next whole unit when the first decimal is not 0; later decimals do not count.
        const auto tenths = static_cast<long long>(std::floor(std::fabs(amount) * 10 + 1e-9));
        cents = (tenths / 10 + (tenths % 10 != 0 ? 1 : 0)) * 100;
    }
    const std::string whole = std::to_string(cents / 100);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            grouped += format.thousands;
        }
        grouped += whole[i];
    }
    const int fraction = static_cast<int>(cents % 100);
    std::string out = negative && cents > 0 ? "-" + grouped : grouped;
    if (fraction == 0) {
        return out + format.decimal + format.ending;
    }
    return out + format.decimal + (fraction < 10 ? "0" : "") + std::to_string(fraction);
}

std::string confirmationText(const ShopSettings& s, const std::string& chosen,
                             const ConfirmationAmounts& a) {
    if (!s.c[0]) {
        return {};
    }
    const NumberFormat f = numberFormat(s);
    std::string t;
    const auto add = [&](int sw, const std::string& piece) {
        if (s.c[sw]) {
            t += piece;
        }
    };
    add(1, s.tC[1]);
    add(2, "\n" + s.tC[2]);
    add(3, chosen);
    add(4, "\n" + s.tC[3]);
    add(5, "\n" + s.tC[4] + formatAmount(a.chosen, f) + s.tC[5] + formatAmount(a.chosenWithVat, f) +
               s.tC[6]);
    add(6, "\n" + s.tC[7] + formatAmount(a.chosen + a.cart, f) + s.tC[8] +
               formatAmount(a.chosenWithVat + a.cartWithVat, f) + s.tC[9]);
    for (int sw = 7; sw <= 10; ++sw) {
        add(sw, "\n" + s.tC[sw + 3]);
    }
    return t;
}

std::string numberSample(const ShopSettings& s) {
    const NumberFormat f = numberFormat(s);
    return "123" + f.thousands + "456" + f.thousands + "789" + f.decimal + f.ending;
}

} // namespace arkona::templates
