#include "control_fixture.h"

#include "dating/gestation_at_birth.h"

#include <gtest/gtest.h>

#include <random>

namespace ruvo {
namespace {

using testing::CalculateEddButton;

// Remembers whether the "Calculate EDD" prompt was the last to show or hide its button: then the
// button may differ from the state table, as the blinking leaves it.
class CalculateEddWriter : public HostObserver {
  public:
    CalculateEddWriter(WidgetHost& host, const Widget& button, const Widget& timer)
        : m_host(host), m_button(button), m_timer(timer) {
        m_host.addObserver(*this);
    }
    ~CalculateEddWriter() override { m_host.removeObserver(*this); }

    bool lastWriteWasTheTimers() const { return m_byTimer; }

    void handlerStarted(const Widget& widget, Event, Invocation) override {
        m_running.push_back(&widget);
    }
    void handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) override {
        m_running.pop_back();
    }
    void widgetChanged(const Widget& widget, WidgetChange change) override {
        if (&widget == &m_button && change == WidgetChange::Visible)
            m_byTimer = !m_running.empty() && m_running.back() == &m_timer;
    }

  private:
    WidgetHost& m_host;
    const Widget& m_button;
    const Widget& m_timer;
    std::vector<const Widget*> m_running;
    bool m_byTimer = false;
};

// What must hold after every action; returns the first thing that does not.
std::optional<std::string> brokenInvariant(const Moravine& control,
                                           const CalculateEddWriter& writer) {
    const Surface& s = control.surface;
    const std::vector<std::vector<const OptionButton*>> groups = {{&s.OptLMP, &s.OptUS},
                                                                  {&s.OptFB, &s.OptDG},
                                                                  {&s.OptCRL, &s.OptBPD, &s.OptHC},
                                                                  {&s.OptYes, &s.OptNo}};
    for (const auto& group : groups) {
        if (std::count_if(group.begin(), group.end(), [](auto* o) { return o->value(); }) != 1)
            return "the group of " + group.front()->name() + " has not exactly one selected";
    }
    if (!testing::dayListFollowsMonth(s.DDLSDateM, s.DDLSDateD))
        return std::string("DDLSDateD does not follow its month");
    if (!testing::dayListFollowsMonth(s.DDDOBDateM, s.DDDOBDateD))
        return std::string("DDDOBDateD does not follow its month");
    const auto button =
        writer.lastWriteWasTheTimers() ? CalculateEddButton::Ignored : CalculateEddButton::Checked;
    if (!testing::surfaceState(s, button))
        return std::string("the result panels show none of the four states");
    if (auto mismatches = testing::configurationMismatches(s); !mismatches.empty())
        return "off the input configuration: " + mismatches.front();
    const ControlState& state = control.state;
    if (s.FrameEDD.visible() && s.LabEDD.caption() != datenice(state.EDDDate))
        return "LabEDD shows " + s.LabEDD.caption() + ", not the EDD";
    if (s.FrameGest.visible() &&
        s.LabGest.caption() != gestationCaption(gestationAtBirth(state.EDDDate, state.DOBDate)))
        return "LabGest shows a stale " + s.LabGest.caption();
    for (const std::int16_t tick :
         {std::int16_t(state.Tick1), std::int16_t(state.Tick2), std::int16_t(state.Tick3)}) {
        if (tick < 0 || tick > 4)
            return "a tick counter reads " + std::to_string(tick);
    }
    return std::nullopt;
}

// One action a user could take now, or a tick of a running timer, chosen at random; returns what
// it did, and the error it met.
std::string randomAction(Moravine& control, std::mt19937& random,
                         std::optional<RuntimeError>& error) {
    std::vector<Widget*> candidates;
    for (Widget* widget : control.host.widgets()) {
        switch (widget->kind()) {
        case WidgetKind::OptionButton:
        case WidgetKind::CommandButton:
        case WidgetKind::ComboBox:
            if (widget->canTakeInput())
                candidates.push_back(widget);
            break;
        case WidgetKind::Timer:
            if (widget->enabled())
                candidates.push_back(widget);
            break;
        default:
            break;
        }
    }
    auto below = [&](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
    };
    Widget& widget = *candidates[below(candidates.size())];
    if (widget.kind() == WidgetKind::Timer) {
        error = control.host.tick(widget);
        return "tick " + widget.name();
    }
    if (widget.kind() == WidgetKind::ComboBox) {
        const auto& items = static_cast<ComboBox&>(widget).items();
        const std::string item = items[below(items.size())];
        error = control.host.pick(widget, item);
        return "pick " + widget.name() + " " + item;
    }
    error = control.host.click(widget);
    return "click " + widget.name();
}

// Long random sessions, each from its own seed and its own "today", checking after every action
// that the surface is in one of its states and that no error escapes but the refusal of a birth
// before the pregnancy.
TEST(Soak, RandomSessionsKeepTheSurfaceConsistent) {
    constexpr unsigned seeds = 100;
    constexpr int actionsPerSeed = 1500;
    int refusals = 0;
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        std::mt19937 random(seed);
        const int today = std::uniform_int_distribution<int>(32874, 43830)(random); // 1990-2019
        FixedClock clock(today);
        Moravine control(clock);
        CalculateEddWriter writer(control.host, control.surface.ComCalcEDD, control.surface.Timer3);
        ASSERT_FALSE(control.initialize());
        std::vector<std::string> log;
        for (int step = 0; step < actionsPerSeed; ++step) {
            std::optional<RuntimeError> error;
            log.push_back(randomAction(control, random, error));
            auto history = [&] {
                std::string text;
                for (std::size_t i = log.size() > 12 ? log.size() - 12 : 0; i < log.size(); ++i)
                    text += "\n  " + log[i];
                return "seed " + std::to_string(seed) + ", action " + std::to_string(step) +
                       ", the last actions:" + text;
            };
            if (error) {
                ASSERT_EQ(std::string(error->what()),
                          "date of birth is before the start of the pregnancy")
                    << history();
                ++refusals;
            }
            const auto broken = brokenInvariant(control, writer);
            ASSERT_FALSE(broken) << *broken << "\n" << history();
        }
    }
    RecordProperty("actions", static_cast<int>(seeds) * actionsPerSeed);
    RecordProperty("refusals", refusals);
    EXPECT_GT(refusals, 0); // the sessions reach the one error the control may report
}

} // namespace
} // namespace ruvo
