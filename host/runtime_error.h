#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace ruvo {

// What went wrong, in the terms a host's scripting language uses for run-time errors.
enum class ErrorKind {
    TypeMismatch,     // a text that names no number or no date
    Overflow,         // a whole number outside -32768..32767
    FloatingPoint,    // invalid operation, division by zero or overflow in a formula
    InvalidArgument,  // a date outside 1 January 100 .. 31 December 9999, or an input refused
    InvalidWidgetUse, // a widget operation the widget cannot perform in its current state
};

std::string_view describe(ErrorKind);

// The one error of the control. A failing step throws it; it ends the running handler and every
// handler around it, up to the dispatch that began them, which hands it to the host unchanged.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(ErrorKind kind, const std::string& message)
        : std::runtime_error(message), m_kind(kind) {}

    ErrorKind kind() const { return m_kind; }

  private:
    ErrorKind m_kind;
};

} // namespace ruvo
