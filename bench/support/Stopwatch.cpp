#include "Stopwatch.h"
#include <sys/resource.h>

namespace km::bench {

void Stopwatch::restart() {
    m_start = std::chrono::steady_clock::now();
    m_cpuStart = processCpuSeconds();
}

double Stopwatch::seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

double Stopwatch::cpuSeconds() const {
    return processCpuSeconds() - m_cpuStart;
}

double Stopwatch::processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace km::bench
