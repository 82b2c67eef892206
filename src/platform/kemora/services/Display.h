#pragma once
#include "host/IDisplay.h"

namespace km::kemora {

using rt::Integer;
using rt::Long;
class TraceLog;

/// The host's trace display over the workbench's trace log.
class Display : public host::IDisplay {
public:
    explicit Display(TraceLog& log) : m_log(log) {}
    void StartLog(const std::string& title, const std::string& fontName, Integer a, Integer b, Long c) override;
    void LogText(const std::string& text) override;
    void StopLog(Integer mode) override;

private:
    TraceLog& m_log;
};

} // namespace km::kemora
