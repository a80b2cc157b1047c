#pragma once

#include "dating/date.h"

namespace ruvo {

// Where today's date comes from. The control takes one, so tests fix "today".
class Clock {
  public:
    virtual ~Clock() = default;
    // Today at midnight.
    virtual Date today() const = 0;
};

// The machine's clock, in its local time zone. The only code that reads the real date.
class SystemClock final : public Clock {
  public:
    Date today() const override;
};

// A clock that always reads the day it was given (at midnight).
class FixedClock final : public Clock {
  public:
    explicit FixedClock(Date today);
    Date today() const override { return m_today; }
    void setToday(Date today);

  private:
    Date m_today;
};

} // namespace ruvo
