#pragma once
#include "platform/runtime/Types.h"
#include <string>

namespace KM_SLN_SOA {

/// Opens the solution's help file "km-sln-soa.chm" from the library folder through the host's
/// help library.
class clsHelp {
public:
    /// The help file's name; it lies in the library folder.
    static constexpr const char* helpFileName = "km-sln-soa.chm";

    /// Opens the help file at its start page; \p hWnd is the owner window (0 from the facade).
    void ShowHelpKM(km::rt::Long hWnd);
    /// Opens the help file at a numbered topic.
    void ShowHelpTopicKM(km::rt::Long hWnd, km::rt::Long lngTopic);

private:
    void OpenHelp(km::rt::Long hWnd, long lngCommand, long lngData);
};

} // namespace KM_SLN_SOA
