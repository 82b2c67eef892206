#include "Numeric.h"
#include "RuntimeError.h"
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace km::rt {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

// Reads characters of a number while skipping the blanks the platform ignores inside numbers.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}
    char peek() {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos])) {
            ++m_pos;
        }
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    void next() { ++m_pos; }
    std::size_t position() const { return m_pos; }
    void rewind(std::size_t position) { m_pos = position; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// "&H" and "&O" numbers: like the platform, up to four hexadecimal digits make a 16-bit value and up
// to eight a 32-bit value, both signed ("&HFFFF" is -1); longer ones are taken as they stand.
double radixValue(Reader& reader, int radix) {
    double value = 0;
    int digits = 0;
    for (char c = reader.peek(); digitValue(c) < radix; c = reader.peek()) {
        value = value * radix + digitValue(c);
        ++digits;
        reader.next();
    }
    const int hexWidth = radix == 16 ? 4 : 6; // octal: &O177777 is the 16-bit limit
    const int longWidth = radix == 16 ? 8 : 11;
    if (digits <= hexWidth && value >= 32768.0 && value <= 65535.0) {
        return value - 65536.0;
    }
    if (digits <= longWidth && value >= 2147483648.0 && value <= 4294967295.0) {
        return value - 4294967296.0;
    }
    return value;
}

// Reads a decimal number (sign, digits, '.', exponent) into compact text; empty when there is none.
std::string decimalPrefix(Reader& reader) {
    std::string number;
    if (reader.peek() == '-' || reader.peek() == '+') {
        number += reader.peek();
        reader.next();
    }
    bool digits = false;
    bool point = false;
    for (char c = reader.peek(); isDigit(c) || (c == '.' && !point); c = reader.peek()) {
        point = point || c == '.';
        digits = digits || isDigit(c);
        number += c;
        reader.next();
    }
    if (!digits) {
        return {};
    }
    if (reader.peek() != 'e' && reader.peek() != 'E') {
        return number;
    }
    // An exponent counts only when digits follow it: "1e" and "1e+" read as 1.
    const std::size_t beforeExponent = reader.position();
    std::string exponent = "e";
    reader.next();
    if (reader.peek() == '-' || reader.peek() == '+') {
        exponent += reader.peek();
        reader.next();
    }
    if (!isDigit(reader.peek())) {
        reader.rewind(beforeExponent);
        return number;
    }
    for (char c = reader.peek(); isDigit(c); c = reader.peek()) {
        exponent += c;
        reader.next();
    }
    return number + exponent;
}

double parseDecimal(const std::string& number) {
    if (number.empty()) {
        return 0;
    }
    const char* first = number.data();
    if (*first == '+') {
        ++first;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone here: tell huge from tiny by the exponent's sign.
        const bool negative = number.front() == '-';
        const bool tiny = number.find("e-") != std::string::npos;
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return negative ? -magnitude : magnitude;
    }
    return value;
}

// Reads the number at the reader; \p found tells whether there was one.
double readNumber(Reader& reader, bool& found) {
    found = false;
    if (reader.peek() == '&') {
        const std::size_t start = reader.position();
        reader.next();
        const char prefix = reader.peek();
        const int radix = (prefix == 'h' || prefix == 'H') ? 16 : (prefix == 'o' || prefix == 'O') ? 8 : 0;
        if (radix == 0) {
            reader.rewind(start);
            return 0;
        }
        reader.next();
        const std::size_t digitsStart = reader.position();
        const double value = radixValue(reader, radix);
        found = reader.position() != digitsStart;
        return value;
    }
    const std::string number = decimalPrefix(reader);
    found = !number.empty();
    return parseDecimal(number);
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// True when the text holds no blank (inner blanks make a text non-numeric, though Val skips them).
bool hasNoBlank(std::string_view text) {
    for (char c : text) {
        if (isBlank(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

double Val(std::string_view text) {
    Reader reader(text);
    bool found = false;
    return readNumber(reader, found);
}

bool IsNumeric(std::string_view text) {
    const std::string_view core = trimBlanks(text);
    if (core.empty() || !hasNoBlank(core)) {
        return false;
    }
    Reader reader(core);
    bool found = false;
    readNumber(reader, found);
    return found && reader.position() == core.size();
}

double RoundHalfEven(double value) {
    const double rounded = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        return 2.0 * std::round(value / 2.0);
    }
    return rounded;
}

namespace {
template <class Int> Int toInteger(double value) {
    const double rounded = RoundHalfEven(value);
    if (std::isnan(rounded) || rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw RuntimeError(ErrorNumber::Overflow);
    }
    return static_cast<Int>(rounded);
}
} // namespace

Long CLng(double value) {
    return toInteger<Long>(value);
}

Integer CInt(double value) {
    return toInteger<Integer>(value);
}

double CDbl(std::string_view text) {
    if (!IsNumeric(text)) {
        throw RuntimeError(ErrorNumber::TypeMismatch);
    }
    return Val(text);
}

Long CLng(std::string_view text) {
    return CLng(CDbl(text));
}

std::string numberText(double value) {
    if (value == 0) {
        return "0"; // also for -0
    }
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Infinity" : "-Infinity";
    }
    // Fifteen significant digits, as the platform writes doubles: 0.1 + 0.2 gives "0.3".
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return buffer;
}

} // namespace km::rt
