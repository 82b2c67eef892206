#pragma once
// The shared globals of the add-in: set up by LandscapeMgr::InitialiseObjects (or by a modeless
// window when it loads) and released by DestroyObjects. Every worker reaches the host, the status
// window, the trace log and the utilities only through them.
#include "host/IApplication.h"
#include "host/IHostServices.h"
#include "host/IImf.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

class clsStatusMgr;
class clsDisplay;
class clsUtils;

extern std::shared_ptr<km::host::IApplication> goApp;
extern std::shared_ptr<km::host::IImf> goImf;
extern std::shared_ptr<clsStatusMgr> goStatusMgr;
extern std::shared_ptr<clsDisplay> goDisplay;
extern std::shared_ptr<clsUtils> goUtils;
/// When True every trace-log call of clsDisplay does nothing. False when the library is loaded;
/// keeps its value from one command to the next.
extern bool gblnTraceOff;

/// The host services the library was loaded with (the factories behind the automation names).
/// Throws RuntimeError 91 when the library was not loaded by a host.
km::host::IHostServices& HostServices();
void SetHostServices(km::host::IHostServices* services);

/// The folder the library was loaded from, without a trailing separator.
std::string LibraryFolder();
/// Overrides the library folder (for a library linked statically into tests).
void SetLibraryFolder(const std::string& folder);

} // namespace KM_SLN_SOA
