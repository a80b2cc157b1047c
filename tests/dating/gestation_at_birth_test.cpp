#include "dating/gestation_at_birth.h"

#include "dating/date_text.h"
#include "host/runtime_error.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

std::string caption(const char* edd, const char* dateOfBirth) {
    return gestationCaption(gestationAtBirth(parseDate(edd), parseDate(dateOfBirth)));
}

TEST(GestationAtBirth, GivesEveryWorkedExample) {
    EXPECT_EQ(caption("26 October 2006", "20 October 2006"), "39 weeks 1 days");
    EXPECT_EQ(caption("26 October 2006", "26 October 2006"), "40 weeks 0 days");
    EXPECT_EQ(caption("26 October 2006", "2 November 2006"), "41 weeks 0 days");
    EXPECT_EQ(caption("26 October 2006", "1 June 2006"), "19 weeks 0 days");
}

TEST(GestationAtBirth, CountsWholeDaysAroundTheEdd) {
    EXPECT_EQ(caption("26 October 2006", "25 October 2006"), "39 weeks 6 days");
    EXPECT_EQ(caption("26 October 2006", "27 October 2006"), "40 weeks 1 days");
    EXPECT_EQ(caption("8 March 2008", "1 March 2008"), "39 weeks 0 days"); // across 29 February
    EXPECT_EQ(gestationAtBirth(parseDate("26 October 2006"), parseDate("20 October 2006")),
              (GestationAtBirth{274, 39, 1}));
}

TEST(GestationAtBirth, ABirthOnTheFirstDayOfThePregnancyIsZero) {
    const Date edd = parseDate("26 October 2006");
    EXPECT_EQ(gestationCaption(gestationAtBirth(edd, edd - 280)), "0 weeks 0 days");
    EXPECT_EQ(gestationCaption(gestationAtBirth(edd, edd - 274)), "0 weeks 6 days");
    EXPECT_EQ(gestationCaption(gestationAtBirth(edd, edd - 273)), "1 weeks 0 days");
}

TEST(GestationAtBirth, RefusesABirthBeforeThePregnancyBegan) {
    const Date edd = parseDate("26 October 2006");
    for (int daysBefore : {281, 298, 10000}) {
        try {
            gestationAtBirth(edd, edd - daysBefore);
            ADD_FAILURE() << daysBefore << " days before the EDD gave a gestation";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::InvalidArgument);
            EXPECT_STREQ(error.what(), "date of birth is before the start of the pregnancy");
        }
    }
}

TEST(GestationAtBirth, OverflowsOutsideSixteenBits) {
    const Date edd = parseDate("1 January 2000");
    EXPECT_EQ(gestationAtBirth(edd, edd + 32487).totalDays, 32767);
    for (double dateOfBirth : {edd + 32488, edd + 40000, edd - 40000}) {
        try {
            gestationAtBirth(edd, dateOfBirth);
            ADD_FAILURE() << dateOfBirth << " gave a gestation";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Overflow);
        }
    }
}

} // namespace
} // namespace ruvo
