#include "Latencies.h"
#include <algorithm>
#include <cmath>
#include <numeric>

namespace km::bench {

void Latencies::add(Clock::duration duration) {
    m_nanoseconds.push_back(
        static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count()));
    m_sorted = m_nanoseconds.size() < 2;
}

double Latencies::quantileMs(double q) const {
    if (m_nanoseconds.empty()) {
        return 0;
    }
    if (!m_sorted) {
        std::sort(m_nanoseconds.begin(), m_nanoseconds.end());
        m_sorted = true;
    }
    const double rank = std::ceil(std::clamp(q, 0.0, 1.0) * static_cast<double>(m_nanoseconds.size()));
    const std::size_t index = rank < 1 ? 0 : static_cast<std::size_t>(rank) - 1;
    return m_nanoseconds[index] / 1e6;
}

double Latencies::meanMs() const {
    if (m_nanoseconds.empty()) {
        return 0;
    }
    return std::accumulate(m_nanoseconds.begin(), m_nanoseconds.end(), 0.0) / static_cast<double>(count()) / 1e6;
}

} // namespace km::bench
