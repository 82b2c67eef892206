#pragma once

namespace km::bench {

/// The memory of this process as the kernel reports it in /proc/self/status.
struct ProcessMemory {
    double residentMb = 0; ///< VmRSS: resident now
    double peakMb = 0;     ///< VmHWM: the highest resident size so far

    /// The current figures; zeros where /proc cannot be read.
    static ProcessMemory now();
};

} // namespace km::bench
