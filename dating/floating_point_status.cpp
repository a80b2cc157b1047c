#include "dating/floating_point_status.h"

#include "host/runtime_error.h"

#include <cfenv>
#include <cmath>
#include <string>

namespace ruvo {

namespace {
constexpr int watched = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

FloatingPointStatus::FloatingPointStatus() {
    std::feclearexcept(watched);
}

void FloatingPointStatus::check(std::string_view formula, double result) const {
    if (std::fetestexcept(watched) != 0 || !std::isfinite(result)) {
        throw RuntimeError(ErrorKind::FloatingPoint,
                           "the " + std::string(formula) + " gives no finite gestation");
    }
}

} // namespace ruvo
