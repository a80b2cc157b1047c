#include "host/runtime_error.h"

namespace ruvo {

std::string_view describe(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return "Type mismatch";
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::FloatingPoint:
        return "Floating-point error";
    case ErrorKind::InvalidArgument:
        return "Invalid argument";
    case ErrorKind::InvalidWidgetUse:
        return "Invalid use of a widget";
    }
    return "Error";
}

} // namespace ruvo
