#pragma once

#include "base/dbf/table.h"
#include "storage/schema.h"

#include <filesystem>
#include <string>

namespace arkona::bench {

// A catalogue-shaped table: the katalog.dbf columns, Czech names, a description in every fifth row.
inline void makeCatalogue(const std::filesystem::path& file, int rows) {
    dbf::Table::create(file, storage::tableSchema(storage::kKatalog).fields());
    auto table = dbf::Table::open(file);
    for (int i = 0; i < rows; ++i) {
        auto r = table.blankRecord();
        r.setNumber("SKUPID", 1 + i % 40);
        r.setNumber("DISTID", 1 + i % 7);
        r.setText("KOD", "ZB-" + std::to_string(100000 + i));
        r.setText("NAZEV", "Čaj zelený „Sencha“ č. " + std::to_string(i) + ", balení 100 g");
        if (i % 5 == 0) {
            r.setMemo("POPIS", "Jemný japonský čaj se svěží chutí. Příliš žluťoučký kůň úpěl ďábelské ódy.\r\n"
                               "Položka číslo " + std::to_string(i) + ".");
        }
        const double price = 10 + (i % 1000) * 1.37;
        r.setNumber("N_CENA", price);
        r.setNumber("N_CENA_DPH", price * 1.22);
        r.setText("N_IDPH", "H");
        r.setNumber("MARZE", 25);
        r.setText("P_IDPH", "H");
        r.setNumber("P_H", price * 1.25);
        r.setDate("DAT_N_UPD", Date{2026, 12, 9});
        r.setLogical("HOLD_0", false);
        r.setText("ROUND", "1");
        r.setText("OBRAZEK", "zb" + std::to_string(i) + ".jpg");
        table.append(r);
    }
}

} // namespace arkona::bench
