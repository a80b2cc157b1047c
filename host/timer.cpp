#include "host/timer.h"

#include "host/widget_host.h"

namespace ruvo {

void Timer::setEnabled(bool enabled) {
    if (enabled && !this->enabled())
        m_nextTick = host().now() + m_interval;
    Widget::setEnabled(enabled);
}

void Timer::setInterval(std::chrono::milliseconds interval) {
    m_interval = interval;
    m_nextTick = host().now() + m_interval;
}

} // namespace ruvo
