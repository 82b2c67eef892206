#pragma once
#include "host/IDisplay.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

/// The command's trace log in the host's display window. Every call does nothing while the
/// global trace switch gblnTraceOff is True.
class clsDisplay {
public:
    /// Attaches to the host's display; errors of the host go to the caller.
    clsDisplay();
    /// Stops the log (unless tracing is switched off, which leaves a log opened meanwhile open).
    ~clsDisplay();
    clsDisplay(const clsDisplay&) = delete;
    clsDisplay& operator=(const clsDisplay&) = delete;

    void StartLogging(const std::string& strDisplayTitle);
    /// Writes one line: \p lngIndents tabs (none below 1), the text and CR LF.
    void LogItem(const std::string& strText, km::rt::Long lngIndents);

private:
    std::shared_ptr<km::host::IDisplay> m_oDisplay;
};

} // namespace KM_SLN_SOA
