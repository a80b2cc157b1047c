#pragma once

#include "host/widget_host.h"

#include <string>
#include <string_view>

namespace ruvo {

// A field of the control state as tools see it: its name and its value as text.
class StateFieldView {
  public:
    virtual std::string_view name() const = 0;
    virtual std::string text() const = 0;

  protected:
    ~StateFieldView() = default;
};

// One field of the control state. It reads as its value; every write, even of the value it
// holds, is reported to the host's observers as `Name = text` before the assignment returns, so
// a trace shows where among a handler's steps the state changes.
template <typename T>
class StateField final : public StateFieldView {
  public:
    using TextOf = std::string (*)(T);

    StateField(WidgetHost& host, std::string_view name, TextOf textOf)
        : m_host(host), m_name(name), m_textOf(textOf) {}
    StateField(const StateField&) = delete;
    StateField& operator=(const StateField&) = delete;

    operator T() const { return m_value; }

    StateField& operator=(T value) {
        m_value = value;
        m_host.noteFieldWrite(m_name, m_textOf(value));
        return *this;
    }

    std::string_view name() const override { return m_name; }
    std::string text() const override { return m_textOf(m_value); }

  private:
    WidgetHost& m_host;
    std::string_view m_name;
    TextOf m_textOf;
    T m_value{};
};

} // namespace ruvo
