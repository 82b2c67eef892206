#include "clsDisplay.h"
#include "basConstantsAndPublicVars.h"

namespace KM_SLN_SOA {

clsDisplay::clsDisplay() : m_oDisplay(HostServices().CreateDisplay()) {}

clsDisplay::~clsDisplay() {
    if (gblnTraceOff || !m_oDisplay) {
        return;
    }
    try {
        m_oDisplay->StopLog(1);
    } catch (...) {
        // Releasing the trace log must never end the command; a display that cannot stop has
        // nothing more to say.
    }
}

void clsDisplay::StartLogging(const std::string& strDisplayTitle) {
    if (gblnTraceOff) {
        return;
    }
    m_oDisplay->StartLog(strDisplayTitle, "Arial", 1, 8, 0);
}

void clsDisplay::LogItem(const std::string& strText, km::rt::Long lngIndents) {
    if (gblnTraceOff) {
        return;
    }
    std::string line;
    if (lngIndents > 0) {
        line.assign(static_cast<size_t>(lngIndents), '\t');
    }
    line += strText;
    line += "\r\n";
    m_oDisplay->LogText(line);
}

} // namespace KM_SLN_SOA
