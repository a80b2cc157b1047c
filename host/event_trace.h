#pragma once

#include "host/host_observer.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace ruvo {

class WidgetHost;

// Records what happens on a host as text, one line a step, indented two spaces a nesting level:
//
//   OptUS.Value = True
//   > OptUS.Click
//     OptFB.Value = True
//     > OptFB.Click
//     < OptFB.Click
//   < OptUS.Click
//
// Writes read `Widget.Property = value`; methods `List.AddItem "x"`, `List.Clear`,
// `List.SetFocus`; a write of the control's state reads `Field = value`, with no widget and no
// dot (`Tick3 = 0`); a direct call is marked "(direct call)" and a handler ended by an error shows
// the error on its closing line. Meant to be compared with a golden text.
class EventTrace final : public HostObserver {
  public:
    // Collects the lines; text() returns them.
    explicit EventTrace(WidgetHost&);
    // Writes each line to out as it happens.
    EventTrace(WidgetHost&, std::ostream& out);
    ~EventTrace() override;
    EventTrace(const EventTrace&) = delete;
    EventTrace& operator=(const EventTrace&) = delete;

    const std::string& text() const { return m_text; }
    void clear() { m_text.clear(); }

    // Adds a line of the caller's own at the current nesting depth.
    void note(std::string_view line);

    void widgetChanged(const Widget&, WidgetChange) override;
    void fieldWritten(std::string_view field, std::string_view value) override;
    void handlerStarted(const Widget&, Event, Invocation) override;
    void handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) override;

  private:
    void line(std::string_view text);

    WidgetHost& m_host;
    std::ostream* m_out = nullptr;
    std::string m_text;
};

} // namespace ruvo
