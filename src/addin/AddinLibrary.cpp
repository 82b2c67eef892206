#include "AddinLibrary.h"
#include "LandscapeMgr.h"
#include "LandscapeMgrDispatch.h"
#include "basConstantsAndPublicVars.h"
#include "clsStatusMgrDispatch.h"
#include "host/clsRGManager.h"
#include "platform/runtime/Text.h"

namespace KM_SLN_SOA {

AddinLibrary::~AddinLibrary() {
    try {
        LandscapeMgr().DestroyObjects();
    } catch (...) {
        // Unloading goes on whatever the release of a failed command's objects reports.
    }
    SetHostServices(nullptr);
}

std::shared_ptr<km::host::IDispatchObject> AddinLibrary::CreateObject(const std::string& className) {
    if (km::rt::equalsNoCase(className, "LandscapeMgr")) {
        return std::make_shared<LandscapeMgrDispatch>();
    }
    if (km::rt::equalsNoCase(className, "clsStatusMgr")) {
        return std::make_shared<clsStatusMgrDispatch>();
    }
    return nullptr;
}

std::string AddinLibrary::LibraryFolder() {
    return KM_SLN_SOA::LibraryFolder();
}

std::string AddinLibrary::PrepareReportString(const std::string& script) {
    return clsRGManager::PrepareReportString(script);
}

} // namespace KM_SLN_SOA
