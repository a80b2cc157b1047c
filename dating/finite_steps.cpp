#include "dating/finite_steps.h"

#include "host/runtime_error.h"

#include <string>

namespace ruvo {

void FiniteSteps::fail() const {
    throw RuntimeError(ErrorKind::FloatingPoint,
                       "the " + std::string(m_formula) + " gives no finite gestation");
}

} // namespace ruvo
