// The presenter on a sink that writes down what a toolkit is told, on a manual toolkit clock.
#include "hosting/view/presenter.h"

#include "dating/date_text.h"
#include "host/combo_box.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ruvo::view {
namespace {

using namespace std::chrono_literals;

class RecordingSink final : public ViewSink {
  public:
    // What the toolkit was told since the last call, a line each.
    std::string calls() { return std::exchange(m_calls, {}); }

    std::chrono::milliseconds now{5000ms};
    FocusPlace focus;
    bool reduceMotion = false;
    // Every character of a text this wide, in pixels: the design font's is narrower than 6.
    int characterWidth = 5;

    void createView(const Widget&) override {}
    void placeView(const Widget& widget, const PixelRect& rect) override {
        if (widget.kind() == WidgetKind::UserControl)
            surface = {rect.width, rect.height};
    }
    void showCaption(const Widget& w, const std::string& caption) override {
        write(w, "caption \"" + caption + "\"");
    }
    void showVisible(const Widget& w, bool visible) override {
        write(w, visible ? "shown" : "hidden");
    }
    void showEnabled(const Widget& w, bool enabled) override {
        write(w, enabled ? "enabled" : "disabled");
    }
    void showChecked(const Widget& w, bool checked) override {
        write(w, checked ? "checked" : "unchecked");
    }
    void showSelection(const Widget& w, std::optional<std::size_t> index) override {
        write(w, "selects " + (index ? std::to_string(*index) : std::string("nothing")));
    }
    void showItemAdded(const Widget&, const std::string&) override {}
    void showItemsCleared(const Widget&) override {}
    void showColors(const Widget& w, const OwnColors& colors) override { ownColors[&w] = colors; }
    void showTabStop(const Widget& w, bool stop) override {
        write(w, stop ? "tab stop" : "no tab stop");
    }
    void showAccessible(const Widget&, const Accessible&) override {}
    void noticeTextChange(const Widget& w, const std::string&, const std::string& shown) override {
        write(w, "text now \"" + shown + "\"");
    }
    void announce(const std::string& text) override { m_calls += "announce \"" + text + "\"\n"; }
    FocusPlace focusPlace() const override { return focus; }
    void moveFocus(const Widget* w) override {
        m_calls += "focus " + (w ? w->name() : std::string("surface")) + "\n";
        focus = w;
    }
    std::chrono::milliseconds toolkitTime() const override { return now; }
    void armTimer(std::optional<std::chrono::milliseconds> wait) override {
        timer = wait;
        m_calls += "timer " + (wait ? std::to_string(wait->count()) + " ms" : "off") + "\n";
    }
    bool reducedMotion() const override { return reduceMotion; }
    ViewScale fontScale() const override { return {}; }
    PixelSize measureText(const std::string& text) const override {
        return {characterWidth * static_cast<int>(text.size()), 13};
    }
    PixelSize textArea(const Widget&, PixelSize box) const override { return box; }
    SystemPalette systemPalette() const override { return {}; }
    void reportError(const std::string& message) override {
        m_calls += "error \"" + message + "\"\n";
    }
    void resultsChanged(const HostResults& results, ResultsMoved moved) override {
        m_calls += std::string("results") + (moved.edd ? " edd" : "") +
                   (moved.gestationAtBirth ? " gestation" : "") + " " +
                   (results.edd ? isoDate(*results.edd) : "-") + "\n";
    }

    std::optional<std::chrono::milliseconds> timer;
    PixelSize surface;
    std::map<const Widget*, OwnColors> ownColors;

  private:
    void write(const Widget& w, const std::string& what) {
        m_calls += w.name() + " " + what + "\n";
    }
    std::string m_calls;
};

class PresenterTest : public ::testing::Test {
  protected:
    explicit PresenterTest(bool reduceMotion = false) {
        sink.reduceMotion = reduceMotion;
        presenter.attach(sink);
        EXPECT_FALSE(presenter.initialize());
        waitForPrompts();
        sink.calls();
    }

    Widget& widget(std::string_view name) { return *presenter.control().host.find(name); }

    // The toolkit's timer fires on time until no prompt runs.
    void waitForPrompts() {
        while (sink.timer) {
            sink.now += *sink.timer;
            presenter.timerFired();
        }
    }

    // A scan with a crown rump length of 45 mm on 6 April 2006, prompts waited out.
    void enterTheScan() {
        presenter.click(widget("OptCRL"));
        for (auto [list, item] : {std::pair{"DDVal", "45"},
                                  {"DDLSDateM", "April"},
                                  {"DDLSDateD", "6"},
                                  {"DDLSDateY", "2006"}})
            presenter.pick(widget(list), item);
        waitForPrompts();
        sink.calls();
    }

    FixedClock clock{parseDate("7 December 2006")};
    RecordingSink sink;
    Presenter presenter{clock, 500ms};
};

// The page was busy while "Calculate EDD" blinked: the press it delivers late acts on the button
// as the user saw it, and only then does the tick that fell due meanwhile run.
TEST_F(PresenterTest, APressTheBusyLoopHeldActsOnTheButtonAsShownAndTheLateTickFollows) {
    enterTheScan();
    presenter.pick(widget("DDVal"), "46");
    EXPECT_EQ(sink.timer, 500ms);
    sink.calls();
    sink.now += 750ms; // the loop was busy: the timer could not fire
    presenter.click(widget("ComCalcEDD"));
    EXPECT_EQ(sink.calls(), "LabEDD caption \"25 October 2006\"\n"
                            "FrameEDD shown\n"
                            "FrameQDOB shown\n"
                            "ComCalcEDD hidden\n"
                            "ComCalcEDD shown\n"
                            "LabEDD text now \"25 October 2006\"\n"
                            "results edd 2006-10-25\n"
                            "timer 250 ms\n");
}

TEST_F(PresenterTest, AnInputAHandlerChangedIsAnnouncedOnceAndTheOneTouchedIsNot) {
    presenter.pick(widget("DDLSDateD"), "6");
    EXPECT_EQ(sink.calls().find("announce"), std::string::npos);
    presenter.pick(widget("DDLSDateM"), "April");
    const std::string calls = sink.calls();
    EXPECT_NE(calls.find("announce \"Date of Ultrasound scan, Day, 1\"\n"), std::string::npos)
        << calls;
    EXPECT_EQ(calls.find("announce \"Date of Ultrasound scan, Month"), std::string::npos) << calls;
}

// A tick that would hide the focused button runs the prompt to its end at once instead: the
// toolkit sees neither the blank form nor a move of the focus, so no key is lost.
TEST_F(PresenterTest, APromptNeverBlinksAwayTheFocusedButton) {
    // What the toolkit is told at the prompt's first tick, with the focus on a widget.
    const auto firstTickWithTheFocusOn = [&](const char* focused) {
        presenter.pick(widget("DDVal"), "40");
        presenter.pick(widget("DDVal"), "41");
        sink.focus = &widget(focused);
        sink.calls();
        sink.now += *sink.timer;
        presenter.timerFired();
        return sink.calls();
    };
    EXPECT_EQ(firstTickWithTheFocusOn("ComCalcEDD"), "ComCalcEDD shown\n"
                                                     "timer off\n");
    EXPECT_EQ(firstTickWithTheFocusOn("DDVal"), "ComCalcEDD hidden\n"
                                                "timer 500 ms\n");
}

TEST_F(PresenterTest, TheFocusRuleMovesTheFocusOnlyWhileTheFocusIsInside) {
    enterTheScan();
    sink.focus = std::nullopt; // the host's button has it
    presenter.click(widget("ComCalcEDD"));
    EXPECT_EQ(sink.calls().find("focus"), std::string::npos);
    waitForPrompts();
    sink.focus = &widget("OptYes");
    presenter.click(widget("OptYes"));
    EXPECT_NE(sink.calls().find("focus DDDOBDateM\n"), std::string::npos);
    // Hiding the focused widget parks the focus on the surface before the view goes.
    sink.focus = &widget("ComCalcGest");
    presenter.click(widget("ComCalcGest"));
    const std::string calls = sink.calls();
    EXPECT_NE(calls.find("focus surface\nComCalcGest hidden\n"), std::string::npos) << calls;
    EXPECT_NE(calls.find("focus LabGest\n"), std::string::npos) << calls;
}

TEST_F(PresenterTest, TabStopsOncePerGroupAtItsSelectedButton) {
    presenter.click(widget("OptCRL"));
    const std::string moved = sink.calls();
    EXPECT_NE(moved.find("OptCRL tab stop\n"), std::string::npos) << moved;
    EXPECT_NE(moved.find("OptBPD no tab stop\n"), std::string::npos) << moved;
    EXPECT_EQ(moved.find("OptHC tab"), std::string::npos) << moved;
}

TEST_F(PresenterTest, ARefusedPickIsReportedAndTheListShowsTheModelsItem) {
    presenter.pick(widget("DDUSW"), "12"); // disabled while a measurement is chosen
    EXPECT_EQ(sink.calls(), "DDUSW selects 11\n"
                            "DDUSW disabled\n"
                            "timer off\n"
                            "error \"DDUSW cannot take input while it is hidden or disabled\"\n");
}

TEST_F(PresenterTest, WidgetsKeepTheToolkitsColoursUnlessTheTreeGivesThemTheirOwn) {
    EXPECT_EQ(sink.ownColors.at(&widget("ComCalcEDD")), OwnColors{});
    EXPECT_TRUE(sink.ownColors.at(&widget("DDLSDateM")).back);
    EXPECT_FALSE(sink.ownColors.at(&widget("DDLSDateM")).fore);
}

// A font wider than the design's grows the surface until the widest text fits, at most to twice
// the font's own scale.
TEST_F(PresenterTest, AWideFontGrowsTheSurfaceUntilEveryTextFits) {
    presenter.layOut();
    EXPECT_EQ(sink.surface, (PixelSize{581, 361}));
    sink.characterWidth = 7;
    presenter.layOut();
    EXPECT_GT(presenter.scale().fontFactor, 1);
    EXPECT_LT(presenter.scale().fontFactor, 2);
    EXPECT_GT(sink.surface.width, 581);
    sink.characterWidth = 100;
    presenter.layOut();
    EXPECT_EQ(presenter.scale().fontFactor, 2);
}

class ReducedMotionTest : public PresenterTest {
  protected:
    ReducedMotionTest() : PresenterTest(true) {}
};

TEST_F(ReducedMotionTest, PromptsRunToTheirEndAtOnceAndNothingBlinks) {
    presenter.pick(widget("DDVal"), "40");
    presenter.click(widget("ComCalcEDD"));
    const std::string calls = sink.calls();
    EXPECT_EQ(calls.find("OptYes caption \"\""), std::string::npos) << calls;
    EXPECT_EQ(calls.find("timer 500"), std::string::npos) << calls;
    EXPECT_EQ(presenter.control().state.Tick1, 4);
    EXPECT_EQ(sink.timer, std::nullopt);
}

} // namespace
} // namespace ruvo::view
