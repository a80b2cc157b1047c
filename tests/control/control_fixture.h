#pragma once

#include "control/moravine.h"
#include "dating/clock.h"
#include "dating/date_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace ruvo::testing {

// The four states the result panels move between.
enum class SurfaceState { Ready, EddShown, BirthDateAsked, GestationShown };

std::string_view stateName(SurfaceState);

enum class CalculateEddButton { Checked, Ignored };

// The state the result panels show, or nothing when they show none of the four. "Calculate EDD"
// can be left out of the comparison where a blinking prompt has moved it.
std::optional<SurfaceState> surfaceState(const Surface&,
                                         CalculateEddButton = CalculateEddButton::Checked);

// The widgets whose Enabled, colour or caption differ from the input configuration that the mode
// and scan-data options select; empty when they all agree.
std::vector<std::string> configurationMismatches(const Surface&);

// The day list's items are the days of the month its month list shows.
bool dayListFollowsMonth(const ComboBox& month, const ComboBox& day);

// A control started on a fixed day, with helpers that act as the user and fail the test when the
// control refuses.
class ControlTest : public ::testing::Test {
  public:
    explicit ControlTest(const char* today = "7 December 2006");

    void click(Widget& widget);
    void pick(ComboBox& list, std::string_view item);
    void tick(Timer& timer);
    // Picks day, month and year in the order a user would: the month first, since it resets the
    // day list.
    void pickDate(ComboBox& day, ComboBox& month, ComboBox& year, std::string_view dayText,
                  std::string_view monthText, std::string_view yearText);
    void pickScanDate(std::string_view day, std::string_view month, std::string_view year);

    FixedClock clock;
    Moravine control{clock};
    Surface& s = control.surface;
};

} // namespace ruvo::testing
