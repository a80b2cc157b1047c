#pragma once

#include "host/runtime_error.h"
#include "host/widget_host.h"

#include <optional>
#include <string_view>

namespace ruvo {

// How a drive session performs the user's actions and the timers' ticks. Each returns the error
// the control reported, if any: a refusal, or the run-time error that ended a handler.
class DriveActions {
  public:
    virtual ~DriveActions() = default;
    virtual std::optional<RuntimeError> click(Widget&) = 0;
    virtual std::optional<RuntimeError> pick(Widget& list, std::string_view item) = 0;
    virtual std::optional<RuntimeError> tick(Widget& timer) = 0;
};

// Straight into the host's entry points: the headless control.
class HostActions final : public DriveActions {
  public:
    explicit HostActions(WidgetHost& host) : m_host(host) {}
    std::optional<RuntimeError> click(Widget& widget) override { return m_host.click(widget); }
    std::optional<RuntimeError> pick(Widget& list, std::string_view item) override {
        return m_host.pick(list, item);
    }
    std::optional<RuntimeError> tick(Widget& timer) override { return m_host.tick(timer); }

  private:
    WidgetHost& m_host;
};

} // namespace ruvo
