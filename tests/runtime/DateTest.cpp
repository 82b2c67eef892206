#include "platform/runtime/Date.h"
#include "platform/runtime/RuntimeError.h"
#include "support/ExpectError.h"
#include <gtest/gtest.h>

using namespace km::rt;
using km::test::expectError;

namespace {
Date ymd(int year, int month, int day) {
    return Date::fromYmd(year, month, day);
}

} // namespace

TEST(DateTest, SerialsCountFromTheZeroDate) {
    EXPECT_EQ(ymd(1899, 12, 30).serial(), 0);
    EXPECT_TRUE(Date{}.isZero());
    EXPECT_EQ(ymd(1899, 12, 31).serial(), 1);
    EXPECT_EQ(ymd(1900, 1, 1).serial(), 2);
    EXPECT_EQ(ymd(1900, 3, 1).serial(), 61); // 1900 was no leap year
    EXPECT_EQ(ymd(2000, 1, 1).serial(), 36526);
    EXPECT_EQ(ymd(1899, 12, 29).serial(), -1);
    EXPECT_EQ(Date{}.shortText(), "1899-12-30");
}

TEST(DateTest, PartsRoundTripAcrossTheWholeRange) {
    for (const Date date : {ymd(100, 1, 1), ymd(1600, 2, 29), ymd(1899, 12, 30), ymd(2024, 2, 29), ymd(9999, 12, 31)}) {
        EXPECT_EQ(ymd(date.year(), date.month(), date.day()), date) << date.shortText();
    }
    const Date leapDay = ymd(2024, 2, 29);
    EXPECT_EQ(leapDay.year(), 2024);
    EXPECT_EQ(leapDay.month(), 2);
    EXPECT_EQ(leapDay.day(), 29);
    EXPECT_EQ(ymd(105, 7, 4).shortText(), "0105-07-04");
}

TEST(DateTest, FromYmdRollsOverLikeDateSerial) {
    EXPECT_EQ(ymd(2005, 13, 1), ymd(2006, 1, 1));
    EXPECT_EQ(ymd(2005, 3, 0), ymd(2005, 2, 28));
    EXPECT_EQ(ymd(2005, 0, 1), ymd(2004, 12, 1));
    EXPECT_EQ(ymd(2005, -1, 15), ymd(2004, 11, 15));
    EXPECT_EQ(ymd(2024, 2, 30), ymd(2024, 3, 1));
    EXPECT_EQ(ymd(2005, 1, 365), ymd(2005, 12, 31));
    EXPECT_EQ(ymd(2005, 1, -30), ymd(2004, 12, 1));
}

TEST(DateTest, FromYmdRefusesYearsOutsideTheRange) {
    expectError(5, [] { ymd(99, 12, 31); });
    expectError(5, [] { ymd(100, 1, 0); });
    expectError(5, [] { ymd(10000, 1, 1); });
    expectError(5, [] { ymd(9999, 12, 32); });
    expectError(5, [] { ymd(2000, 2147483647, 1); });
    EXPECT_EQ(ymd(99, 13, 1), ymd(100, 1, 1));
}

TEST(DateTest, WeekdayStartsOnSunday) {
    EXPECT_EQ(ymd(2024, 6, 2).weekday(), 1);   // a Sunday
    EXPECT_EQ(ymd(2024, 6, 3).weekday(), 2);   // Monday
    EXPECT_EQ(ymd(2024, 6, 8).weekday(), 7);   // Saturday
    EXPECT_EQ(Date{}.weekday(), 7);            // 30 December 1899 was a Saturday
    EXPECT_EQ(ymd(1899, 12, 24).weekday(), 1); // before the zero date
    EXPECT_EQ(ymd(1776, 7, 4).weekday(), 5);   // a Thursday
}

TEST(DateTest, AddingMonthsAndYearsClampsTheDay) {
    EXPECT_EQ(DateAdd(DateUnit::Month, 1, ymd(2024, 1, 31)), ymd(2024, 2, 29));
    EXPECT_EQ(DateAdd(DateUnit::Month, 1, ymd(2023, 1, 31)), ymd(2023, 2, 28));
    EXPECT_EQ(DateAdd(DateUnit::Month, 3, ymd(2023, 1, 31)), ymd(2023, 4, 30));
    EXPECT_EQ(DateAdd(DateUnit::Month, -1, ymd(2024, 3, 31)), ymd(2024, 2, 29));
    EXPECT_EQ(DateAdd(DateUnit::Month, 12, ymd(2023, 12, 15)), ymd(2024, 12, 15));
    EXPECT_EQ(DateAdd(DateUnit::Month, -13, ymd(2024, 1, 10)), ymd(2022, 12, 10));
    EXPECT_EQ(DateAdd(DateUnit::Year, 1, ymd(2024, 2, 29)), ymd(2025, 2, 28));
    EXPECT_EQ(DateAdd(DateUnit::Year, 4, ymd(2024, 2, 29)), ymd(2028, 2, 29));
    // Adding twice is not adding once: the clamped day stays clamped.
    const Date once = DateAdd(DateUnit::Month, 2, ymd(2023, 1, 31));
    const Date twice = DateAdd(DateUnit::Month, 1, DateAdd(DateUnit::Month, 1, ymd(2023, 1, 31)));
    EXPECT_EQ(once, ymd(2023, 3, 31));
    EXPECT_EQ(twice, ymd(2023, 3, 28));
}

TEST(DateTest, AddingDaysAndWeeks) {
    EXPECT_EQ(DateAdd(DateUnit::Day, 1, ymd(2023, 12, 31)), ymd(2024, 1, 1));
    EXPECT_EQ(DateAdd(DateUnit::Day, -1, ymd(2024, 3, 1)), ymd(2024, 2, 29));
    EXPECT_EQ(DateAdd(DateUnit::Week, 2, ymd(2024, 2, 20)), ymd(2024, 3, 5));
    EXPECT_EQ(DateAdd(DateUnit::Week, 0, ymd(2024, 2, 20)), ymd(2024, 2, 20));
}

TEST(DateTest, AddingBeyondTheRangeIsAnError) {
    expectError(5, [] { DateAdd(DateUnit::Day, 1, ymd(9999, 12, 31)); });
    expectError(5, [] { DateAdd(DateUnit::Month, -1, ymd(100, 1, 31)); });
    expectError(5, [] { DateAdd(DateUnit::Year, 8000, ymd(2000, 1, 1)); });
    expectError(5, [] { DateAdd(DateUnit::Week, 9'000'000'000'000'000'000L, ymd(2000, 1, 1)); });
}

TEST(DateTest, UnitTexts) {
    EXPECT_EQ(dateUnitFromText("d"), DateUnit::Day);
    EXPECT_EQ(dateUnitFromText("ww"), DateUnit::Week);
    EXPECT_EQ(dateUnitFromText("m"), DateUnit::Month);
    EXPECT_EQ(dateUnitFromText("yyyy"), DateUnit::Year);
    EXPECT_EQ(dateUnitFromText("WW"), DateUnit::Week);
    expectError(5, [] { dateUnitFromText("q"); });
    expectError(5, [] { dateUnitFromText(""); });
}

TEST(DateTest, RecognisesTheNumericForms) {
    const Date expected = ymd(2005, 3, 15);
    for (const char* text : {"2005-03-15", "2005/03/15", "2005.03.15", "2005-3-15", "15/03/2005", "15-03-2005",
                             "15.03.2005", "15/3/2005", " 15/03/2005 "}) {
        EXPECT_EQ(parseDate(text), expected) << text;
    }
}

TEST(DateTest, RecognisesMonthNamesInAnyCase) {
    const Date expected = ymd(2005, 3, 15);
    for (const char* text : {"15 March 2005", "15 Mar 2005", "March 15, 2005", "Mar 15 2005", "15 MARCH 2005",
                             "march 15 2005", "15-Mar-2005", "15 mar. 2005"}) {
        EXPECT_EQ(parseDate(text), expected) << text;
    }
    EXPECT_EQ(parseDate("1 Sept 2005"), ymd(2005, 9, 1));
    EXPECT_EQ(parseDate("31 Dec 9999"), ymd(9999, 12, 31));
}

TEST(DateTest, ImpossibleDatesAreNotDates) {
    for (const char* text :
         {"2023-02-29", "31/04/2005", "2005-13-01", "2005-00-10", "00/01/2005", "30 February 2024", "32 Jan 2005"}) {
        EXPECT_FALSE(IsDate(text)) << text;
    }
    EXPECT_TRUE(IsDate("2024-02-29"));
    EXPECT_TRUE(IsDate("29/02/2000"));
    EXPECT_FALSE(IsDate("29/02/1900"));
}

TEST(DateTest, OtherTextsAreNotDates) {
    for (const char* text : {"", "   ", "20050315", "2005", "2005-03", "15/03/05", "0099-01-01", "10000-01-01",
                             "2005-03/15", "2005-03-15x", "15 Marchy 2005", "15 Mars 2005", "March 2005", "15 March",
                             "1e3", "12abc", "15 March 2005 10:30", "-2005-03-15", "2005--03-15"}) {
        EXPECT_FALSE(IsDate(text)) << text;
    }
}

TEST(DateTest, CDateConvertsOrMismatches) {
    EXPECT_EQ(CDate("2005-03-15"), ymd(2005, 3, 15));
    expectError(13, [] { CDate("20050315"); });
    expectError(13, [] { CDate(""); });
}

TEST(DateTest, TodayIsAPlausibleDate) {
    const Date today = Date::today();
    EXPECT_GE(today.year(), 2024);
    EXPECT_EQ(Date::fromYmd(today.year(), today.month(), today.day()), today);
}
