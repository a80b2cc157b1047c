#pragma once

#include "host/widget.h"

#include <chrono>
#include <functional>

namespace ruvo {

// A source of periodic Timer events; not drawn. While enabled it ticks once every interval, and
// the host delivers each tick between handlers, never inside one. Enabling a stopped timer starts
// a fresh interval; enabling a running one leaves its rhythm alone.
class Timer final : public Widget {
  public:
    static constexpr WidgetKind staticKind = WidgetKind::Timer;

    void setEnabled(bool enabled);

    std::chrono::milliseconds interval() const { return m_interval; }
    // How often the timer ticks on the host's clock; zero means it never does by itself.
    void setInterval(std::chrono::milliseconds interval);

    // Runs on each tick while the timer is enabled.
    std::function<void()> onTimer;

  private:
    friend class WidgetHost;
    Timer(WidgetHost& host, std::string name, Widget* parent, WidgetDesign design)
        : Widget(host, WidgetKind::Timer, std::move(name), parent, std::move(design)) {}

    std::chrono::milliseconds m_interval{0};
    std::chrono::milliseconds m_nextTick{0};
};

} // namespace ruvo
