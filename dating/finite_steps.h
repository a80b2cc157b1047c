#pragma once

#include <cmath>
#include <string_view>

namespace ruvo {

// Follows one formula step by step, and fails with FloatingPoint, naming the formula, at the first
// value that is not finite. That catches what a processor's floating-point status would (an
// invalid operation gives NaN, a division by zero or an overflow gives infinity) and a NaN or an
// infinity passed in, on every platform, WebAssembly too, which has no such status. Each step is
// checked before a later one can hide it: exp(-inf) is 0.
class FiniteSteps {
  public:
    explicit constexpr FiniteSteps(std::string_view formula) : m_formula(formula) {}

    // The value itself, when it is finite.
    double operator()(double value) const {
        if (!std::isfinite(value)) [[unlikely]]
            fail();
        return value;
    }

  private:
    [[noreturn]] void fail() const;

    std::string_view m_formula;
};

} // namespace ruvo
