#pragma once

#include "catalogue/derived_values.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace arkona::dbf {
class Record;
}

namespace arkona::catalogue {

// The row types of goods placed in product sections (TYP of zbozi.dbf).
inline constexpr const char* kTypeHandGoods = "R";      // goods typed in by hand
inline constexpr const char* kTypeCatalogueGoods = "K"; // goods placed from the catalogue
inline constexpr const char* kTypeHandSet = "S";        // set typed in by hand
inline constexpr const char* kTypeCatalogueSet = "E";   // set placed from the catalogue
inline constexpr const char* kTypeHeading = "N";        // heading line

// The text the section list shows for a type ("zboží - ručně", ...); empty for an unknown one.
std::string productTypeText(std::string_view typ);
bool isSetType(std::string_view typ);        // "S", "E"
bool isCatalogueType(std::string_view typ);  // "K", "E": prices come from the catalogue
bool isHeadingType(std::string_view typ);    // "N"
bool isHandPricedType(std::string_view typ); // "R", "S": prices typed in the row

// A product section: the page and the section number of that page.
struct SectionKey {
    std::string htmlId;
    int sekceId = 0;

    bool operator==(const SectionKey&) const = default;
};

// One row of zbozi.dbf, every column. Texts are trimmed as read; blank numbers read as 0.
struct ProductRow {
    std::string htmlId;
    int sekceId = 0;
    int poradi = 0;
    std::string kod;
    std::string nazev;
    std::string popis; // memo: HTML text
    double pCena = 0;
    double pCenaDph = 0;
    std::string pIdph;
    int idxSleva = 0;
    double sleva = 0;
    std::string typ;
    std::string fontNaz;
    std::string fontPop;
    std::string obrazek;
    double ksMax = 0;
    double ksKrok = 0;
    std::string mj;
    std::string round;
    std::string odkaz;

    SectionKey section() const { return {htmlId, sekceId}; }
    // TMP_P_CENA, TMP_P_CENA_DPH, TMP_SLEVA_KC, TMP_P_CENA_SL, TMP_P_CENA_DPH_SL.
    ProductDerived derived() const;
    bool operator==(const ProductRow&) const = default;
};

// Reads every column of a zbozi.dbf row (a missing ODKAZ of an older table reads as empty).
ProductRow readProductRow(const dbf::Record& row);
// Writes every column into a row. A text longer than its column is refused with an error:
// nothing is ever cut on storing.
void writeProductRow(const ProductRow& product, dbf::Record& row);

// A new row of the type in the section at position `poradi`, with the defaults of its type:
// "R": prices 0, P_IDPH "0", IDX_SLEVA 0, SLEVA 0, KS_MAX 30, KS_KROK 1, MJ "ks", ROUND "2";
// "S": as "R" with P_IDPH empty; "N": ROUND "0"; "K", "E": KS_MAX 30, KS_KROK 1, MJ "ks".
ProductRow newProductRow(std::string_view typ, const SectionKey& section, int poradi);

// Widths of the text columns (Windows-1250 bytes); the editors take at most these.
inline constexpr int kKodWidth = 80;
inline constexpr int kNazevWidth = 100;
inline constexpr int kFontWidth = 150;
inline constexpr int kObrazekWidth = 254;
inline constexpr int kMjWidth = 10;
inline constexpr int kOdkazWidth = 254;
// The breakdown of a set is keyed by 50 bytes of its code (kompot.KOD_ZB, sestsk.KOD).
inline constexpr int kSetCodeWidth = 50;

// How a row is identified in zbozi.dbf: its place in the file and the key it held when it was
// read. Every store and delete goes to that place and checks the key there; nothing is found
// again by (HTMLID, SEKCEID, KOD), under which headings (no code) are all alike.
struct ProductRef {
    std::uint32_t recno = 0;
    std::string htmlId;
    int sekceId = 0;
    std::string kod;
    int poradi = 0;

    static ProductRef of(const ProductRow& row, std::uint32_t recno);
};

// A row as read, with where it came from.
struct StoredProduct {
    ProductRow row;
    ProductRef ref;
};

} // namespace arkona::catalogue
