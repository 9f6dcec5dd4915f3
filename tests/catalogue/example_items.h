#pragma once

#include "catalogue/item.h"
#include "support/table_builder.h"

#include <string>
#include <vector>

namespace arkona::test {

// The example items of the price model (rates 5 and 22): each code, a split, each rounding and
// the ties either side of them.
struct ExampleItem {
    std::string code;
    std::string vat; // P_IDPH (N_IDPH is the same, "H" for a split)
    double p0, pL, pH;
    std::string round;
    double nCena, marze, sleva;

    catalogue::Item item() const {
        catalogue::Item i;
        i.skupId = 1;
        i.kod = code;
        i.nazev = "Položka " + code;
        i.nIdph = vat == "R" ? "H" : vat;
        i.pIdph = vat;
        i.p0 = p0;
        i.pL = pL;
        i.pH = pH;
        i.round = round;
        i.nCena = nCena;
        i.marze = marze;
        i.sleva = sleva;
        return i;
    }

    Row row(int group = 1) const {
        return {{"SKUPID", group},
                {"KOD", code},
                {"NAZEV", "Položka " + code},
                {"N_IDPH", vat == "R" ? "H" : vat},
                {"N_CENA", nCena},
                {"MARZE", marze},
                {"P_IDPH", vat},
                {"P_0", p0},
                {"P_L", pL},
                {"P_H", pH},
                {"ROUND", round},
                {"SLEVA", sleva}};
    }
};

inline const std::vector<ExampleItem>& exampleItems() {
    static const std::vector<ExampleItem> items = {
        {"C1", "0", 1.05, 0, 0, "1", 0, 0, 0},      {"C2", "0", 12.35, 0, 0, "1", 0, 0, 0},
        {"C3", "0", 0.05, 0, 0, "1", 0, 0, 0},      {"C4", "0", 12.25, 0, 0, "1", 0, 0, 0},
        {"C5", "0", 12.5, 0, 0, "2", 0, 0, 0},      {"C6", "0", 13.5, 0, 0, "2", 0, 0, 0},
        {"C7", "L", 0, 100, 0, "0", 0, 0, 0},       {"C8", "H", 0, 0, 100, "0", 80, 25, 0},
        {"C9", "R", 10, 20, 30, "0", 0, 0, 0},      {"C10", "R", 10.30, 20.20, 30.10, "2", 0, 0, 0},
        {"C11", "L", 0, 47.37, 0, "1", 40, 20, 10}, {"C12", "H", 0, 0, 99.99, "2", 0, 25, 10},
        {"C13", "L", 0, 3, 0, "1", 0, 0, 0},        {"C14", "H", 0, 0, 17.50, "1", 0, 0, 0},
    };
    return items;
}

} // namespace arkona::test
