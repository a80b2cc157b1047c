#include "dating/date_text.h"

#include "host/runtime_error.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace ruvo {
namespace {

Date day(int year, int month, int dayOfMonth) {
    return dateFromCivil({year, month, dayOfMonth});
}

TEST(Datenice, WritesDayMonthNameAndYear) {
    EXPECT_EQ(datenice(day(2006, 10, 26)), "26 October 2006");
    EXPECT_EQ(datenice(day(2007, 3, 8)), "8 March 2007");
    EXPECT_EQ(datenice(day(2007, 1, 1)), "1 January 2007");
    EXPECT_EQ(datenice(day(1999, 12, 31)), "31 December 1999");
    EXPECT_EQ(datenice(day(2008, 2, 29)), "29 February 2008");
    EXPECT_EQ(datenice(day(100, 1, 1)), "1 January 100");
    EXPECT_EQ(datenice(day(9999, 12, 31)), "31 December 9999");
}

TEST(Datenice, IgnoresTheTimeOfDay) {
    EXPECT_EQ(datenice(day(2006, 10, 26) + 0.75), "26 October 2006"); // 18:00
    EXPECT_EQ(datenice(-1.25), "29 December 1899");
}

TEST(Datenice, RefusesWhatIsNoSupportedDate) {
    for (double date :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), double{lastSupportedDay} + 1,
          double{firstSupportedDay} - 1}) {
        try {
            datenice(date);
            ADD_FAILURE() << date << " was written";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::InvalidArgument);
        }
    }
}

// Walks the calendar one day at a time with its own leap-year rule, independent of the date
// code, and checks the text of every day from 1 January 100 to 31 December 9999 and that the text
// reads back as the same day.
TEST(Datenice, IsExactForEverySupportedDay) {
    static constexpr int monthLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year = 100, month = 1, dayOfMonth = 1;
    int mismatches = 0;
    for (int date = firstSupportedDay; date <= lastSupportedDay; ++date) {
        const std::string expected = std::to_string(dayOfMonth) + " " +
                                     std::string(monthNames[static_cast<std::size_t>(month - 1)]) +
                                     " " + std::to_string(year);
        const std::string text = datenice(date);
        if ((text != expected || parseDate(text) != date) && ++mismatches <= 5)
            ADD_FAILURE() << "day " << date << ": " << text << ", expected " << expected;

        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        const int length = monthLengths[month - 1] + (month == 2 && leap ? 1 : 0);
        if (++dayOfMonth > length) {
            dayOfMonth = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    EXPECT_EQ(year, 10000);
    EXPECT_EQ(mismatches, 0);
}

TEST(IsoDate, WritesFourDigitYearsAndTwoDigitMonthsAndDays) {
    EXPECT_EQ(isoDate(day(2006, 10, 26) + 0.5), "2006-10-26");
    EXPECT_EQ(isoDate(day(100, 1, 1)), "0100-01-01");
    EXPECT_EQ(isoDate(day(9999, 12, 31)), "9999-12-31");
    EXPECT_EQ(parseDate(isoDate(day(2008, 2, 29))), day(2008, 2, 29));
}

TEST(ParseDate, ReadsTheDisplayForm) {
    EXPECT_EQ(parseDate("6 April 2006"), day(2006, 4, 6));
    EXPECT_EQ(parseDate("26 October 2006"), day(2006, 10, 26));
    EXPECT_EQ(parseDate("29 February 2008"), day(2008, 2, 29));
    EXPECT_EQ(parseDate("1 January 2000"), day(2000, 1, 1));
    EXPECT_EQ(parseDate("1 January 100"), day(100, 1, 1));
}

TEST(ParseDate, ForgivesWhatStillNamesOneDay) {
    EXPECT_EQ(parseDate("06 April 2006"), day(2006, 4, 6));
    EXPECT_EQ(parseDate("6 april 2006"), day(2006, 4, 6));
    EXPECT_EQ(parseDate("6 APRIL 2006"), day(2006, 4, 6));
    EXPECT_EQ(parseDate("  6  April   2006 "), day(2006, 4, 6));
}

TEST(ParseDate, ReadsIsoDates) {
    EXPECT_EQ(parseDate("2006-04-06"), day(2006, 4, 6));
    EXPECT_EQ(parseDate("9999-12-31"), lastSupportedDay);
    EXPECT_EQ(parseDate("0100-01-01"), firstSupportedDay);
}

TEST(ParseDate, RefusesTextThatNamesNoDateWithATypeMismatch) {
    for (const char* text : {"",
                             " ",
                             "31 February 2006",
                             "29 February 2006",
                             "31 April 2006",
                             "6 Apri 2006",
                             "6 Apr 2006",
                             "6 April 10000",
                             "6 April 06",
                             "6 April 99",
                             "0 April 2006",
                             "32 January 2006",
                             "April 2006",
                             "6 April",
                             "6April2006",
                             "6 April 2006 x",
                             "-6 April 2006",
                             "2006-4-6",
                             "2006-04-31",
                             "2006-13-01",
                             "0099-12-31",
                             "06/04/2006",
                             "2006-04-06T00:00",
                             "123 April 2006",
                             "6 Aprilx 2006"}) {
        try {
            parseDate(text);
            ADD_FAILURE() << '"' << text << "\" was read as a date";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch) << text;
        }
    }
}

TEST(ParseDate, GivesMidnight) {
    const Date date = parseDate("1 January 2000");
    EXPECT_EQ(date, static_cast<double>(static_cast<long>(date)));
}

} // namespace
} // namespace ruvo
