#include "catalogue/derived_values.h"
#include "catalogue/price_operations.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

const Date kToday{2026, 12, 9};
const std::string kAdjust = "\rUpravte celkovou prodejní cenu nebo rozpis cen!";

struct Operations : ::testing::Test {
    test::ScriptedPrompter prompter;
    PriceOperations ops{VatRates{}, prompter, kToday};

    static Item split(double p0, double pL, double pH) {
        Item i;
        i.kod = "S1";
        i.nIdph = "H";
        i.pIdph = "R";
        i.p0 = p0;
        i.pL = pL;
        i.pH = pH;
        return i;
    }
    static Item single(const char* code, double net) {
        Item i;
        i.kod = "J1";
        i.nIdph = code;
        i.pIdph = code;
        (std::string(code) == "0" ? i.p0 : std::string(code) == "L" ? i.pL : i.pH) = net;
        return i;
    }
    std::vector<std::string> messages() {
        auto m = std::move(prompter.messages);
        prompter.messages.clear();
        return m;
    }
};

using Strings = std::vector<std::string>;

TEST_F(Operations, SpreadNetKeepsTheFixedPart) {
    Item item = split(10, 20, 30);
    item.holdH = true;
    const Outcome done = ops.RecalcP_Cena(item, 120);
    EXPECT_TRUE(done.accepted);
    EXPECT_EQ(item.p0, 30);
    EXPECT_EQ(item.pL, 60);
    EXPECT_EQ(item.pH, 30);
    EXPECT_EQ(messages(), Strings{});
}

TEST_F(Operations, SpreadNetRefusesNegativePartsAndStoresNothing) {
    Item item = split(10, 20, 30);
    item.holdH = true;
    const Outcome refused = ops.RecalcP_Cena(item, 20);
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.focus, PriceField::P_CENA);
    EXPECT_EQ(messages(),
              (Strings{"warning: Cena s DPH 0% vychází záporná! (-3,33333333333333)" + kAdjust,
                       "warning: Cena s DPH 5 % vychází záporná! (-6,66666666666667)" + kAdjust}));
    EXPECT_EQ(item.p0, 10);
    EXPECT_EQ(item.pL, 20);
    EXPECT_EQ(item.pH, 30);
}

TEST_F(Operations, SpreadGrossDividesEachPartByItsOwnFactor) {
    Item item = split(10, 20, 30);
    item.hold0 = true;
    EXPECT_TRUE(ops.RecalcP_Cena_DPH(item, 100).accepted);
    EXPECT_EQ(item.p0, 10);
    EXPECT_EQ(item.pL, 31.25);
    EXPECT_EQ(item.pH, 46.875);
    EXPECT_EQ(deriveItem(item, ops.rates()).P_CENA_DPH, 100);

    // Below the fixed part: the warnings show the new gross values.
    const Outcome refused = ops.RecalcP_Cena_DPH(item, 5);
    EXPECT_EQ(refused.focus, PriceField::P_CENA_DPH);
    EXPECT_EQ(messages(),
              (Strings{"warning: Cena s DPH 5 % vychází záporná! (-1,82291666666667)" + kAdjust,
                       "warning: Cena s DPH 22 % vychází záporná! (-3,17708333333333)" + kAdjust}));
    EXPECT_EQ(item.pL, 31.25);
}

TEST_F(Operations, SpreadOverFreePartsThatAreAllZeroSaysSo) {
    Item item = single("L", 100);
    item.holdL = true;
    const Outcome refused = ops.RecalcP_Cena(item, 120);
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.focus, PriceField::P_CENA);
    EXPECT_EQ(messages(),
              Strings{"warning: Prodejní cenu nelze rozepsat, volné části rozpisu jsou nulové!" +
                      kAdjust});
    EXPECT_EQ(item.pL, 100);
    // The held sum itself needs no spreading.
    EXPECT_TRUE(ops.RecalcP_Cena(item, 100).accepted);
    EXPECT_TRUE(ops.RecalcP_Cena_DPH(item, 105).accepted);
    EXPECT_EQ(messages(), Strings{});
    // A split item without any price cannot take a total either.
    Item empty = split(0, 0, 0);
    EXPECT_FALSE(ops.NastavP_Cena(empty, 50).accepted);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(Operations, SetNetSalePriceByTheSaleCode) {
    Item zero = single("0", 1);
    Item reduced = single("L", 1);
    Item base = single("H", 1);
    ops.NastavP_Cena(zero, 50);
    ops.NastavP_Cena(reduced, 50);
    ops.NastavP_Cena(base, 50);
    EXPECT_EQ(zero.p0, 50);
    EXPECT_EQ(reduced.pL, 50);
    EXPECT_EQ(base.pH, 50);
    EXPECT_EQ(base.p0 + base.pL, 0);
    Item splitItem = split(10, 20, 30);
    ops.NastavP_Cena(splitItem, 120);
    EXPECT_EQ(splitItem.p0, 20);
    EXPECT_EQ(splitItem.pL, 40);
    EXPECT_EQ(splitItem.pH, 60);
    // Without a sale code the item takes its purchase code.
    Item bare;
    bare.nIdph = "L";
    ops.NastavP_Cena(bare, 50);
    EXPECT_EQ(bare.pIdph, "L");
    EXPECT_EQ(bare.pL, 50);
    EXPECT_EQ(messages(), Strings{});
}

TEST_F(Operations, PurchasePriceCompletesItsPairAndTheSalePriceFollows) {
    Item item = single("L", 0);
    item.marze = 25;
    item.recNc = true;
    EXPECT_TRUE(ops.RecalcN_Cena(item, PriceSide::Net, 80).accepted);
    EXPECT_EQ(item.nCenaDph, 84);
    EXPECT_EQ(item.datNUpd, kToday);
    EXPECT_EQ(item.pL, 100); // a sale price of 0 takes the target in its code's part

    item.pIdph = "R";
    item.p0 = 20;
    item.pL = 30;
    item.pH = 0;
    ops.RecalcN_Cena(item, PriceSide::Gross, 126); // net 120, target 150
    EXPECT_EQ(item.nCena, 120);
    EXPECT_EQ(item.p0, 60);
    EXPECT_EQ(item.pL, 90);

    // The same value again changes nothing, not even the date.
    item.datNUpd.reset();
    EXPECT_TRUE(ops.RecalcN_Cena(item, PriceSide::Net, 120).accepted);
    EXPECT_FALSE(item.datNUpd);

    const Outcome refused = ops.RecalcN_Cena(item, PriceSide::Gross, -1);
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.focus, PriceField::N_CENA_DPH);
    EXPECT_EQ(item.nCenaDph, 126);
    EXPECT_EQ(messages(), Strings{"warning: Hodnota nemůže být záporná!"});

    Item zeroCode = single("0", 0);
    ops.RecalcN_Cena(zeroCode, PriceSide::Gross, 99.99);
    EXPECT_EQ(zeroCode.nCena, 99.99);
    EXPECT_EQ(zeroCode.pL + zeroCode.p0, 0); // REC_NC off
}

TEST_F(Operations, APurchasePriceStaysWhenTheSalePriceCannotFollow) {
    Item item = single("L", 100);
    item.holdL = true;
    item.recNc = true;
    item.marze = 50;
    const Outcome done = ops.RecalcN_Cena(item, PriceSide::Net, 80);
    EXPECT_TRUE(done.accepted);
    EXPECT_EQ(done.focus, PriceField::P_CENA);
    EXPECT_EQ(item.nCena, 80);
    EXPECT_EQ(item.pL, 100);
    EXPECT_EQ(messages(),
              Strings{"warning: Prodejní cenu nelze rozepsat, volné části rozpisu jsou nulové!" +
                      kAdjust});
}

TEST_F(Operations, RecommendedPriceSetsTheSalePriceWithoutADate) {
    Item item = single("H", 0);
    item.recDc = true;
    ops.RecalcD_Cena(item, PriceSide::Gross, 244);
    EXPECT_EQ(item.dCena, 200);
    EXPECT_EQ(item.pH, 200);
    EXPECT_FALSE(item.datNUpd);
    EXPECT_FALSE(item.datPUpd);
    ops.RecalcD_Cena(item, PriceSide::Net, 300);
    EXPECT_EQ(item.dCenaDph, 366);
    EXPECT_EQ(item.pH, 300); // spread over the one free part
    EXPECT_EQ(ops.RecalcD_Cena(item, PriceSide::Net, -5).focus, PriceField::D_CENA);
}

TEST_F(Operations, MarginByPercentOrAmount) {
    Item item = single("H", 0);
    item.nCena = 80;
    ops.RecalcMarze(item, MarginEntry::Amount, 20);
    EXPECT_EQ(item.marze, 25);
    EXPECT_EQ(item.pH, 0); // REC_M off
    item.recM = true;
    ops.RecalcMarze(item, MarginEntry::Percent, 50);
    EXPECT_EQ(item.pH, 120);
    EXPECT_EQ(deriveItem(item, ops.rates()).MARZE_KC, 40);

    const Outcome refused = ops.RecalcMarze(item, MarginEntry::Amount, -1);
    EXPECT_EQ(refused.focus, PriceField::MARZE_KC);
    EXPECT_EQ(item.marze, 0); // both margin fields go back to 0
    EXPECT_EQ(messages(), Strings{"warning: Hodnota nemůže být záporná!"});

    Item noPurchase = single("H", 100);
    noPurchase.marze = 25;
    ops.RecalcMarze(noPurchase, MarginEntry::Amount, 30);
    EXPECT_EQ(noPurchase.marze, 0);
    noPurchase.marze = 25;
    ops.recountMarginFromSale(noPurchase);
    EXPECT_EQ(noPurchase.marze, 0);
    EXPECT_EQ(deriveItem(noPurchase, ops.rates()).A_MARZE, 0);
}

TEST_F(Operations, RecountMarginAndSalePrice) {
    Item item = single("H", 100);
    item.nCena = 80;
    ops.recountMarginFromSale(item);
    EXPECT_EQ(item.marze, 25);
    // Recount sale price from margin on an item whose parts are all 0 sets the sale code's part,
    // as the purchase path does.
    Item empty = single("L", 0);
    empty.nCena = 80;
    empty.marze = 25;
    EXPECT_TRUE(ops.recountSaleFromMargin(empty).accepted);
    EXPECT_EQ(empty.pL, 100);
    Item splitItem = split(10, 30, 0);
    splitItem.nCena = 100;
    splitItem.marze = 20;
    ops.recountSaleFromMargin(splitItem);
    EXPECT_EQ(splitItem.p0, 30);
    EXPECT_EQ(splitItem.pL, 90);
    EXPECT_EQ(messages(), Strings{});
}

TEST_F(Operations, SalePriceEnteredAsNetOrGross) {
    Item reduced = single("L", 0);
    EXPECT_TRUE(
        ops.RecalcP_Cena2(reduced, PriceOperations::SaleEntry{PriceSide::Gross, 105}).accepted);
    EXPECT_EQ(reduced.pL, 100);
    EXPECT_EQ(reduced.datPUpd, kToday);
    Item base = single("H", 0);
    ops.RecalcP_Cena2(base, PriceOperations::SaleEntry{PriceSide::Gross, 21.35});
    EXPECT_EQ(base.pH, 17.5);
    Item zero = single("0", 0);
    ops.RecalcP_Cena2(zero, PriceOperations::SaleEntry{PriceSide::Gross, 12.35});
    EXPECT_EQ(zero.p0, 12.35);
    Item splitItem = split(10, 20, 30);
    ops.RecalcP_Cena2(splitItem, PriceOperations::SaleEntry{PriceSide::Net, 30});
    EXPECT_EQ(splitItem.p0, 5);
    // Without a sale code the purchase code decides.
    Item bare;
    bare.nIdph = "H";
    ops.RecalcP_Cena2(bare, PriceOperations::SaleEntry{PriceSide::Gross, 122});
    EXPECT_EQ(bare.pIdph, "H");
    EXPECT_EQ(bare.pH, 100);
    EXPECT_EQ(bare.p0 + bare.pL, 0);
    // Left unchanged: only the date.
    Item untouched = single("H", 7);
    ops.RecalcP_Cena2(untouched, std::nullopt);
    EXPECT_EQ(untouched.datPUpd, kToday);
    EXPECT_EQ(untouched.pH, 7);
    // A refused spread is no change of the sale price: no date.
    Item held = split(0, 0, 100);
    held.holdH = true;
    const Outcome refused =
        ops.RecalcP_Cena2(held, PriceOperations::SaleEntry{PriceSide::Gross, 150});
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.focus, PriceField::P_CENA_DPH);
    EXPECT_FALSE(held.datPUpd);
    EXPECT_EQ(held.pH, 100);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(ops.RecalcP_Cena2(held, PriceOperations::SaleEntry{PriceSide::Net, -2}).focus,
              PriceField::P_CENA);
}

TEST_F(Operations, SplitPartsDecideTheSaleCode) {
    Item item = single("L", 100);
    ops.RecalcRozpis(item, SplitEntry::P_0, 10);
    EXPECT_EQ(item.pIdph, "R");
    ops.RecalcRozpis(item, SplitEntry::P_L, 0);
    EXPECT_EQ(item.pIdph, "0");
    ops.RecalcRozpis(item, SplitEntry::H, 122);
    EXPECT_EQ(item.pH, 100);
    EXPECT_EQ(item.pIdph, "R");
    ops.RecalcRozpis(item, SplitEntry::P_0, 0);
    EXPECT_EQ(item.pIdph, "H");
    // Entering one gross amount leaves the other part exactly as it was.
    Item precise = split(0, 20, 30.1234);
    ops.RecalcRozpis(precise, SplitEntry::L, 42);
    EXPECT_EQ(precise.pL, 40);
    EXPECT_EQ(precise.pH, 30.1234);
    // No positive part and no sale code: the purchase code.
    Item empty;
    empty.nIdph = "H";
    ops.RecalcRozpis(empty, SplitEntry::P_0, 0.0001);
    EXPECT_EQ(empty.pIdph, "0");
    Item none;
    none.nIdph = "L";
    none.p0 = 5;
    ops.RecalcRozpis(none, SplitEntry::P_0, 0);
    EXPECT_EQ(none.pIdph, "L");
    EXPECT_EQ(ops.RecalcRozpis(none, SplitEntry::H, -1).focus, PriceField::H);
    EXPECT_EQ(messages(), Strings{"warning: Hodnota nemůže být záporná!"});
}

TEST_F(Operations, FixedFlags) {
    Item item = split(10, 20, 0);
    EXPECT_TRUE(ops.setHold(item, PricePart::P_0, true).accepted);
    EXPECT_TRUE(ops.setHold(item, PricePart::P_L, true).accepted);
    item.pH = 30;
    const Outcome third = ops.setHold(item, PricePart::P_H, true);
    EXPECT_FALSE(third.accepted);
    EXPECT_EQ(third.focus, PriceField::HOLD_H);
    EXPECT_FALSE(item.holdH);
    EXPECT_EQ(messages(), Strings{"error: Pevné ceny mohou být pouze dvě!"});
    ops.setHold(item, PricePart::P_L, false);
    item.pL = 0;
    EXPECT_FALSE(ops.setHold(item, PricePart::P_L, true).accepted);
    EXPECT_EQ(messages(), Strings{"warning: Pevná cena nesmí být nulová!"});

    // Zero parts lose their flags; the warning comes once.
    item.holdL = true;
    item.p0 = 0;
    EXPECT_TRUE(ops.TestHold(item));
    EXPECT_FALSE(item.hold0 || item.holdL);
    EXPECT_EQ(messages(), Strings{"warning: Pevná cena nesmí být nulová!"});
    EXPECT_FALSE(ops.TestHold(item));
    EXPECT_EQ(messages(), Strings{});
}

TEST_F(Operations, SaleCodeChangeKeepsTheShownNetPrice) {
    Item item = split(10, 20, 30);
    item.hold0 = true;
    ops.changeSaleCode(item, VatCode::Base);
    EXPECT_EQ(item.pIdph, "H");
    EXPECT_EQ(item.pH, 60);
    EXPECT_EQ(item.p0 + item.pL, 0);
    EXPECT_EQ(deriveItem(item, ops.rates()).P_CENA_DPH, 73.2);
    EXPECT_FALSE(item.hold0);
    EXPECT_EQ(messages(), Strings{"warning: Pevná cena nesmí být nulová!"});
    // The shown price is the rounded one.
    Item rounded = split(10.30, 20.20, 30.10);
    rounded.round = "2";
    ops.changeSaleCode(rounded, VatCode::Reduced);
    EXPECT_EQ(rounded.pL, 61);
    ops.changeSaleCode(rounded, VatCode::Split);
    EXPECT_EQ(rounded.pIdph, "R");
    EXPECT_EQ(rounded.pL, 61);
}

TEST_F(Operations, PurchaseCodeChange) {
    // A stored item: only the purchase side, nets kept.
    Item stored = single("L", 100);
    stored.nCena = 80;
    stored.nCenaDph = 84;
    stored.dCena = 90;
    stored.dCenaDph = 94.5;
    ops.changePurchaseCode(stored, VatCode::Base, false);
    EXPECT_EQ(stored.nIdph, "H");
    EXPECT_EQ(stored.nCenaDph, 97.6);
    EXPECT_EQ(stored.dCenaDph, 109.8);
    EXPECT_EQ(stored.pIdph, "L");
    EXPECT_EQ(stored.pL, 100);
    // A new item: the sale price moves to the new code.
    Item fresh = single("L", 100);
    fresh.holdL = true;
    ops.changePurchaseCode(fresh, VatCode::Base, true);
    EXPECT_EQ(fresh.nIdph, "H");
    EXPECT_EQ(fresh.pIdph, "H");
    EXPECT_EQ(fresh.pH, 100);
    EXPECT_EQ(fresh.pL, 0);
    EXPECT_FALSE(fresh.holdL);
    EXPECT_EQ(messages(), Strings{"warning: Pevná cena nesmí být nulová!"});
    Item freshSplit = split(10, 20, 30);
    ops.changePurchaseCode(freshSplit, VatCode::Zero, true);
    EXPECT_EQ(freshSplit.pIdph, "0");
    EXPECT_EQ(freshSplit.p0, 60);
    EXPECT_EQ(freshSplit.pL + freshSplit.pH, 0);
    EXPECT_FALSE(ops.changePurchaseCode(freshSplit, VatCode::Split, true).accepted);
}

TEST_F(Operations, Discount) {
    Item item = single("H", 99.99);
    item.round = "2";
    ops.enterDiscountAmount(item, 10);
    EXPECT_EQ(item.sleva, 10);
    EXPECT_EQ(deriveItem(item, ops.rates()).SLEVA_KC, 10);
    ops.enterDiscount(item, 12.5);
    EXPECT_EQ(item.sleva, 12.5);
    Item free = single("H", 0);
    ops.enterDiscountAmount(free, 10);
    EXPECT_EQ(free.sleva, 0);
    EXPECT_EQ(ops.enterDiscount(item, -1).focus, PriceField::SLEVA);
    EXPECT_EQ(ops.enterDiscountAmount(item, -1).focus, PriceField::SLEVA_KC);
    EXPECT_EQ(item.sleva, 12.5);
    EXPECT_EQ(messages(), (Strings{"warning: Hodnota nemůže být záporná!",
                                   "warning: Hodnota nemůže být záporná!"}));
}

} // namespace
} // namespace arkona::catalogue
