#include "catalogue/vat.h"

#include "base/textcase.h"
#include "storage/project_context.h"

namespace arkona::catalogue {

VatRates VatRates::of(const storage::ProjectContext& context) {
    return {context.reducedVat, context.baseVat, context.reducedVatCaption, context.baseVatCaption};
}

VatCode vatCode(std::string_view stored) {
    const std::string_view s = text::trim(stored);
    if (s.size() != 1) {
        return VatCode::None;
    }
    switch (s[0]) {
    case '0':
        return VatCode::Zero;
    case 'L':
    case 'l':
        return VatCode::Reduced;
    case 'H':
    case 'h':
        return VatCode::Base;
    case 'R':
    case 'r':
        return VatCode::Split;
    default:
        return VatCode::None;
    }
}

std::string codeText(VatCode code) {
    switch (code) {
    case VatCode::Zero:
        return "0";
    case VatCode::Reduced:
        return "L";
    case VatCode::Base:
        return "H";
    case VatCode::Split:
        return "R";
    case VatCode::None:
        break;
    }
    return {};
}

int ratePercent(VatCode code, const VatRates& rates) {
    switch (code) {
    case VatCode::Reduced:
        return rates.reduced;
    case VatCode::Base:
        return rates.base;
    default:
        return 0;
    }
}

std::string vatCaption(VatCode code, const VatRates& rates) {
    switch (code) {
    case VatCode::Zero:
        return "0 %";
    case VatCode::Reduced:
        return rates.reducedCaption;
    case VatCode::Base:
        return rates.baseCaption;
    case VatCode::Split:
        return "rozepsaná daň";
    case VatCode::None:
        break;
    }
    return {};
}

VatCode codeAtListPosition(int position) {
    switch (position) {
    case 0:
        return VatCode::Zero;
    case 1:
        return VatCode::Reduced;
    case 2:
        return VatCode::Base;
    case 3:
        return VatCode::Split;
    default:
        return VatCode::None;
    }
}

int listPosition(VatCode code) {
    switch (code) {
    case VatCode::Zero:
        return 0;
    case VatCode::Reduced:
        return 1;
    case VatCode::Base:
        return 2;
    case VatCode::Split:
        return 3;
    case VatCode::None:
        break;
    }
    return -1;
}

} // namespace arkona::catalogue
