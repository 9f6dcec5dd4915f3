#include "catalogue/product_prices.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;

struct HandPrices : ::testing::Test {
    test::ScriptedPrompter prompter;
    RowPriceRules rules{VatRates{}, prompter};

    static RowPrices row(const char* code, double net = 0, const char* round = "0") {
        RowPrices p;
        p.pIdph = code;
        p.pCena = net;
        p.pCenaDph = net;
        p.round = round;
        return p;
    }
    std::string shown(const RowPrices& p, RowPriceField f) const { return rules.shownText(p, f); }
};

TEST_F(HandPrices, NetGivesTheGrossByTheCodeAndGrossGivesTheNet) {
    RowPrices p = row("H");
    EXPECT_TRUE(rules.enter(p, RowPriceField::P_CENA, 100).accepted);
    EXPECT_EQ(p.pCena, 100);
    EXPECT_EQ(p.pCenaDph, 122);
    // The gross of 100 at 22 %: the double nearest 100 / 1.22, stored unrounded.
    EXPECT_TRUE(rules.enter(p, RowPriceField::P_CENA_DPH, 100).accepted);
    EXPECT_EQ(p.pCenaDph, 100);
    EXPECT_EQ(p.pCena, 81.9672131147541);
    EXPECT_EQ(shown(p, RowPriceField::P_CENA), "81,97");
    // A set starts without a code: gross equals net.
    RowPrices set = row("");
    rules.enter(set, RowPriceField::P_CENA, 40.5);
    EXPECT_EQ(set.pCenaDph, 40.5);
    EXPECT_EQ(prompter.messages, Strings{});
}

TEST_F(HandPrices, ShownValuesAreTheRoundedDerivedOnes) {
    RowPrices p = row("L", 0, "2");
    rules.enter(p, RowPriceField::P_CENA, 99.5);
    EXPECT_EQ(p.pCenaDph, 104.475);
    EXPECT_EQ(shown(p, RowPriceField::P_CENA), "100,00");
    EXPECT_EQ(shown(p, RowPriceField::P_CENA_DPH), "104,00");
    rules.chooseRounding(p, "1");
    EXPECT_EQ(shown(p, RowPriceField::P_CENA), "99,50");
    EXPECT_EQ(shown(p, RowPriceField::P_CENA_DPH), "104,50");
    rules.enter(p, RowPriceField::SLEVA, 10);
    const ProductDerived d = rules.derived(p);
    // 9.95 and 89.55 are held slightly below their ties, so they round down to tenths.
    EXPECT_EQ(d.TMP_SLEVA_KC, 9.9);
    EXPECT_EQ(d.TMP_P_CENA_SL, 89.5);
    EXPECT_EQ(d.TMP_P_CENA_DPH_SL, 94); // 94.0275
}

TEST_F(HandPrices, BothDiscountFields) {
    RowPrices p = row("H", 200);
    p.pCenaDph = 244;
    EXPECT_TRUE(rules.enter(p, RowPriceField::SLEVA, 15).accepted);
    EXPECT_EQ(p.sleva, 15);
    EXPECT_EQ(shown(p, RowPriceField::SLEVA_KC), "30,00");
    EXPECT_EQ(rules.derived(p).TMP_P_CENA_DPH_SL, 207.4);
    EXPECT_TRUE(rules.enter(p, RowPriceField::SLEVA_KC, 25).accepted);
    EXPECT_EQ(p.sleva, 12.5);
    EXPECT_EQ(shown(p, RowPriceField::SLEVA), "12,50");
    EXPECT_EQ(p.pCena, 200); // a discount never changes the price
    EXPECT_EQ(p.pCenaDph, 244);
}

TEST_F(HandPrices, AnAmountWithoutANetPriceGivesNoDiscount) {
    RowPrices p = row("H");
    p.sleva = 7;
    EXPECT_TRUE(rules.enter(p, RowPriceField::SLEVA_KC, 5).accepted);
    EXPECT_EQ(p.sleva, 0);
    EXPECT_EQ(prompter.messages, Strings{});
}

TEST_F(HandPrices, AVatCodeChangeRecomputesTheGrossFromTheNet) {
    RowPrices p = row("0", 100);
    rules.chooseVatCode(p, 1);
    EXPECT_EQ(p.pIdph, "L");
    EXPECT_EQ(p.pCenaDph, 105);
    rules.chooseVatCode(p, 2);
    EXPECT_EQ(p.pIdph, "H");
    EXPECT_EQ(p.pCenaDph, 122);
    EXPECT_EQ(p.pCena, 100);
    rules.chooseVatCode(p, 0);
    EXPECT_EQ(p.pIdph, "0");
    EXPECT_EQ(p.pCenaDph, 100);
    // "rozepsaná daň" cannot be chosen for a row.
    rules.chooseVatCode(p, 3);
    EXPECT_EQ(p, row("0", 100));
}

TEST_F(HandPrices, NegativeEntriesAreRefusedAndChangeNothing) {
    const RowPrices before = row("H", 10);
    for (const auto field : {RowPriceField::P_CENA, RowPriceField::P_CENA_DPH, RowPriceField::SLEVA,
                             RowPriceField::SLEVA_KC}) {
        RowPrices p = before;
        const Outcome refused = rules.enter(p, field, -1);
        EXPECT_FALSE(refused.accepted);
        EXPECT_EQ(refused.focus, priceFieldOf(field));
        EXPECT_EQ(p, before);
    }
    EXPECT_EQ(prompter.messages, Strings(4, "warning: Hodnota nemůže být záporná!"));
}

} // namespace
} // namespace arkona::catalogue
