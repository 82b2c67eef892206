#include "MachineLoad.h"
#include <fstream>
#include <thread>

namespace km::bench {

std::string MachineLoad::describe() {
    std::ifstream in("/proc/loadavg");
    std::string oneMinute;
    if (!(in >> oneMinute)) {
        return "unknown";
    }
    return "load " + oneMinute + " on " + std::to_string(std::thread::hardware_concurrency()) + " processors";
}

} // namespace km::bench
