#include "ProcessMemory.h"
#include <fstream>
#include <sstream>
#include <string>

namespace km::bench {

namespace {

// A "Name:   1234 kB" line of /proc/self/status in megabytes.
double megabytes(const std::string& line) {
    std::istringstream fields(line.substr(line.find(':') + 1));
    double kilobytes = 0;
    fields >> kilobytes;
    return kilobytes / 1024.0;
}

} // namespace

ProcessMemory ProcessMemory::now() {
    ProcessMemory memory;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            memory.residentMb = megabytes(line);
        } else if (line.rfind("VmHWM:", 0) == 0) {
            memory.peakMb = megabytes(line);
        }
    }
    return memory;
}

} // namespace km::bench
