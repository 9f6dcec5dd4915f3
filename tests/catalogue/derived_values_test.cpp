#include "catalogue/derived_values.h"
#include "catalogue/exact.h"
#include "catalogue/rounding.h"
#include "example_items.h"
#include "support/other_process.h"

#include <gtest/gtest.h>
#include <map>

namespace arkona::catalogue {
namespace {

TEST(Rounding, TenthsRoundTheStoredDoubleExactly) {
    // Plain doubles lose the side of the tie: 1.05 lies above 1.05, yet 1.05 × 10 gives 10.5.
    ASSERT_EQ(1.05 * 10, 10.5);
    EXPECT_EQ(roundPrice(1.05, "1"), 1.1);
    EXPECT_EQ(roundPrice(0.05, "1"), 0.1);
    EXPECT_EQ(roundPrice(12.35, "1"), 12.3); // stored slightly below the tie
    EXPECT_EQ(roundPrice(12.25, "1"), 12.2); // an exact tie goes to the even tenth
    EXPECT_EQ(roundPrice(12.75, "1"), 12.8);
    EXPECT_EQ(roundPrice(12.26, "1"), 12.3);
    EXPECT_EQ(roundPrice(99.95, "1"), 100.0); // the double nearest 99.95 lies above
    EXPECT_EQ(roundPrice(0.0, "1"), 0.0);
}

TEST(Rounding, UnitsTakeHalvesUp) {
    EXPECT_EQ(roundPrice(12.5, "2"), 13);
    EXPECT_EQ(roundPrice(13.5, "2"), 14);
    EXPECT_EQ(roundPrice(12.49, "2"), 12);
    EXPECT_EQ(roundPrice(0.49999999999999994, "2"), 0); // floor(x + 0.5) would give 1
    EXPECT_EQ(roundPrice(4503599627370495.5, "2"), 4503599627370496.0);
    EXPECT_EQ(roundPrice(99.99, "2"), 100);
}

TEST(Rounding, CodesAsStored) {
    EXPECT_EQ(roundPrice(12.34, ""), 12.34);
    EXPECT_EQ(roundPrice(12.34, "0"), 12.34);
    EXPECT_EQ(roundPrice(12.34, "3"), 12.34);
    EXPECT_EQ(roundPrice(12.34, " 1"), 12.3);
    EXPECT_EQ(roundingCodeForCopy(""), "0");
    EXPECT_EQ(roundingCodeForCopy("2"), "2");
}

TEST(Exact, FactorsAreExactAndRatesMustNotBeNegative) {
    EXPECT_EQ(exact::nearest(exact::of(3) * exact::factor(5)), 3.15);
    EXPECT_EQ(exact::nearest(exact::of(1) / 3), 1.0 / 3);
    EXPECT_EQ(exact::factor(0), 1);
    EXPECT_EQ(test::errorOf([] { exact::factor(-100); }),
              "Sazba DPH -100 % v nastavení projektu není platná: sazba nemůže být záporná.");
}

// L, H, DPH_L, DPH_H, P_CENA, P_DPH, P_CENA_DPH, A_MARZE, A_MARZE_KC, MARZE_KC, SLEVA_KC
using Texts = std::array<std::string, 11>;

TEST(DerivedValues, TheExamplePriceTable) {
    const std::map<std::string, Texts> expected = {
        {"C1",
         {"0,00", "0,00", "0,00", "0,00", "1,10", "0,00", "1,10", "0,00", "1,10", "0,00", "0,00"}},
        {"C2",
         {"0,00", "0,00", "0,00", "0,00", "12,30", "0,00", "12,30", "0,00", "12,30", "0,00",
          "0,00"}},
        {"C3",
         {"0,00", "0,00", "0,00", "0,00", "0,10", "0,00", "0,10", "0,00", "0,10", "0,00", "0,00"}},
        {"C4",
         {"0,00", "0,00", "0,00", "0,00", "12,20", "0,00", "12,20", "0,00", "12,20", "0,00",
          "0,00"}},
        {"C5",
         {"0,00", "0,00", "0,00", "0,00", "13,00", "0,00", "13,00", "0,00", "13,00", "0,00",
          "0,00"}},
        {"C6",
         {"0,00", "0,00", "0,00", "0,00", "14,00", "0,00", "14,00", "0,00", "14,00", "0,00",
          "0,00"}},
        {"C7",
         {"105,00", "0,00", "5,00", "0,00", "100,00", "5,00", "105,00", "0,00", "100,00", "0,00",
          "0,00"}},
        {"C8",
         {"0,00", "122,00", "0,00", "22,00", "100,00", "22,00", "122,00", "25,00", "20,00", "20,00",
          "0,00"}},
        {"C9",
         {"21,00", "36,60", "1,00", "6,60", "60,00", "7,60", "67,60", "0,00", "60,00", "0,00",
          "0,00"}},
        {"C10",
         {"21,21", "36,72", "1,01", "6,62", "61,00", "8,00", "68,00", "0,00", "61,00", "0,00",
          "0,00"}},
        {"C11",
         {"49,74", "0,00", "2,37", "0,00", "47,40", "2,40", "49,70", "18,50", "7,40", "8,00",
          "4,74"}},
        {"C12",
         {"0,00", "121,99", "0,00", "22,00", "100,00", "22,00", "122,00", "0,00", "100,00", "0,00",
          "10,00"}},
        {"C13",
         {"3,15", "0,00", "0,15", "0,00", "3,00", "0,10", "3,10", "0,00", "3,00", "0,00", "0,00"}},
        {"C14",
         {"0,00", "21,35", "0,00", "3,85", "17,50", "3,90", "21,40", "0,00", "17,50", "0,00",
          "0,00"}},
    };
    const VatRates rates;
    for (const auto& example : test::exampleItems()) {
        const ItemDerived d = deriveItem(example.item(), rates);
        const Texts shown = {
            formatAmount(d.L),          formatAmount(d.H),       formatAmount(d.DPH_L),
            formatAmount(d.DPH_H),      formatAmount(d.P_CENA),  formatAmount(d.P_DPH),
            formatAmount(d.P_CENA_DPH), formatAmount(d.A_MARZE), formatAmount(d.A_MARZE_KC),
            formatAmount(d.MARZE_KC),   formatAmount(d.SLEVA_KC)};
        EXPECT_EQ(shown, expected.at(example.code)) << example.code;
    }
}

TEST(DerivedValues, EachValueIsTheDoubleNearestItsExactFormula) {
    const VatRates rates;
    const auto item = [](const char* code) {
        for (const auto& e : test::exampleItems()) {
            if (e.code == code) {
                return e.item();
            }
        }
        throw std::logic_error(code);
    };
    // C13: L is 3 × 1.05 = 3.15 exactly, whose double lies below the tie: 3.1. Plain doubles
    // land on the other side.
    ItemDerived d = deriveItem(item("C13"), rates);
    EXPECT_EQ(d.L, 3.15);
    EXPECT_EQ(d.P_CENA_DPH, 3.1);
    EXPECT_EQ(roundPrice(3 * 1.05, "1"), 3.2);
    // C14: H is 17.5 × 1.22 = 21.35 exactly, whose double lies above: 21.4 (doubles: 21.3).
    d = deriveItem(item("C14"), rates);
    EXPECT_EQ(d.H, 21.35);
    EXPECT_EQ(d.P_CENA_DPH, 21.4);
    EXPECT_EQ(roundPrice(17.5 * 1.22, "1"), 21.3);
    // C11: rounded before the margins use P_CENA.
    d = deriveItem(item("C11"), rates);
    EXPECT_EQ(d.P_CENA, 47.4);
    EXPECT_EQ(d.P_DPH, 2.4);
    EXPECT_EQ(d.P_CENA_DPH, 49.7);
    EXPECT_EQ(d.MARZE_KC, 8);
    EXPECT_EQ(d.SLEVA_KC, 4.74);
    EXPECT_EQ(formatPercentTight(d.A_MARZE), "18,50%");
    EXPECT_EQ(formatPercent(20), "20,00 %");
    // C10: each total is rounded alone, so they need not add up.
    d = deriveItem(item("C10"), rates);
    EXPECT_EQ(d.P_CENA + d.P_DPH, 69);
    EXPECT_EQ(d.P_CENA_DPH, 68);
    // A purchase price of 0 leaves the margins at 0.
    Item free = item("C12");
    EXPECT_EQ(deriveItem(free, rates).A_MARZE, 0);
    EXPECT_EQ(deriveItem(free, rates).MARZE_KC, 0);
    // Other rates move the factors.
    const VatRates other{10, 21, "10 %", "21 %"};
    d = deriveItem(item("C9"), other);
    EXPECT_EQ(d.L, 22);
    EXPECT_EQ(d.H, 36.3);
    EXPECT_EQ(formatAmount(d.P_CENA_DPH), "68,30");
}

TEST(DerivedValues, PlacedProductsRoundEachValueAlone) {
    ProductDerived p = deriveProduct(99.99, 121.99, 10, "2");
    EXPECT_EQ(p.TMP_P_CENA, 100);
    EXPECT_EQ(p.TMP_P_CENA_DPH, 122);
    EXPECT_EQ(p.TMP_SLEVA_KC, 10);       // R(9.999)
    EXPECT_EQ(p.TMP_P_CENA_SL, 90);      // R(89.991)
    EXPECT_EQ(p.TMP_P_CENA_DPH_SL, 110); // R(109.791)
    p = deriveProduct(95.19, 99.95, 0, "1");
    EXPECT_EQ(p.TMP_P_CENA_DPH, 100.0); // stored 99.95, published 100.0
    EXPECT_EQ(p.TMP_P_CENA, 95.2);
    p = deriveProduct(50, 61, 12.5, "");
    EXPECT_EQ(p.TMP_P_CENA, 50);
    EXPECT_EQ(p.TMP_SLEVA_KC, 6.25);
    EXPECT_EQ(p.TMP_P_CENA_SL, 43.75);
    EXPECT_EQ(derivedColumn(p, "tmp_p_cena_dph_sl"), 53.375);
    EXPECT_EQ(derivedColumn(p, "P_CENA"), std::nullopt);
}

} // namespace
} // namespace arkona::catalogue
