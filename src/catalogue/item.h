#pragma once

#include "base/locale.h"

#include <optional>
#include <string>

namespace arkona::dbf {
class Record;
}

namespace arkona::catalogue {

// One catalogue item (a row of katalog.dbf) as the price operations see it. Codes (N_IDPH,
// P_IDPH, ROUND) are kept as stored, trimmed; blank numbers read as 0.
struct Item {
    int skupId = 0;
    int distId = 0;
    std::string kod;
    std::string nazev;
    double nCena = 0;    // N_CENA: purchase price without VAT
    double nCenaDph = 0; // N_CENA_DPH
    std::string nIdph;   // N_IDPH: code of the purchase and recommended prices
    double dCena = 0;    // D_CENA: recommended end-user price without VAT
    double dCenaDph = 0; // D_CENA_DPH
    double marze = 0;    // MARZE: planned margin, percent of the purchase price
    std::string pIdph;   // P_IDPH: code of the sale price
    double p0 = 0;       // P_0, P_L, P_H: parts of the net sale price at 0 %, reduced, base
    double pL = 0;
    double pH = 0;
    std::optional<Date> datNUpd;
    std::optional<Date> datPUpd;
    std::optional<Date> datZUpd;
    int idxSleva = 0;
    double sleva = 0; // SLEVA: discount, percent of the sale price
    bool hold0 = false;
    bool holdL = false;
    bool holdH = false;
    std::string round;
    bool recNc = false;
    bool recDc = false;
    bool recM = false;
    std::string obrazek;
};

// Reads the columns of an item row (katalog.dbf or a view on it); throws naming a damaged value.
Item readItem(const dbf::Record& row);

// Writes the price columns that the price operations change: N_CENA to P_H, the dates, SLEVA,
// IDX_SLEVA, the HOLD flags and ROUND.
void writePrices(const Item& item, dbf::Record& row);

} // namespace arkona::catalogue
