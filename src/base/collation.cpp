#include "base/collation.h"

#include "base/error.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <vector>

namespace arkona::text {

struct CzechCollator::Impl {
    std::unique_ptr<icu::Collator> collator;
};

CzechCollator::CzechCollator() : impl_(std::make_unique<Impl>()) {
    UErrorCode status = U_ZERO_ERROR;
    impl_->collator.reset(icu::Collator::createInstance(icu::Locale("cs", "CZ"), status));
    if (U_FAILURE(status) || !impl_->collator) {
        throw Error(std::string("Nelze připravit české řazení textu: ") + u_errorName(status));
    }
    // Case and accents decide only between otherwise equal names.
    impl_->collator->setStrength(icu::Collator::TERTIARY);
}

CzechCollator::~CzechCollator() = default;

int CzechCollator::compare(std::string_view a, std::string_view b) const {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = impl_->collator->compareUTF8(
        icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
        icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
    if (U_FAILURE(status)) {
        // Cannot happen for in-memory text; fall back to a stable order rather than none.
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    }
    return r == UCOL_LESS ? -1 : (r == UCOL_EQUAL ? 0 : 1);
}

std::string CzechCollator::sortKey(std::string_view a) const {
    const icu::UnicodeString s =
        icu::UnicodeString::fromUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())));
    std::vector<uint8_t> key(64 + static_cast<std::size_t>(s.length()) * 4);
    int32_t length = impl_->collator->getSortKey(s, key.data(), static_cast<int32_t>(key.size()));
    if (length > static_cast<int32_t>(key.size())) {
        key.resize(static_cast<std::size_t>(length));
        length = impl_->collator->getSortKey(s, key.data(), length);
    }
    // The key ends with a zero byte; a std::string does not need it.
    if (length > 0 && key[static_cast<std::size_t>(length) - 1] == 0) {
        --length;
    }
    return std::string(reinterpret_cast<const char*>(key.data()),
                       static_cast<std::size_t>(length > 0 ? length : 0));
}

const CzechCollator& CzechCollator::instance() {
    static const CzechCollator collator;
    return collator;
}

} // namespace arkona::text
