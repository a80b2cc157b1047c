#pragma once

#include <string_view>

namespace ruvo {

// Watches one formula for the floating-point exceptions that make its result meaningless:
// invalid operation, division by zero and overflow. Construct it before the formula, call check()
// with its result after it. An overflow that a later step hides (exp(-inf) is 0) is still caught,
// and so is a NaN passed in, which raises nothing on its way through.
class FloatingPointStatus {
  public:
    FloatingPointStatus();

    // Fails with FloatingPoint, naming the formula, when one of those exceptions was raised or
    // the result is not finite.
    void check(std::string_view formula, double result) const;
};

} // namespace ruvo
