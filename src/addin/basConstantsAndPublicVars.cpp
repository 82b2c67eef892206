#include "basConstantsAndPublicVars.h"
#include "clsDisplay.h"
#include "clsStatusMgr.h"
#include "host/clsUtils.h"
#include "platform/runtime/RuntimeError.h"

namespace KM_SLN_SOA {

std::shared_ptr<km::host::IApplication> goApp;
std::shared_ptr<km::host::IImf> goImf;
std::shared_ptr<clsStatusMgr> goStatusMgr;
std::shared_ptr<clsDisplay> goDisplay;
std::shared_ptr<clsUtils> goUtils;
bool gblnTraceOff = false;

namespace {

km::host::IHostServices* hostServices = nullptr;

std::string& libraryFolder() {
    static std::string folder;
    return folder;
}

} // namespace

km::host::IHostServices& HostServices() {
    if (hostServices == nullptr) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet,
                                   "The add-in library was not loaded by a host: it has no host services.");
    }
    return *hostServices;
}

void SetHostServices(km::host::IHostServices* services) {
    hostServices = services;
}

std::string LibraryFolder() {
    return libraryFolder();
}

void SetLibraryFolder(const std::string& folder) {
    std::string trimmed = folder;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    libraryFolder() = trimmed;
}

} // namespace KM_SLN_SOA
