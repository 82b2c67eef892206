#pragma once
#include "Types.h"
#include <optional>
#include <string>
#include <string_view>

namespace km::rt {

/// A calendar date without time of day, counted in days from the platform's zero date
/// (30 December 1899), so that Date{} is the zero date and dates compare as numbers do.
class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(std::int32_t serial) : m_serial(serial) {}

    /// The date of year/month/day as the platform's DateSerial builds it: months and days outside
    /// their range roll over (month 13 is January of the next year, day 0 the last day of the
    /// previous month). Error 5 (invalid call) for years outside 100..9999 after rolling over.
    static Date fromYmd(int year, int month, int day);
    static Date today();

    constexpr std::int32_t serial() const { return m_serial; }
    int year() const;
    int month() const;
    int day() const;
    /// Day of the week, Sunday = 1 ... Saturday = 7.
    int weekday() const;
    bool isZero() const { return m_serial == 0; }

    /// Short date text: "yyyy-mm-dd".
    std::string shortText() const;

    friend constexpr auto operator<=>(Date, Date) = default;

private:
    std::int32_t m_serial = 0;
};

/// Interval units of date arithmetic: "d" days, "ww" weeks, "m" months, "yyyy" years.
enum class DateUnit { Day, Week, Month, Year };

/// Parses the unit texts "d", "ww", "m", "yyyy" in any case (error 5 for others).
DateUnit dateUnitFromText(std::string_view unit);

/// Adds whole units to a date. Months and years clamp the day to the last day of the target month
/// (31 January + 1 month = 28 or 29 February). Error 5 when the result leaves years 100..9999.
Date DateAdd(DateUnit unit, long count, Date date);

/// Recognises a date in the forms the workbench accepts (documented in docs/dates.md):
/// ISO "yyyy-mm-dd" (also with '/' or '.'), "dd/mm/yyyy" (also '-' or '.'), "d Month yyyy" and
/// "Month d, yyyy" with English month names or their three-letter abbreviations, any case.
/// Impossible dates (31 April, 29 February 2023) are not dates. Eight-digit repository texts
/// ("20050315") are not dates in this sense.
std::optional<Date> parseDate(std::string_view text);
/// True when parseDate recognises the text.
bool IsDate(std::string_view text);
/// parseDate or error 13 (Type mismatch).
Date CDate(std::string_view text);

} // namespace km::rt
