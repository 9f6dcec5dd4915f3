#include "storage/schema.h"

#include "base/error.h"
#include "base/textcase.h"

namespace arkona::storage {

namespace {

using dbf::FieldDef;

// Widths of the numeric kinds: keys, order numbers and counters are whole numbers; money keeps
// two decimals; price parts and percentages keep four so that computed values survive a round
// trip; small integers hold -999..9999.
ColumnSchema text(const char* name, int width) {
    return {FieldDef::character(name, width)};
}
ColumnSchema small(const char* name) {
    return {FieldDef::numeric(name, 4, 0)};
}
ColumnSchema whole(const char* name) {
    return {FieldDef::numeric(name, 11, 0)};
}
ColumnSchema money(const char* name) {
    return {FieldDef::numeric(name, 14, 2)};
}
ColumnSchema part(const char* name) {
    return {FieldDef::numeric(name, 16, 4)};
}
ColumnSchema percent(const char* name) {
    return {FieldDef::numeric(name, 9, 4)};
}
ColumnSchema quantity(const char* name) {
    return {FieldDef::numeric(name, 12, 3)};
}
ColumnSchema flag(const char* name) {
    return {FieldDef::logical(name)};
}
ColumnSchema date(const char* name) {
    return {FieldDef::date(name)};
}
ColumnSchema memo(const char* name) {
    return {FieldDef::memo(name)};
}
ColumnSchema upgraded(ColumnSchema c) {
    c.addedByUpgrade = true;
    return c;
}

TableSchema struktur() {
    TableSchema t{kStruktur,
                  {text("HTMLID", 15),
                   whole("PORADI"),
                   text("PARENT", 15),
                   text("POPIS", 50),
                   text("PATH", 254),
                   text("DISK", 254),
                   flag("LINK"),
                   text("SRC", 50),
                   memo("HD"),
                   memo("FT"),
                   text("TXT_COLOR", 10),
                   text("BGCOLOR", 10),
                   text("BACKGROUND", 50),
                   text("LINK_C", 10),
                   text("ALINK_C", 10),
                   text("VLINK_C", 10),
                   text("TXT_FONT", 150),
                   flag("TAB"),
                   text("TAB_WIDTH", 10),
                   text("TD1_C", 10)}};
    for (int level = 1; level <= 6; ++level) {
        const std::string l = "L" + std::to_string(level);
        t.columns.push_back({FieldDef::character(l + "_OM", 50)});
        t.columns.push_back({FieldDef::character(l + "_OV", 50)});
        t.columns.push_back({FieldDef::character(l + "_TXT", 150)});
    }
    for (auto c : {flag("UPDATED"), small("TYPTREE"), flag("NAVIGACE"), whole("N_HTMLID"),
                   flag("EXPAND"), text("VLASTNIK", 254)}) {
        t.columns.push_back(c);
    }
    for (const char* name : {"TOP_MRG", "LEFT_MRG", "BOTTOM_MRG", "RIGHT_MRG", "MRG_HEIGHT",
                             "MRG_WIDTH", "TOP_BRD", "LEFT_BRD", "BOTTOM_BRD", "RIGHT_BRD",
                             "TOP_PAD", "LEFT_PAD", "BOTTOM_PAD", "RIGHT_PAD"}) {
        t.columns.push_back(small(name));
    }
    t.columns.push_back(upgraded(text("BGPROP", 50)));
    return t;
}

std::vector<TableSchema> buildTables() {
    std::vector<TableSchema> tables;
    tables.push_back(struktur());
    tables.push_back({kHtml,
                      {text("HTMLID", 15), whole("SEKCEID"), whole("PORADI"), text("TYP", 1),
                       text("SABID", 50), text("POPIS", 100), memo("HTML")}});
    tables.push_back({kZbozi, {text("HTMLID", 15),    whole("SEKCEID"),
                               whole("PORADI"),       text("KOD", 80),
                               text("NAZEV", 100),    memo("POPIS"),
                               money("P_CENA"),       money("P_CENA_DPH"),
                               text("P_IDPH", 1),     small("IDX_SLEVA"),
                               percent("SLEVA"),      text("TYP", 1),
                               text("FONT_NAZ", 150), text("FONT_POP", 150),
                               text("OBRAZEK", 254),  quantity("KS_MAX"),
                               quantity("KS_KROK"),   text("MJ", 10),
                               text("ROUND", 1),      upgraded(text("ODKAZ", 254))}});
    tables.push_back(
        {kKatalog,
         {small("SKUPID"),   small("DISTID"),     text("KOD", 40),     text("NAZEV", 100),
          memo("POPIS"),     money("N_CENA"),     money("N_CENA_DPH"), text("N_IDPH", 1),
          money("D_CENA"),   money("D_CENA_DPH"), percent("MARZE"),    text("P_IDPH", 1),
          part("P_0"),       part("P_L"),         part("P_H"),         date("DAT_N_UPD"),
          date("DAT_P_UPD"), date("DAT_Z_UPD"),   small("IDX_SLEVA"),  percent("SLEVA"),
          flag("HOLD_0"),    flag("HOLD_L"),      flag("HOLD_H"),      text("ROUND", 1),
          flag("REC_NC"),    flag("REC_DC"),      flag("REC_M"),       text("OBRAZEK", 254)}});
    tables.push_back({kSkupiny,
                      {small("SKUPID"), text("NAZEV", 40), small("DISTID"), text("N_IDPH", 1),
                       text("ROUND", 1), flag("REC_NC"), flag("REC_DC"), flag("REC_M"),
                       percent("SLEVA"), upgraded({FieldDef::numeric("PARENT", 4, 0)}),
                       upgraded({FieldDef::numeric("PORADI", 11, 0)}), upgraded(flag("EXPAND"))}});
    tables.push_back(
        {kKompot,
         {whole("SKUPID"), text("KOD", 50), text("NAZEV", 50), flag("SELECTED"), quantity("POCET"),
          text("TYP", 1), text("P_IDPH", 1), money("P_CENA"), money("P_CENA_DPH"), whole("PORADI"),
          text("HTMLID", 15), upgraded(text("KOD_ZB", 50))}});
    tables.push_back({kSestSk,
                      {text("KOD", 50), whole("SKUPID"), text("NAZEV", 50), memo("TEXT1"),
                       memo("TEXT2"), whole("PORADI")}});
    tables.push_back({kDistrib, {small("DISTID"), text("NAZEV", 50)}});
    tables.push_back({kPromSys, {text("HTMLID", 15), text("NAZEV", 50), text("HODNOTA", 254)}});
    tables.push_back({kPromUsr, {text("HTMLID", 15), text("NAZEV", 50), text("HODNOTA", 254)}});
    TableSchema import{kImport, {}};
    for (int i = 1; i <= 20; ++i) {
        import.columns.push_back({FieldDef::character("P" + std::to_string(i), 240)});
    }
    import.columns.push_back(memo("POPIS"));
    tables.push_back(std::move(import));
    return tables;
}

} // namespace

std::vector<dbf::FieldDef> TableSchema::fields() const {
    std::vector<dbf::FieldDef> out;
    for (const auto& c : columns) {
        out.push_back(c.field);
    }
    return out;
}

std::vector<dbf::FieldDef> TableSchema::fieldsBeforeUpgrade() const {
    std::vector<dbf::FieldDef> out;
    for (const auto& c : columns) {
        if (!c.addedByUpgrade) {
            out.push_back(c.field);
        }
    }
    return out;
}

const ColumnSchema* TableSchema::column(std::string_view name) const {
    for (const auto& c : columns) {
        if (text::equalsNoCase(c.field.name, name)) {
            return &c;
        }
    }
    return nullptr;
}

const std::vector<TableSchema>& projectTables() {
    static const std::vector<TableSchema> tables = buildTables();
    return tables;
}

const TableSchema& tableSchema(std::string_view fileName) {
    for (const auto& t : projectTables()) {
        if (text::equalsNoCase(t.fileName, fileName)) {
            return t;
        }
    }
    throw Error("Neznámá tabulka projektu „" + std::string(fileName) + "“.");
}

} // namespace arkona::storage
