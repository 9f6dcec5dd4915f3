#include "templates/order_form.h"

#include "templates/template_cell.h"

#include <array>
#include <utility>

namespace arkona::templates {

namespace {

void put(std::vector<OrderRow>& rows, int row, std::string item, const char* label = "") {
    rows.at(row).item = std::move(item);
    rows.at(row).text1 = label;
}

// Numbered items ("oRad8", "oDOD_zpusob1", ...) on the given rows, with labels for the first.
void putNumbered(std::vector<OrderRow>& rows, const std::vector<int>& onRows,
                 const std::string& prefix, int first, const std::vector<const char*>& labels) {
    for (std::size_t i = 0; i < onRows.size(); ++i) {
        put(rows, onRows[i], prefix + std::to_string(first + static_cast<int>(i)),
            i < labels.size() ? labels[i] : "");
    }
}

std::vector<int> range(int from, int to, int step = 1) {
    std::vector<int> r;
    for (int n = from; n <= to; n += step) {
        r.push_back(n);
    }
    return r;
}

} // namespace

std::vector<OrderRow> standardOrderRows() {
    OrderRow blank;
    blank.bgcolor = kNoColour;
    blank.font = kNewCellFont;
    blank.justify = "0";
    blank.colspan = "50";
    blank.exist = "True";
    std::vector<OrderRow> rows(kOrderRows, blank);

    putNumbered(rows, range(0, 4), "oRad", 1, {});
    put(rows, 5, "oPLATBA_cislo_obj", "Vaše číslo objednávky:");
    const std::array<std::pair<const char*, const char*>, 9> address{{
        {"oADR_Jmeno", "Jméno:"},
        {"oADR_Rodne_cislo", "Rodné číslo:"},
        {"oADR_Firma", "Firma:"},
        {"oADR_Firma_ICO", "IČO:"},
        {"oADR_Firma_DIC", "DIČ:"},
        {"oADR_Ulice", "Ulice (sídlo):"},
        {"oADR_PSC", "PCŠ:"},
        {"oADR_Mesto", "Město:"},
        {"oADR_Telefon", "Telefon:"},
    }};
    for (std::size_t i = 0; i < address.size(); ++i) {
        put(rows, 6 + static_cast<int>(i), address[i].first, address[i].second);
    }
    put(rows, 15, "oADR_Telefon_kdy", "- kdy nejlépe volat:");
    const char* times[] = {"ráno [7:00 - 9:00]", "dopoledne [9:00 - 11:00]",
                           "v poledne [11:00 - 13:00]", "odpoledne  [13:00 - 19:00]",
                           "večer [19:00 - 23:00]"};
    for (int i = 0; i < 5; ++i) {
        put(rows, 16 + i, "lADR_Telefon_kdy", times[i]);
    }
    put(rows, 21, "oADR_Fax", "Fax:");
    put(rows, 22, "oADR_Mobil", "Mobil:");
    put(rows, 23, "oADR_Email", "E-mail:");
    putNumbered(rows, {24, 25}, "oRad", 6, {});

    putNumbered(rows, range(26, 44, 2), "oDOD_zpusob", 1,
                {"dovézt zdarma - pouze při nákupu nad 3.000,- Kč", "poslat na dobírku"});
    std::vector<int> deliveryHeadings = range(27, 45, 2);
    deliveryHeadings.insert(deliveryHeadings.end(), {46, 47});
    putNumbered(rows, deliveryHeadings, "oRad", 8,
                {"(Platí jen pro Prahu a okolí. Ostatní regiony na dotaz)"});
    put(rows, 48, "oDOD_adresa_stejna",
        " - zaškrtněte pokud je dodací adresa stejná jako adresa objednatele");
    const std::array<std::pair<const char*, const char*>, 7> delivery{{
        {"oDOD_Jmeno", "Jméno:"},
        {"oDOD_Firma", "Firma:"},
        {"oDOD_Ulice", "Ulice (sídlo):"},
        {"oDOD_PSC", "PCŠ:"},
        {"oDOD_Mesto", "Město:"},
        {"oDOD_Telefon", "Telefon přes den:"},
        {"oDOD_Fax", "Fax:"},
    }};
    for (std::size_t i = 0; i < delivery.size(); ++i) {
        put(rows, 49 + static_cast<int>(i), delivery[i].first, delivery[i].second);
    }
    putNumbered(rows, {56, 57}, "oRad", 20, {});

    std::vector<int> payments{58, 60, 62};
    const std::vector<int> laterPayments = range(70, 82, 2);
    payments.insert(payments.end(), laterPayments.begin(), laterPayments.end());
    putNumbered(rows, payments, "oPLATBA_zpusob", 1,
                {"na dobírku", "převodem z Expandia banky", "platební kartou",
                 "v hotvosti (osobní odběr)", "zálohová faktura (proforma platba předem)",
                 "na splátky", "leasing", "fakturou", "šekem", "na úvěr"});
    std::vector<int> paymentHeadings{59, 61};
    const std::vector<int> laterHeadings = range(69, 83, 2);
    paymentHeadings.insert(paymentHeadings.end(), laterHeadings.begin(), laterHeadings.end());
    paymentHeadings.insert(paymentHeadings.end(), {84, 85});
    putNumbered(rows, paymentHeadings, "oRad", 22, {});
    putNumbered(rows, range(63, 68), "oPLATBA_zpusob3_", 1,
                {"---------------------------------------------------", "VISA", "Euro/Master Card",
                 "Variant", "JCB", "Dinners"});

    put(rows, 86, "oFAKTURA_adresa_stejna",
        " - zaškrtněte pokud je adresa fakturace stejná jako sídlo");
    const std::array<std::pair<const char*, const char*>, 9> invoice{{
        {"oFAKTURA_Jmeno", "Jméno:"},
        {"oFAKTURA_Firma", "Firma:"},
        {"oFAKTURA_ICO", "IČO:"},
        {"oFAKTURA_DIC", "DIČ:"},
        {"oFAKTURA_Ulice", "Ulice (sídlo):"},
        {"oFAKTURA_PSC", "PSČ"},
        {"oFAKTURA_Mesto", "Město:"},
        {"oFAKTURA_Telefon", "Telefon přes den:"},
        {"oFAKTURA_Fax", "Fax:"},
    }};
    for (std::size_t i = 0; i < invoice.size(); ++i) {
        put(rows, 87 + static_cast<int>(i), invoice[i].first, invoice[i].second);
    }
    put(rows, 96, "oRad34");
    put(rows, 97, "oPoznamka", "Poznámka:");
    put(rows, 98, "oRad35");
    return rows;
}

} // namespace arkona::templates
