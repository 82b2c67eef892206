#include "Date.h"
#include "RuntimeError.h"
#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <vector>

namespace km::rt {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12); exact for any year.
constexpr std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Ymd {
    int year;
    int month;
    int day;
};

constexpr Ymd civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

constexpr std::int64_t zeroDay = daysFromCivil(1899, 12, 30);
constexpr std::int64_t firstSerial = daysFromCivil(100, 1, 1) - zeroDay;
constexpr std::int64_t lastSerial = daysFromCivil(9999, 12, 31) - zeroDay;

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool isLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(std::int64_t year, int month) {
    static constexpr std::array<int, 12> lengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// The date of a serial day count, error 5 outside the years 100..9999.
Date checkedDate(std::int64_t serial) {
    if (serial < firstSerial || serial > lastSerial) {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    return Date(static_cast<std::int32_t>(serial));
}

// Month arithmetic on a month count (year * 12 + month - 1) with the day clamped to the month's end.
Date fromMonthIndex(std::int64_t monthIndex, int day) {
    const std::int64_t year = floorDiv(monthIndex, 12);
    const int month = static_cast<int>(monthIndex - year * 12) + 1;
    if (year < 100 || year > 9999) {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    const int clampedDay = std::min(day, daysInMonth(year, month));
    return Date(static_cast<std::int32_t>(daysFromCivil(year, month, clampedDay) - zeroDay));
}

} // namespace

Date Date::fromYmd(int year, int month, int day) {
    const std::int64_t monthIndex = static_cast<std::int64_t>(year) * 12 + (month - 1);
    const std::int64_t rolledYear = floorDiv(monthIndex, 12);
    const int rolledMonth = static_cast<int>(monthIndex - rolledYear * 12) + 1;
    // Far outside the range the day count below would lose its meaning; those are errors anyway.
    if (rolledYear < 0 || rolledYear > 20000) {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    return checkedDate(daysFromCivil(rolledYear, rolledMonth, 1) + (static_cast<std::int64_t>(day) - 1) - zeroDay);
}

Date Date::today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

int Date::year() const {
    return civilFromDays(m_serial + zeroDay).year;
}
int Date::month() const {
    return civilFromDays(m_serial + zeroDay).month;
}
int Date::day() const {
    return civilFromDays(m_serial + zeroDay).day;
}

int Date::weekday() const {
    // The zero date, 30 December 1899, was a Saturday (7).
    const std::int64_t shifted = static_cast<std::int64_t>(m_serial) + 6;
    return static_cast<int>(shifted - floorDiv(shifted, 7) * 7) + 1;
}

std::string Date::shortText() const {
    const Ymd ymd = civilFromDays(m_serial + zeroDay);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", ymd.year, ymd.month, ymd.day);
    return buffer;
}

DateUnit dateUnitFromText(std::string_view unit) {
    std::string lower;
    for (char c : unit) {
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (lower == "d") {
        return DateUnit::Day;
    }
    if (lower == "ww") {
        return DateUnit::Week;
    }
    if (lower == "m") {
        return DateUnit::Month;
    }
    if (lower == "yyyy") {
        return DateUnit::Year;
    }
    throw RuntimeError(ErrorNumber::InvalidCall);
}

Date DateAdd(DateUnit unit, long count, Date date) {
    // No count this large stays within the years 100..9999 in any unit; refusing it early also keeps
    // the arithmetic below from overflowing.
    constexpr long largestCount = 4'000'000;
    if (count > largestCount || count < -largestCount) {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    const std::int64_t amount = count;
    switch (unit) {
    case DateUnit::Day:
        return checkedDate(date.serial() + amount);
    case DateUnit::Week:
        return checkedDate(date.serial() + amount * 7);
    case DateUnit::Month:
    case DateUnit::Year: {
        const std::int64_t months = unit == DateUnit::Month ? amount : amount * 12;
        return fromMonthIndex(static_cast<std::int64_t>(date.year()) * 12 + date.month() - 1 + months, date.day());
    }
    }
    throw RuntimeError(ErrorNumber::InvalidCall);
}

// ---- Recognition of typed dates ---------------------------------------------------------------

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool allDigits(std::string_view text) {
    for (char c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return !text.empty();
}

int digitsValue(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<Date> validDate(int year, int month, int day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return std::nullopt;
    }
    return Date(static_cast<std::int32_t>(daysFromCivil(year, month, day) - zeroDay));
}

bool isYearField(std::string_view field) {
    return field.size() == 3 || field.size() == 4;
}
bool isDayOrMonthField(std::string_view field) {
    return field.size() == 1 || field.size() == 2;
}

// "2005-03-15" and "15-03-2005", with '-', '/' or '.' used for both separators.
std::optional<Date> parseNumericDate(std::string_view text) {
    const std::size_t first = text.find_first_of("-/.");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const char separator = text[first];
    const std::size_t second = text.find(separator, first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view a = text.substr(0, first);
    const std::string_view b = text.substr(first + 1, second - first - 1);
    const std::string_view c = text.substr(second + 1);
    if (!allDigits(a) || !allDigits(b) || !allDigits(c) || !isDayOrMonthField(b)) {
        return std::nullopt;
    }
    if (isYearField(a) && isDayOrMonthField(c)) {
        return validDate(digitsValue(a), digitsValue(b), digitsValue(c));
    }
    if (isDayOrMonthField(a) && isYearField(c)) {
        return validDate(digitsValue(c), digitsValue(b), digitsValue(a));
    }
    return std::nullopt;
}

// 1..12 for an English month name or its three-letter abbreviation (any case), else 0.
int monthFromName(std::string_view word) {
    static constexpr std::array<std::string_view, 12> names = {"january",   "february", "march",    "april",
                                                               "may",       "june",     "july",     "august",
                                                               "september", "october",  "november", "december"};
    std::string lower;
    for (char c : word) {
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (lower == "sept") {
        return 9;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (lower == names[i] || (lower.size() == 3 && names[i].substr(0, 3) == lower)) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

std::vector<std::string_view> wordsOf(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = std::string_view::npos;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || isBlank(text[i]) || text[i] == ',' || text[i] == '-' ||
                               text[i] == '/' || text[i] == '.';
        if (!separator && start == std::string_view::npos) {
            start = i;
        } else if (separator && start != std::string_view::npos) {
            words.push_back(text.substr(start, i - start));
            start = std::string_view::npos;
        }
    }
    return words;
}

bool isWord(std::string_view text) {
    for (char c : text) {
        if (!isLetter(c)) {
            return false;
        }
    }
    return !text.empty();
}

// "15 March 2005", "15-Mar-2005", "March 15, 2005", "Mar 15 2005".
std::optional<Date> parseNamedDate(std::string_view text) {
    const std::vector<std::string_view> words = wordsOf(text);
    if (words.size() != 3 || !allDigits(words[2]) || !isYearField(words[2])) {
        return std::nullopt;
    }
    const bool dayFirst = isWord(words[1]);
    const std::string_view monthWord = dayFirst ? words[1] : words[0];
    const std::string_view dayWord = dayFirst ? words[0] : words[1];
    const int month = isWord(monthWord) ? monthFromName(monthWord) : 0;
    if (month == 0 || !allDigits(dayWord) || !isDayOrMonthField(dayWord)) {
        return std::nullopt;
    }
    return validDate(digitsValue(words[2]), month, digitsValue(dayWord));
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<Date> parseDate(std::string_view text) {
    const std::string_view core = trimmed(text);
    for (char c : core) {
        if (isLetter(c)) {
            return parseNamedDate(core);
        }
    }
    return parseNumericDate(core);
}

bool IsDate(std::string_view text) {
    return parseDate(text).has_value();
}

Date CDate(std::string_view text) {
    if (const std::optional<Date> date = parseDate(text)) {
        return *date;
    }
    throw RuntimeError(ErrorNumber::TypeMismatch);
}

} // namespace km::rt
