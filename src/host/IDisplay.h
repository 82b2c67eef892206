#pragma once
#include "platform/runtime/Types.h"
#include <string>

namespace km::host {

using rt::Integer;
using rt::Long;

/// The host's trace display ("KM2001.KMDisplay"): each StartLog opens a new log.
class IDisplay {
public:
    virtual ~IDisplay() = default;
    virtual void StartLog(const std::string& title, const std::string& fontName, Integer a, Integer b, Long c) = 0;
    /// Appends text (the caller ends lines with CR LF).
    virtual void LogText(const std::string& text) = 0;
    virtual void StopLog(Integer mode) = 0;
};

} // namespace km::host
