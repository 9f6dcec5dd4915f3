#include "catalogue/exact.h"

#include "base/error.h"

#include <cmath>
#include <mpfr.h>
#include <string>

namespace arkona::catalogue::exact {

namespace {

// One 53-bit MPFR number reused for every conversion of this thread.
class Converter {
public:
    Converter() { mpfr_init2(value_, 53); }
    ~Converter() { mpfr_clear(value_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    double nearest(const Number& q) {
        mpfr_set_q(value_, q.get_mpq_t(), MPFR_RNDN);
        return mpfr_get_d(value_, MPFR_RNDN);
    }

private:
    mpfr_t value_;
};

} // namespace

Number of(double value) {
    if (!std::isfinite(value)) {
        throw Error("Cena není konečné číslo.");
    }
    return Number(value);
}

Number factor(int ratePercent) {
    if (ratePercent < 0) {
        // A factor of zero or below would divide by zero when a gross price is entered.
        throw Error("Sazba DPH " + std::to_string(ratePercent) +
                    " % v nastavení projektu není platná: sazba nemůže být záporná.");
    }
    Number f(100 + ratePercent, 100);
    f.canonicalize();
    return f;
}

double nearest(const Number& value) {
    thread_local Converter converter;
    return converter.nearest(value);
}

} // namespace arkona::catalogue::exact
