#pragma once
#include <cstdint>
#include <string>

namespace km::bench {

/// Figures as text for the tables the benchmarks print.
class Format {
public:
    /// 1234567 -> "1,234,567".
    static std::string count(std::int64_t value);
    /// Milliseconds with three significant decimals: "0.0123 ms", "1.25 ms".
    static std::string ms(double milliseconds);
    static std::string seconds(double seconds);
    static std::string megabytes(double megabytes);
    /// Items per second: "81,300/s".
    static std::string rate(double items, double seconds);
    /// A factor: "2.4x".
    static std::string ratio(double value);
};

} // namespace km::bench
