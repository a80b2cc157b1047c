#pragma once

#include <utility>

namespace ruvo {

// Gives a variable a value for the lifetime of the guard and restores the old one on the way out,
// also when the scope is left by an exception.
template <typename T>
class TemporaryChange {
  public:
    TemporaryChange(T& variable, T value)
        : m_variable(variable), m_old(std::exchange(variable, value)) {}
    ~TemporaryChange() { m_variable = m_old; }

    TemporaryChange(const TemporaryChange&) = delete;
    TemporaryChange& operator=(const TemporaryChange&) = delete;

  private:
    T& m_variable;
    T m_old;
};

} // namespace ruvo
