#include "Format.h"
#include <cmath>
#include <cstdio>

namespace km::bench {

namespace {

std::string printed(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

} // namespace

std::string Format::count(std::int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

std::string Format::ms(double milliseconds) {
    if (milliseconds >= 100) {
        return printed("%.0f ms", milliseconds);
    }
    if (milliseconds >= 1) {
        return printed("%.2f ms", milliseconds);
    }
    return printed("%.4f ms", milliseconds);
}

std::string Format::seconds(double seconds) {
    return printed(seconds >= 10 ? "%.1f s" : "%.3f s", seconds);
}

std::string Format::megabytes(double megabytes) {
    return printed("%.1f MB", megabytes);
}

std::string Format::rate(double items, double seconds) {
    if (seconds <= 0) {
        return "-";
    }
    return count(static_cast<std::int64_t>(std::llround(items / seconds))) + "/s";
}

std::string Format::ratio(double value) {
    return printed("%.2fx", value);
}

} // namespace km::bench
