#pragma once
#include <string>

namespace km::bench {

/// How busy the machine is, so that a reader can judge the wall-clock figures of a run.
class MachineLoad {
public:
    /// "load 1.52 on 2 processors" from /proc/loadavg; "unknown" where it cannot be read.
    static std::string describe();
};

} // namespace km::bench
