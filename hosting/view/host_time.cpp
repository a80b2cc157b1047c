#include "hosting/view/host_time.h"

#include <algorithm>

namespace ruvo::view {

HostTime::HostTime(WidgetHost& host, std::chrono::milliseconds toolkitNow)
    : m_host(host), m_origin(toolkitNow - host.now()) {}

namespace {

// A prompt ends on its fourth tick; this bounds a model whose ticks kept a timer running.
constexpr int mostTicksAtOnce = 64;

std::optional<RuntimeError> first(std::vector<RuntimeError> errors) {
    if (errors.empty())
        return std::nullopt;
    return std::move(errors.front());
}

} // namespace

std::optional<RuntimeError> HostTime::catchUp(std::chrono::milliseconds toolkitNow) {
    if (m_host.depth() > 0)
        return std::nullopt;
    // Ticks held back by holdUntil are due already and run even when no time is left to pass.
    const auto behind =
        std::max(toolkitNow - m_origin - m_host.now(), std::chrono::milliseconds::zero());
    return first(m_host.advanceTime(behind));
}

void HostTime::holdUntil(std::chrono::milliseconds toolkitNow) {
    if (m_host.depth() == 0)
        m_host.passBusyTime(toolkitNow - m_origin - m_host.now());
}

std::optional<RuntimeError> HostTime::finishPrompts() {
    std::optional<RuntimeError> error;
    for (int tick = 0; tick < mostTicksAtOnce && m_host.depth() == 0; ++tick) {
        const auto next = m_host.nextTick();
        if (!next)
            break;
        const auto ahead = std::max(*next - m_host.now(), std::chrono::milliseconds::zero());
        m_origin -= ahead;
        auto late = first(m_host.advanceTime(ahead));
        if (!error)
            error = std::move(late);
    }
    return error;
}

std::optional<std::chrono::milliseconds> HostTime::untilNextTick() const {
    const auto next = m_host.nextTick();
    if (!next)
        return std::nullopt;
    return std::max(*next - m_host.now(), std::chrono::milliseconds::zero());
}

} // namespace ruvo::view
