#include "catalogue/price_operations.h"

#include "catalogue/derived_values.h"
#include "catalogue/exact.h"

#include <array>

namespace arkona::catalogue {

using exact::nearest;
using exact::of;

namespace {

double& partOf(Item& item, PricePart part) {
    switch (part) {
    case PricePart::P_0:
        return item.p0;
    case PricePart::P_L:
        return item.pL;
    case PricePart::P_H:
        break;
    }
    return item.pH;
}

bool& holdOf(Item& item, PricePart part) {
    switch (part) {
    case PricePart::P_0:
        return item.hold0;
    case PricePart::P_L:
        return item.holdL;
    case PricePart::P_H:
        break;
    }
    return item.holdH;
}

// The part that belongs to a single-rate code.
std::optional<PricePart> partOfCode(VatCode code) {
    switch (code) {
    case VatCode::Zero:
        return PricePart::P_0;
    case VatCode::Reduced:
        return PricePart::P_L;
    case VatCode::Base:
        return PricePart::P_H;
    default:
        return std::nullopt;
    }
}

PriceField holdField(PricePart part) {
    switch (part) {
    case PricePart::P_0:
        return PriceField::HOLD_0;
    case PricePart::P_L:
        return PriceField::HOLD_L;
    case PricePart::P_H:
        break;
    }
    return PriceField::HOLD_H;
}

// The sale code of an item that gets a sale price. Without one the item takes its purchase
// code, the natural one for a single-rate price ("0" when that is none either).
VatCode saleCode(Item& item) {
    VatCode code = vatCode(item.pIdph);
    if (code == VatCode::None) {
        code = vatCode(item.nIdph);
        if (code == VatCode::None || code == VatCode::Split) {
            code = VatCode::Zero;
        }
        item.pIdph = codeText(code);
    }
    return code;
}

// An entry whose sale price could not follow is still taken; the focus goes to the sale price.
Outcome taken(Outcome sale) {
    return {true, sale.focus};
}

constexpr std::array<PricePart, 3> kParts = {PricePart::P_0, PricePart::P_L, PricePart::P_H};

} // namespace

Outcome PriceOperations::refuseNegative(PriceField field) {
    prompter_.warning(kNegativeValue);
    return {false, field};
}

// ---------------------------------------------------------------- sale price

Outcome PriceOperations::NastavP_Cena(Item& item, double net) {
    if (net < 0) {
        return refuseNegative(PriceField::P_CENA);
    }
    const VatCode code = saleCode(item);
    if (code == VatCode::Split) {
        return RecalcP_Cena(item, net);
    }
    partOf(item, *partOfCode(code)) = net;
    return {};
}

Outcome PriceOperations::RecalcP_Cena(Item& item, double netTotal) {
    return spread(item, netTotal, PriceSide::Net);
}

Outcome PriceOperations::RecalcP_Cena_DPH(Item& item, double grossTotal) {
    return spread(item, grossTotal, PriceSide::Gross);
}

Outcome PriceOperations::spread(Item& item, double total, PriceSide side) {
    const PriceField field = side == PriceSide::Net ? PriceField::P_CENA : PriceField::P_CENA_DPH;
    if (total < 0) {
        return refuseNegative(field);
    }
    // The parts on the side of the total: net, or gross at each part's rate.
    std::array<exact::Number, 3> factors = {1, 1, 1};
    if (side == PriceSide::Gross) {
        factors[1] = exact::factor(rates_.reduced);
        factors[2] = exact::factor(rates_.base);
    }
    const std::array<bool, 3> held = {item.hold0, item.holdL, item.holdH};
    std::array<exact::Number, 3> values;
    exact::Number heldSum = 0;
    exact::Number freeSum = 0;
    for (size_t i = 0; i < 3; ++i) {
        values[i] = of(partOf(item, kParts[i])) * factors[i];
        (held[i] ? heldSum : freeSum) += values[i];
    }
    const exact::Number target = of(total);
    if (freeSum == 0) {
        if (target == heldSum) {
            return {};
        }
        // Nothing to scale: the target cannot be reached, and saying nothing would lose it.
        prompter_.warning(std::string(kFreePartsZero) + "\r" + kAdjustSpread);
        return {false, field};
    }
    const exact::Number k = (target - heldSum) / freeSum;
    std::array<exact::Number, 3> spread;
    for (size_t i = 0; i < 3; ++i) {
        spread[i] = held[i] ? values[i] : values[i] * k;
    }
    bool negative = false;
    for (size_t i = 0; i < 3; ++i) {
        if (spread[i] >= 0) {
            continue;
        }
        negative = true;
        const std::string rate = i == 0   ? "0%"
                                 : i == 1 ? rates_.reducedCaption
                                          : rates_.baseCaption;
        prompter_.warning("Cena s DPH " + rate + " vychází záporná! (" +
                          Locale::current().formatGeneral(nearest(spread[i])) + ")\r" +
                          kAdjustSpread);
    }
    if (negative) {
        return {false, field};
    }
    for (size_t i = 0; i < 3; ++i) {
        if (!held[i]) {
            partOf(item, kParts[i]) = nearest(spread[i] / factors[i]);
        }
    }
    return {};
}

Outcome PriceOperations::applySaleTarget(Item& item, double target) {
    if (deriveItem(item, rates_).P_CENA != 0) {
        return RecalcP_Cena(item, target);
    }
    return NastavP_Cena(item, target);
}

Outcome PriceOperations::RecalcP_Cena2(Item& item, std::optional<SaleEntry> entry) {
    if (entry) {
        const bool net = entry->side == PriceSide::Net;
        if (entry->value < 0) {
            return refuseNegative(net ? PriceField::P_CENA : PriceField::P_CENA_DPH);
        }
        Outcome done;
        if (net) {
            done = NastavP_Cena(item, entry->value);
        } else {
            const VatCode code = saleCode(item);
            if (code == VatCode::Split) {
                done = RecalcP_Cena_DPH(item, entry->value);
            } else {
                const int rate = ratePercent(code, rates_);
                partOf(item, *partOfCode(code)) = nearest(of(entry->value) / exact::factor(rate));
            }
        }
        if (!done.accepted) {
            return done;
        }
    }
    item.datPUpd = today_;
    return {};
}

// ---------------------------------------------------------------- purchase and recommended

Outcome PriceOperations::RecalcN_Cena(Item& item, PriceSide side, double value) {
    const bool net = side == PriceSide::Net;
    if (value < 0) {
        return refuseNegative(net ? PriceField::N_CENA : PriceField::N_CENA_DPH);
    }
    if (value == (net ? item.nCena : item.nCenaDph)) {
        return {};
    }
    const exact::Number f = exact::factor(ratePercent(vatCode(item.nIdph), rates_));
    if (net) {
        item.nCena = value;
        item.nCenaDph = nearest(of(value) * f);
    } else {
        item.nCenaDph = value;
        item.nCena = nearest(of(value) / f);
    }
    item.datNUpd = today_;
    if (item.recNc) {
        return taken(applySaleTarget(item, nearest((of(item.marze) / 100 + 1) * of(item.nCena))));
    }
    return {};
}

Outcome PriceOperations::RecalcD_Cena(Item& item, PriceSide side, double value) {
    const bool net = side == PriceSide::Net;
    if (value < 0) {
        return refuseNegative(net ? PriceField::D_CENA : PriceField::D_CENA_DPH);
    }
    if (value == (net ? item.dCena : item.dCenaDph)) {
        return {};
    }
    const exact::Number f = exact::factor(ratePercent(vatCode(item.nIdph), rates_));
    if (net) {
        item.dCena = value;
        item.dCenaDph = nearest(of(value) * f);
    } else {
        item.dCenaDph = value;
        item.dCena = nearest(of(value) / f);
    }
    if (item.recDc) {
        return taken(applySaleTarget(item, item.dCena));
    }
    return {};
}

// ---------------------------------------------------------------- margin

Outcome PriceOperations::RecalcMarze(Item& item, MarginEntry entry, double value) {
    const bool percent = entry == MarginEntry::Percent;
    if (value < 0) {
        item.marze = 0; // the amount follows as 0
        return refuseNegative(percent ? PriceField::MARZE : PriceField::MARZE_KC);
    }
    if (percent) {
        if (value == item.marze) {
            return {};
        }
        item.marze = value;
    } else {
        if (value == deriveItem(item, rates_).MARZE_KC) {
            return {};
        }
        const exact::Number nCena = of(item.nCena);
        item.marze = item.nCena > 0 ? nearest(((of(value) + nCena) / nCena - 1) * 100) : 0;
    }
    if (item.recM) {
        return taken(applySaleTarget(item, nearest((of(item.marze) / 100 + 1) * of(item.nCena))));
    }
    return {};
}

Outcome PriceOperations::recountMarginFromSale(Item& item) {
    const double pCena = deriveItem(item, rates_).P_CENA;
    item.marze = item.nCena > 0 ? nearest((of(pCena) / of(item.nCena) - 1) * 100) : 0;
    return {};
}

Outcome PriceOperations::recountSaleFromMargin(Item& item) {
    return applySaleTarget(item, nearest((of(item.marze) / 100 + 1) * of(item.nCena)));
}

// ---------------------------------------------------------------- split parts and fixed flags

Outcome PriceOperations::RecalcRozpis(Item& item, SplitEntry entry, double value) {
    const PriceField fields[] = {PriceField::P_0, PriceField::P_L, PriceField::P_H, PriceField::L,
                                 PriceField::H};
    if (value < 0) {
        return refuseNegative(fields[static_cast<int>(entry)]);
    }
    const ItemDerived before = deriveItem(item, rates_);
    switch (entry) {
    case SplitEntry::P_0:
    case SplitEntry::P_L:
    case SplitEntry::P_H: {
        double& part = partOf(item, kParts[static_cast<size_t>(entry)]);
        if (value == part) {
            return {};
        }
        part = value;
        break;
    }
    case SplitEntry::L:
        // Only the part whose gross amount was entered: the other keeps its exact net value.
        if (value == before.L) {
            return {};
        }
        item.pL = nearest(of(value) / exact::factor(rates_.reduced));
        break;
    case SplitEntry::H:
        if (value == before.H) {
            return {};
        }
        item.pH = nearest(of(value) / exact::factor(rates_.base));
        break;
    }
    TestHold(item);
    const ItemDerived after = deriveItem(item, rates_);
    const int positive = (item.p0 > 0) + (after.L > 0) + (after.H > 0);
    if (positive == 0 && vatCode(item.pIdph) == VatCode::None) {
        item.pIdph = item.nIdph;
    }
    if (positive >= 2) {
        item.pIdph = "R";
    } else if (item.p0 > 0) {
        item.pIdph = "0";
    } else if (item.pL > 0) {
        item.pIdph = "L";
    } else if (item.pH > 0) {
        item.pIdph = "H";
    }
    return {};
}

bool PriceOperations::TestHold(Item& item) {
    bool cleared = false;
    for (PricePart part : kParts) {
        if (partOf(item, part) == 0 && holdOf(item, part)) {
            holdOf(item, part) = false;
            cleared = true;
        }
    }
    if (cleared) {
        prompter_.warning(kHoldNotZero);
    }
    return cleared;
}

Outcome PriceOperations::setHold(Item& item, PricePart part, bool on) {
    bool& flag = holdOf(item, part);
    if (!on || flag) {
        flag = on;
        return {};
    }
    if (item.hold0 + item.holdL + item.holdH == 2) {
        prompter_.error(kOnlyTwoHolds);
        return {false, holdField(part)};
    }
    if (partOf(item, part) == 0) {
        prompter_.warning(kHoldNotZero);
        return {false, holdField(part)};
    }
    flag = true;
    return {};
}

// ---------------------------------------------------------------- codes

Outcome PriceOperations::changeSaleCode(Item& item, VatCode code) {
    if (code == VatCode::None || code == vatCode(item.pIdph)) {
        return {code != VatCode::None, PriceField::None};
    }
    if (const auto part = partOfCode(code)) {
        // The net sale price stays as shown; the gross follows from the new code.
        const double pCena = deriveItem(item, rates_).P_CENA;
        item.p0 = item.pL = item.pH = 0;
        partOf(item, *part) = pCena;
    }
    item.pIdph = codeText(code);
    TestHold(item);
    return {};
}

Outcome PriceOperations::changePurchaseCode(Item& item, VatCode code, bool newItem) {
    if (!partOfCode(code)) {
        return {false, PriceField::None}; // purchase prices have a single rate
    }
    if (code == vatCode(item.nIdph)) {
        return {};
    }
    const VatCode saleCode = vatCode(item.pIdph);
    if (newItem && saleCode != VatCode::None) {
        double taken = 0;
        if (const auto part = partOfCode(saleCode)) {
            taken = partOf(item, *part);
            partOf(item, *part) = 0;
        } else {
            // A split sale price moves whole, so the new code's part holds the net price.
            taken = nearest(of(item.p0) + of(item.pL) + of(item.pH));
            item.p0 = item.pL = item.pH = 0;
        }
        item.pIdph = codeText(code);
        TestHold(item);
        partOf(item, *partOfCode(code)) = taken;
    }
    item.nIdph = codeText(code);
    const exact::Number f = exact::factor(ratePercent(code, rates_));
    item.nCenaDph = nearest(of(item.nCena) * f);
    item.dCenaDph = nearest(of(item.dCena) * f);
    return {};
}

// ---------------------------------------------------------------- discount

Outcome PriceOperations::enterDiscount(Item& item, double percent) {
    if (percent < 0) {
        return refuseNegative(PriceField::SLEVA);
    }
    item.sleva = percent;
    return {};
}

Outcome PriceOperations::enterDiscountAmount(Item& item, double amount) {
    if (amount < 0) {
        return refuseNegative(PriceField::SLEVA_KC);
    }
    const double pCena = deriveItem(item, rates_).P_CENA;
    item.sleva = pCena > 0 ? nearest(of(amount) / of(pCena) * 100) : 0;
    return {};
}

} // namespace arkona::catalogue
