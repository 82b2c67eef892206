#pragma once
#include <chrono>

namespace km::bench {

/// Wall-clock time and this process's processor time (user and system) since construction or the
/// last restart. On a busy machine the processor time shows what the work itself cost.
class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart();
    double seconds() const;
    double cpuSeconds() const;

private:
    static double processCpuSeconds();

    std::chrono::steady_clock::time_point m_start;
    double m_cpuStart = 0;
};

} // namespace km::bench
