#pragma once
#include <chrono>
#include <cstddef>
#include <vector>

namespace km::bench {

/// Durations of one repeated operation and their order statistics (nearest rank).
class Latencies {
public:
    using Clock = std::chrono::steady_clock;

    void reserve(std::size_t count) { m_nanoseconds.reserve(count); }
    void add(Clock::duration duration);
    /// Runs \p operation once and records how long it took.
    template <class Operation> void time(Operation&& operation) {
        const Clock::time_point start = Clock::now();
        operation();
        add(Clock::now() - start);
    }

    std::size_t count() const { return m_nanoseconds.size(); }
    /// The duration below which a share \p q (0..1) of the samples lie, in milliseconds; 0 when empty.
    double quantileMs(double q) const;
    double medianMs() const { return quantileMs(0.5); }
    double p99Ms() const { return quantileMs(0.99); }
    double maxMs() const { return quantileMs(1.0); }
    double meanMs() const;

private:
    // Sorted lazily, in place, when a statistic is asked for.
    mutable std::vector<double> m_nanoseconds;
    mutable bool m_sorted = true;
};

} // namespace km::bench
