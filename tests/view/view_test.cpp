#include "control/control_fixture.h"

#include "hosting/view/accessibility.h"
#include "hosting/view/colors.h"
#include "hosting/view/firewall.h"
#include "hosting/view/focus_rule.h"
#include "hosting/view/geometry.h"
#include "hosting/view/host_results.h"
#include "hosting/view/keyboard.h"
#include "hosting/view/tab_order.h"

#include "control/core/widget_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <vector>

namespace ruvo::view {
namespace {

using ruvo::testing::ControlTest;

TEST(ViewGeometry, TheSurfaceAtEveryScaleAndFont) {
    struct Case {
        ViewScale scale;
        PixelRect surface;
        PixelRect calculateEdd; // 6600, 3000, 1935 x 375 twips
    };
    const Case cases[] = {
        {{96, 1}, {0, 0, 581, 361}, {440, 200, 129, 25}},
        {{144, 1}, {0, 0, 872, 542}, {660, 300, 194, 38}},
        {{192, 1}, {0, 0, 1162, 722}, {880, 400, 258, 50}},
        {ViewScale::forFont(96, 16), {0, 0, 1162, 722}, {880, 400, 258, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale.dotsPerInch * c.scale.fontFactor);
        EXPECT_EQ(toPixels(moravineGeometry, c.scale), c.surface);
        EXPECT_EQ(toPixels(Geometry{6600, 3000, 1935, 375}, c.scale), c.calculateEdd);
    }
}

// Edges are rounded, not sizes: "Cancel and RESTART" ends where a widget starting at its right
// edge begins, at any scale.
// Windows gives a font's height in pixels; it counts to the nearest point.
TEST(ViewGeometry, AFontInPixelsCountsToTheNearestPoint) {
    EXPECT_EQ(ViewScale::forFontPixels(96, 11).fontFactor, 1);   // 8 points: the design's
    EXPECT_EQ(ViewScale::forFontPixels(144, 16).fontFactor, 1);  // 8 points at 1.5x
    EXPECT_EQ(ViewScale::forFontPixels(96, 16).fontFactor, 1.5); // 12 points
    EXPECT_EQ(ViewScale::forFontPixels(96, 21).fontFactor, 2);   // 16 points
    EXPECT_EQ(ViewScale::forFontPixels(120, 11).dotsPerInch, 120);
}

TEST(ViewGeometry, NeighboursThatTouchInTwipsTouchOnScreen) {
    for (double dpi : {96.0, 120.0, 144.0, 168.0}) {
        const PixelRect left = toPixels(Geometry{6600, 2490, 1935, 375}, {dpi, 1});
        const PixelRect right = toPixels(Geometry{8535, 2490, 100, 375}, {dpi, 1});
        EXPECT_EQ(left.left + left.width, right.left) << dpi;
    }
}

// A host font wider than the design's grows the surface, by the least step at which everything
// fits, and never beyond twice the font's own scale.
TEST(ViewGeometry, AWideFontGrowsTheSurfaceUntilItsTextsFit) {
    const ViewScale font = ViewScale::forFont(96, 12);
    std::vector<double> tried;
    const ViewScale fitted = font.fitting([&](ViewScale scale) {
        tried.push_back(scale.fontFactor);
        return toPixels(1575, scale) >= 172; // "Ultrasound-based" needing 172 pixels
    });
    EXPECT_EQ(tried.front(), 1.5);
    EXPECT_EQ(toPixels(1575, fitted), 172); // 1.5 x 35/32: the first step that fits
    EXPECT_EQ(fitted.fontFactor, 1.5 * 35 / 32);
    EXPECT_EQ(tried.size(), 4u);
    EXPECT_EQ(font.fitting([](ViewScale) { return true; }).fontFactor, 1.5);
    EXPECT_EQ(font.fitting([](ViewScale) { return false; }).fontFactor, 3.0);
}

TEST(ViewColors, PlainColoursPassAsTheyAreAndSystemColoursComeFromThePalette) {
    SystemPalette palette;
    palette.colors[0] = {200, 200, 200};
    EXPECT_EQ(resolve(rgb(255, 192, 192), palette), (Rgb{255, 192, 192}));
    EXPECT_EQ(resolve(rgb(255, 224, 192), palette), (Rgb{255, 224, 192}));
    EXPECT_EQ(resolve(systemColor(0), palette), (Rgb{200, 200, 200}));
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio({192, 0, 0}, {192, 0, 0}), 1.0, 1e-9);
}

// The results are dark red on the title-bar text colour: white in the standard scheme, black in
// others, where the text takes the window colour behind it instead.
TEST(ViewColors, TextBelowTheMinimumContrastTakesTheWindowColour) {
    SystemPalette palette;
    palette.colors[5] = {255, 255, 255};
    palette.colors[9] = {255, 255, 255};
    const TextColors onWhite = readableColors(systemColor(9), rgb(192, 0, 0), palette);
    EXPECT_EQ(onWhite, (TextColors{{255, 255, 255}, {192, 0, 0}}));
    palette.colors[9] = {0, 0, 0};
    const TextColors onBlack = readableColors(systemColor(9), rgb(192, 0, 0), palette);
    EXPECT_EQ(onBlack, (TextColors{{255, 255, 255}, {192, 0, 0}}));
    EXPECT_GE(contrastRatio(onBlack.back, onBlack.fore), minimumTextContrast);
}

// The ring stands out from the surface and the widget inside it in every scheme: a pale
// highlight on a light scheme, a highlight as dark as the surface, a pink list.
TEST(ViewColors, TheFocusRingStandsOutByThreeToOneFromBothSides) {
    SystemPalette light;
    light.colors[15] = {240, 240, 240};
    light.colors[13] = {0, 120, 215};
    light.colors[8] = {0, 0, 0};
    EXPECT_EQ(focusRingColor(light, {255, 255, 255}), (Rgb{0, 120, 215}));
    SystemPalette pale = light;
    pale.colors[13] = {173, 216, 230};
    EXPECT_EQ(focusRingColor(pale, {255, 192, 192}), (Rgb{0, 0, 0}));
    SystemPalette dark;
    dark.colors[15] = {53, 53, 53};
    dark.colors[13] = {30, 50, 80};
    dark.colors[8] = {60, 60, 60};
    const Rgb ring = focusRingColor(dark, {53, 53, 53});
    EXPECT_GE(contrastRatio(ring, dark.colors[15]), minimumFocusContrast);
    EXPECT_EQ(ring, (Rgb{255, 255, 255}));
}

class ViewTest : public ControlTest {};

TEST_F(ViewTest, TabVisitsEveryInputAndBothResultsByTabIndex) {
    std::string order;
    for (const Widget* widget : tabOrder(control.host))
        order += widget->name() + " ";
    EXPECT_EQ(order, "DDUSD DDUSW OptFB OptDG DDDOBDateM DDDOBDateY DDDOBDateD DDLSDateM "
                     "DDLSDateD DDLSDateY OptNo OptYes DDVal ComCalcGest LabGest ComRestart "
                     "ComCalcEDD LabEDD OptHC OptBPD OptCRL OptUS OptLMP ");
}

// Where Tab enters an option group at its selected button, each group is one stop, which follows
// the selection; a group with none selected is entered at its first button.
TEST_F(ViewTest, TabByGroupStopsOnceAGroupAtItsSelectedButton) {
    const auto stops = [&] {
        std::string order;
        for (const Widget* widget : tabOrderByGroup(control.host))
            order += widget->name() + " ";
        return order;
    };
    EXPECT_EQ(stops(), "DDUSD DDUSW OptFB DDDOBDateM DDDOBDateY DDDOBDateD DDLSDateM DDLSDateD "
                       "DDLSDateY OptNo DDVal ComCalcGest LabGest ComRestart ComCalcEDD LabEDD "
                       "OptBPD OptUS ");
    click(s.OptCRL);
    click(s.OptLMP);
    s.OptNo.setValue(false);
    s.FrameQDOB.setVisible(true);
    EXPECT_EQ(stops(), "DDUSD DDUSW OptFB DDDOBDateM DDDOBDateY DDDOBDateD DDLSDateM DDLSDateD "
                       "DDLSDateY OptYes DDVal ComCalcGest LabGest ComRestart ComCalcEDD LabEDD "
                       "OptCRL OptLMP ");
}

// A walk through nested containers, siblings in stacking order and each frame's children where the
// frame stands, meets the inputs in the tab order.
void walk(const Widget& parent, const std::vector<Widget*>& stacking,
          const std::vector<Widget*>& inputs, std::vector<Widget*>& met) {
    for (Widget* widget : stacking) {
        if (widget->parent() != &parent)
            continue;
        if (widget->kind() == WidgetKind::Frame)
            walk(*widget, stacking, inputs, met);
        else if (std::find(inputs.begin(), inputs.end(), widget) != inputs.end())
            met.push_back(widget);
    }
}

TEST_F(ViewTest, StackingSiblingsByTabIndexTabsThroughFramesInTheTabOrder) {
    std::vector<Widget*> met;
    walk(control.host.control(), stackingOrder(control.host), tabOrder(control.host), met);
    EXPECT_EQ(met, tabOrder(control.host));
    EXPECT_EQ(stackingOrder(control.host).size(), 45u);
}

std::string_view roleName(Role role) {
    switch (role) {
    case Role::Client:
        return "client";
    case Role::Grouping:
        return "grouping";
    case Role::StaticText:
        return "static text";
    case Role::ResultText:
        return "result text";
    case Role::RadioButton:
        return "radio button";
    case Role::ComboBox:
        return "combo box";
    case Role::PushButton:
        return "push button";
    case Role::Graphic:
        return "graphic";
    case Role::None:
        break;
    }
    return "none";
}

std::string accessibilityTree(const WidgetHost& host) {
    std::string text;
    for (const Widget* widget : host.widgets()) {
        const Accessible a = accessibleOf(*widget);
        text += widget->name() + ": " + std::string(roleName(a.role)) + " \"" + a.name + "\"";
        if (!a.description.empty())
            text += ", described by \"" + a.description + "\"";
        if (!a.value.empty())
            text += ", value \"" + a.value + "\"";
        text += "\n";
    }
    return text;
}

// Roles, names and relations of all 45 widgets, with an EDD on view, compared with
// tests/view/golden/accessibility.txt (RUVO_UPDATE_GOLDEN=1 writes it).
TEST_F(ViewTest, EveryWidgetHasItsRoleNameAndRelations) {
    click(s.OptCRL);
    pick(s.DDVal, "45");
    pickScanDate("6", "April", "2006");
    click(s.ComCalcEDD);
    const std::string tree = accessibilityTree(control.host);
    const std::string path = std::string(RUVO_VIEW_GOLDEN_DIR) + "/accessibility.txt";
    if (std::getenv("RUVO_UPDATE_GOLDEN")) {
        std::ofstream(path) << tree;
        return;
    }
    std::ifstream file(path);
    std::stringstream golden;
    golden << file.rdbuf();
    EXPECT_EQ(tree, golden.str()) << "differs from " << path;
}

// A name stays while a prompt blinks the caption away, and follows the surface where it should.
TEST_F(ViewTest, NamesFollowTheSurfaceNotTheBlinking) {
    EXPECT_EQ(accessibleOf(s.DDLSDateM).name, "Date of Ultrasound scan, Month");
    EXPECT_EQ(accessibleOf(s.DDVal).name, "Biparietal diameter, mm");
    click(s.OptHC);
    EXPECT_EQ(accessibleOf(s.DDVal).name, "Head circumference, mm");
    click(s.OptLMP);
    EXPECT_EQ(accessibleOf(s.DDLSDateM).name, "Date of LMP, Month");
    click(s.ComCalcEDD);
    tick(s.Timer1); // the question and "Yes" blank
    ASSERT_EQ(s.OptYes.caption(), "");
    EXPECT_EQ(accessibleOf(s.OptYes).name, "Yes");
    EXPECT_EQ(accessibleOf(s.OptYes).description, "Calculate length of gestation at birth?");
    EXPECT_EQ(accessibleOf(s.FrameQDOB).name, "Calculate length of gestation at birth?");
    EXPECT_EQ(accessibleOf(s.LabEDD).value, s.LabEDD.caption());
}

class FocusRuleTest : public ControlTest {
  public:
    FocusRuleTest() {
        rule.onMove = [this](const Widget* widget) {
            moves += (widget ? widget->name() : std::string("surface")) + " ";
        };
    }
    FocusRule rule{control.host};
    std::string moves;
};

// After "Calculate EDD" and "Calculate gestation" the focus goes to the result just shown.
TEST_F(FocusRuleTest, APressedButtonThatHidesHandsTheFocusToItsResult) {
    rule.userMoved(&s.ComCalcEDD);
    click(s.ComCalcEDD);
    EXPECT_EQ(rule.focus(), &s.LabEDD);
    rule.userMoved(&s.OptYes);
    click(s.OptYes);
    EXPECT_EQ(rule.focus(), &s.DDDOBDateM) << "Yes puts the focus on the month list";
    rule.userMoved(&s.ComCalcGest);
    click(s.ComCalcGest);
    EXPECT_EQ(rule.focus(), &s.LabGest);
    EXPECT_EQ(moves, "LabEDD DDDOBDateM LabGest ");
}

// A prompt blinks "Calculate EDD" away: the focus waits on the surface, where no key changes
// anything, and comes back with the button.
TEST_F(FocusRuleTest, AButtonBlinkedAwayGetsTheFocusBackWhenItShows) {
    pick(s.DDVal, "40");
    rule.userMoved(&s.ComCalcEDD);
    tick(s.Timer3);
    EXPECT_EQ(rule.focus(), nullptr);
    tick(s.Timer3);
    EXPECT_EQ(rule.focus(), &s.ComCalcEDD);
    EXPECT_EQ(moves, "surface ComCalcEDD ");
}

TEST_F(FocusRuleTest, AUserWhoMovedTheFocusKeepsIt) {
    pick(s.DDVal, "40");
    rule.userMoved(&s.ComCalcEDD);
    tick(s.Timer3);
    rule.userMoved(&s.OptHC);
    tick(s.Timer3);
    EXPECT_EQ(rule.focus(), &s.OptHC);
    EXPECT_EQ(moves, "surface ");
}

TEST_F(FocusRuleTest, AResultWithdrawnOrAnInputDisabledLeavesTheFocusOnTheSurface) {
    click(s.ComCalcEDD);
    rule.userMoved(&s.LabEDD);
    pick(s.DDVal, "41");
    EXPECT_EQ(rule.focus(), nullptr);
    rule.userMoved(&s.DDVal);
    click(s.OptLMP);
    EXPECT_EQ(rule.focus(), nullptr);
    rule.userMoved(&s.DDLSDateD);
    pick(s.DDLSDateD, "5"); // the focused input stays usable: the focus stays
    EXPECT_EQ(rule.focus(), &s.DDLSDateD);
    EXPECT_EQ(moves, "surface surface ");
}

TEST_F(ViewTest, TheHostSeesTheResultsOnView) {
    std::vector<HostResults> changes;
    ResultsWatcher watcher(control, [&](const HostResults& r) { changes.push_back(r); });
    EXPECT_EQ(watcher.results(), HostResults{});
    click(s.OptCRL);
    pick(s.DDVal, "45");
    pickScanDate("6", "April", "2006");
    EXPECT_TRUE(changes.empty());
    click(s.ComCalcEDD);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].edd, parseDate("26 October 2006"));
    EXPECT_EQ(methodKey(*changes[0].method), "crl");
    EXPECT_EQ(changes[0].methodValue, "45");
    EXPECT_EQ(changes[0].source, record::EddSource(record::ScanMeasurement{
                                     Measurement::CrownRumpLength, 45, parseDate("6 April 2006")}));
    EXPECT_EQ(changes[0].calculatedOn, clock.today());
    EXPECT_FALSE(changes[0].gestationAtBirthDays);
    click(s.OptYes);
    pick(s.DDDOBDateD, "20");
    EXPECT_EQ(changes.size(), 1u) << "nothing the host sees has changed";
    // The EDD keeps the day it was calculated on as the days go by.
    const Date calculatedOn = clock.today();
    clock.setToday(calculatedOn + 1);
    click(s.ComCalcGest);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].gestationAtBirthDays, 274);
    EXPECT_EQ(changes[1].dateOfBirth, parseDate("20 October 2006"));
    EXPECT_EQ(changes[1].calculatedOn, calculatedOn);
    pick(s.DDVal, "46");
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[2], HostResults{});
}

TEST_F(ViewTest, EveryMethodNamesItsValue) {
    click(s.OptDG);
    pick(s.DDUSW, "12");
    pick(s.DDUSD, "3");
    click(s.ComCalcEDD);
    EXPECT_EQ(resultsOnView(control).method, EddMethod::Derived);
    EXPECT_EQ(resultsOnView(control).methodValue, "12 weeks 3 days");
    EXPECT_EQ(resultsOnView(control).source,
              record::EddSource(record::ScanGestation{87, parseDate("1 January 2000")}));
    click(s.OptLMP);
    click(s.ComCalcEDD);
    EXPECT_EQ(resultsOnView(control).method, EddMethod::Lmp);
    EXPECT_EQ(resultsOnView(control).methodValue, "1 January 2000");
    EXPECT_EQ(resultsOnView(control).source,
              record::EddSource(record::LastMenstrualPeriod{parseDate("1 January 2000")}));
    click(s.OptUS);
    click(s.OptHC);
    click(s.ComCalcEDD);
    EXPECT_EQ(methodKey(*resultsOnView(control).method), "hc");
}

TEST_F(ViewTest, KeysWorkAsOnANativeForm) {
    EXPECT_EQ(keyTarget(s.ComCalcEDD, Key::Enter), &s.ComCalcEDD);
    EXPECT_EQ(keyTarget(s.ComCalcEDD, Key::Space), &s.ComCalcEDD);
    EXPECT_EQ(keyTarget(s.ComCalcEDD, Key::Down), nullptr);
    // Measurement options top to bottom: crown rump length, biparietal diameter, head
    // circumference; the arrows wrap round.
    EXPECT_EQ(keyTarget(s.OptBPD, Key::Down), &s.OptHC);
    EXPECT_EQ(keyTarget(s.OptBPD, Key::Up), &s.OptCRL);
    EXPECT_EQ(keyTarget(s.OptHC, Key::Right), &s.OptCRL);
    EXPECT_EQ(keyTarget(s.OptCRL, Key::Left), &s.OptHC);
    EXPECT_EQ(keyTarget(s.OptFB, Key::Down), &s.OptDG) << "Fetal biometry stands above";
    EXPECT_EQ(keyTarget(s.OptBPD, Key::Space), &s.OptBPD);
    EXPECT_EQ(keyTarget(s.OptBPD, Key::Enter), nullptr);
    EXPECT_EQ(keyTarget(s.DDVal, Key::Down), nullptr) << "a list's keys are its own";
    click(s.OptLMP); // the measurement options are disabled now
    EXPECT_EQ(keyTarget(s.OptBPD, Key::Down), nullptr);
    EXPECT_EQ(keyTarget(s.OptLMP, Key::Down), &s.OptUS);
}

TEST(ViewFirewall, NothingEscapes) {
    EXPECT_EQ(guarded([] { return std::optional<RuntimeError>(); }), std::nullopt);
    EXPECT_EQ(guarded([] { return std::optional(RuntimeError(ErrorKind::Overflow, "too big")); }),
              "too big");
    EXPECT_EQ(guarded([]() -> std::optional<RuntimeError> { throw std::bad_alloc(); }),
              "the control ran out of memory");
    EXPECT_EQ(guarded([]() -> std::optional<RuntimeError> { throw std::logic_error("odd"); }),
              "odd");
    EXPECT_EQ(guarded([]() -> std::optional<RuntimeError> { throw 42; }),
              "the control failed unexpectedly");
}

} // namespace
} // namespace ruvo::view
