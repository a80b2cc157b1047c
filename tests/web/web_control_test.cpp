// The web element's control, without a browser: what the element is told, and when.
#include "hosting/web/web_control.h"

#include "control/core/surface_colors.h"
#include "dating/date_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ruvo::web {
namespace {

view::SystemPalette classicPalette() {
    view::SystemPalette palette;
    palette.colors.fill({192, 192, 192});
    palette.colors[5] = {255, 255, 255};
    palette.colors[8] = {0, 0, 0};
    palette.colors[9] = {255, 255, 255};
    return palette;
}

class WebControlTest : public ::testing::Test {
  protected:
    WebControl makeControl(view::SystemPalette palette = classicPalette()) {
        return WebControl(parseDate("7 December 2006"), palette, 1000,
                          {.changed = [this](const Widget& widget,
                                             WidgetChange) { changed.push_back(widget.name()); },
                           .moveFocus =
                               [this](const Widget* widget) {
                                   moves.push_back(widget ? widget->name() : "surface");
                               },
                           .resultsChanged =
                               [this](const view::HostResults& results) {
                                   edds.push_back(results.edd ? isoDate(*results.edd) : "");
                               }});
    }

    void scanWithCrownRumpLength45(WebControl& control, double now) {
        for (auto [list, item] : {std::pair{"DDVal", "45"},
                                  {"DDLSDateM", "April"},
                                  {"DDLSDateD", "6"},
                                  {"DDLSDateY", "2006"}}) {
            if (list == std::string("DDVal")) {
                EXPECT_TRUE(control.click("OptCRL", now, true).empty());
            }
            EXPECT_TRUE(control.pick(list, item, now, true).empty()) << list;
        }
    }

    std::vector<std::string> changed;
    std::vector<std::string> moves;
    std::vector<std::string> edds;
};

TEST_F(WebControlTest, TheElementShowsEveryWidgetButTheTimersFramesBeforeTheirChildren) {
    WebControl control = makeControl();
    const std::vector<Widget*> shown = control.widgetsInOrder();
    EXPECT_EQ(shown.size(), 42u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_NE(shown[i]->kind(), WidgetKind::Timer);
        const Widget* parent = shown[i]->parent();
        if (parent->kind() == WidgetKind::Frame) {
            const auto at = std::find(shown.begin(), shown.end(), parent) - shown.begin();
            EXPECT_LT(static_cast<std::size_t>(at), i) << shown[i]->name();
        }
    }
}

TEST_F(WebControlTest, AWidgetKeepsThePagesColoursUnlessItHasItsOwnAndTextStaysReadable) {
    WebControl control = makeControl();
    using Colors = std::pair<std::string, std::string>;
    EXPECT_EQ(control.colorsOf(control.widget("ComCalcEDD")), Colors());
    EXPECT_EQ(control.colorsOf(control.widget("DDLSDateM")).first, "#ffc0c0");
    EXPECT_EQ(control.colorsOf(control.widget("LabEDD")), (Colors{"#ffffff", "#c00000"}));
    // A scheme whose title-bar text is dark gives the result the window's colour instead.
    view::SystemPalette dark = classicPalette();
    dark.colors[9] = {40, 0, 0};
    WebControl darkControl = makeControl(dark);
    EXPECT_EQ(darkControl.colorsOf(darkControl.widget("LabEDD")).first, "#ffffff");
}

TEST_F(WebControlTest, TicksDueBeforeAClickRunBeforeItAndTheTimerWaitsForTheNext) {
    WebControl control = makeControl();
    EXPECT_TRUE(control.initialize(1000).empty());
    double now = 1000;
    while (const auto wait = control.untilNextTick())
        EXPECT_TRUE(control.tick(now += *wait, false).empty());
    EXPECT_TRUE(control.pick("DDLSDateM", "April", now, false).empty());
    const auto wait = control.untilNextTick();
    ASSERT_TRUE(wait.has_value());
    // The page's timer is late: the click comes after the tick fell due, which runs first.
    changed.clear();
    EXPECT_TRUE(control.click("OptLMP", now + *wait + 1, false).empty());
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.front(), "ComCalcEDD");
}

TEST_F(WebControlTest, TheFocusRuleMovesTheFocusOnlyWhileTheFocusIsInside) {
    WebControl control = makeControl();
    EXPECT_TRUE(control.initialize(0).empty());
    scanWithCrownRumpLength45(control, 0);
    double now = 0;
    while (const auto wait = control.untilNextTick())
        EXPECT_TRUE(control.tick(now += *wait, false).empty());
    edds.clear();
    control.userFocused("ComCalcEDD");
    // The page has the focus: "Calculate EDD" hides itself, and the focus stays where it is.
    EXPECT_TRUE(control.click("ComCalcEDD", now, false).empty());
    EXPECT_TRUE(moves.empty());
    EXPECT_EQ(edds, std::vector<std::string>{"2006-10-26"});

    // Inside: "Yes" puts the focus on the month of birth, as the control says, and "Calculate
    // gestation" hands it to the result it shows.
    EXPECT_TRUE(control.click("OptYes", now, true).empty());
    control.userFocused("ComCalcGest");
    EXPECT_TRUE(control.click("ComCalcGest", now, true).empty());
    EXPECT_EQ(moves, (std::vector<std::string>{"DDDOBDateM", "LabGest"}));
}

TEST_F(WebControlTest, ARefusedPickIsReportedAndTheControlStaysUsable) {
    WebControl control = makeControl();
    EXPECT_TRUE(control.initialize(0).empty());
    const std::vector<std::string> errors = control.pick("DDUSW", "12", 0, false);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors.front().find("cannot take input"), std::string::npos) << errors.front();
    EXPECT_EQ(control.pick("NoSuchList", "1", 0, false).size(), 1u);
    scanWithCrownRumpLength45(control, 0);
    EXPECT_EQ(control.keyTarget("ComCalcEDD", view::Key::Enter), &control.widget("ComCalcEDD"));
    EXPECT_EQ(control.keyTarget("DDVal", view::Key::Down), nullptr);
}

} // namespace
} // namespace ruvo::web
