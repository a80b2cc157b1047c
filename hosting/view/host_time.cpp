#include "hosting/view/host_time.h"

#include <algorithm>

namespace ruvo::view {

HostTime::HostTime(WidgetHost& host, std::chrono::milliseconds toolkitNow)
    : m_host(host), m_origin(toolkitNow - host.now()) {}

std::optional<RuntimeError> HostTime::catchUp(std::chrono::milliseconds toolkitNow) {
    const auto behind = toolkitNow - m_origin - m_host.now();
    if (m_host.depth() > 0 || behind <= std::chrono::milliseconds::zero())
        return std::nullopt;
    std::vector<RuntimeError> errors = m_host.advanceTime(behind);
    if (errors.empty())
        return std::nullopt;
    return std::move(errors.front());
}

std::optional<std::chrono::milliseconds> HostTime::untilNextTick() const {
    const auto next = m_host.nextTick();
    if (!next)
        return std::nullopt;
    return std::max(*next - m_host.now(), std::chrono::milliseconds::zero());
}

} // namespace ruvo::view
