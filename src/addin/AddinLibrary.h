#pragma once
#include "host/IAddinLibrary.h"

namespace KM_SLN_SOA {

/// What the library offers its host once loaded: its two creatable classes, its folder, and
/// report scripts prepared as the library prepares them.
class AddinLibrary : public km::host::IAddinLibrary {
public:
    AddinLibrary() = default;
    /// Releases the shared objects a failed command left set up, while the host is still there.
    ~AddinLibrary() override;
    AddinLibrary(const AddinLibrary&) = delete;
    AddinLibrary& operator=(const AddinLibrary&) = delete;

    /// "LandscapeMgr" or "clsStatusMgr" (without regard to case); nothing for other names.
    std::shared_ptr<km::host::IDispatchObject> CreateObject(const std::string& className) override;
    std::string LibraryFolder() override;
    std::string PrepareReportString(const std::string& script) override;
};

} // namespace KM_SLN_SOA
