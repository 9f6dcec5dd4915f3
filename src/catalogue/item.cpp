#include "catalogue/item.h"

#include "base/dbf/table.h"
#include "base/textcase.h"

namespace arkona::catalogue {

namespace {

std::string code(const dbf::Record& r, const char* column) {
    return std::string(text::trim(r.text(column)));
}

int whole(const dbf::Record& r, const char* column) {
    return static_cast<int>(r.integerOr(column, 0));
}

} // namespace

Item readItem(const dbf::Record& r) {
    Item i;
    i.skupId = whole(r, "SKUPID");
    i.distId = whole(r, "DISTID");
    i.kod = r.text("KOD");
    i.nazev = r.text("NAZEV");
    i.nCena = r.numberOr("N_CENA");
    i.nCenaDph = r.numberOr("N_CENA_DPH");
    i.nIdph = code(r, "N_IDPH");
    i.dCena = r.numberOr("D_CENA");
    i.dCenaDph = r.numberOr("D_CENA_DPH");
    i.marze = r.numberOr("MARZE");
    i.pIdph = code(r, "P_IDPH");
    i.p0 = r.numberOr("P_0");
    i.pL = r.numberOr("P_L");
    i.pH = r.numberOr("P_H");
    i.datNUpd = r.date("DAT_N_UPD");
    i.datPUpd = r.date("DAT_P_UPD");
    i.datZUpd = r.date("DAT_Z_UPD");
    i.idxSleva = whole(r, "IDX_SLEVA");
    i.sleva = r.numberOr("SLEVA");
    i.hold0 = r.isTrue("HOLD_0");
    i.holdL = r.isTrue("HOLD_L");
    i.holdH = r.isTrue("HOLD_H");
    i.round = code(r, "ROUND");
    i.recNc = r.isTrue("REC_NC");
    i.recDc = r.isTrue("REC_DC");
    i.recM = r.isTrue("REC_M");
    i.obrazek = r.text("OBRAZEK");
    return i;
}

void writePrices(const Item& i, dbf::Record& r) {
    r.setNumber("N_CENA", i.nCena);
    r.setNumber("N_CENA_DPH", i.nCenaDph);
    r.setText("N_IDPH", i.nIdph);
    r.setNumber("D_CENA", i.dCena);
    r.setNumber("D_CENA_DPH", i.dCenaDph);
    r.setNumber("MARZE", i.marze);
    r.setText("P_IDPH", i.pIdph);
    r.setNumber("P_0", i.p0);
    r.setNumber("P_L", i.pL);
    r.setNumber("P_H", i.pH);
    r.setDate("DAT_N_UPD", i.datNUpd);
    r.setDate("DAT_P_UPD", i.datPUpd);
    r.setDate("DAT_Z_UPD", i.datZUpd);
    r.setNumber("IDX_SLEVA", i.idxSleva);
    r.setNumber("SLEVA", i.sleva);
    r.setLogical("HOLD_0", i.hold0);
    r.setLogical("HOLD_L", i.holdL);
    r.setLogical("HOLD_H", i.holdH);
    r.setText("ROUND", i.round);
}

} // namespace arkona::catalogue
