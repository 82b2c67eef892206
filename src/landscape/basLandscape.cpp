#include "basLandscape.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsDisplay.h"
#include "addin/clsStatusMgr.h"
#include "host/IEncyclopedia.h"
#include "host/clsUtils.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/FrontEnd.h"
#include <exception>

namespace KM_SLN_SOA {

namespace {

template <class T> T& Require(const std::shared_ptr<T>& object) {
    if (!object) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return *object;
}

} // namespace

std::shared_ptr<km::host::IEncyclopedia> LandscapeEncyclopedia() {
    auto encyclopedia = Require(goApp).encyclopedia();
    if (!encyclopedia) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet, "No encyclopedia is open.");
    }
    return encyclopedia;
}

void LandscapeSetReadOnly(bool blnReadOnly) {
    try {
        LandscapeEncyclopedia()->openobjectsasreadonly(blnReadOnly);
    } catch (const std::exception&) {
        // Without an encyclopedia there is no switch to set.
    }
}

clsUtils& LandscapeUtils() {
    return Require(goUtils);
}

km::host::IImf& LandscapeImf() {
    return Require(goImf);
}

clsStatusMgr& LandscapeStatus() {
    return Require(goStatusMgr);
}

km::ui::FrontEnd& LandscapeFrontEnd() {
    return HostServices().FrontEnd();
}

int LandscapeMsgBox(const std::string& strPrompt, int intStyle, std::optional<std::string> strTitle) {
    if (!goStatusMgr) {
        return 0;
    }
    return goStatusMgr->KMMsgBox(strPrompt, intStyle, std::move(strTitle));
}

bool LandscapeSetStatus(const std::string& strText) {
    return goStatusMgr && goStatusMgr->SetStatus(strText);
}

void LandscapeTrace(const std::string& strText, km::rt::Long lngIndents) {
    if (goDisplay) {
        goDisplay->LogItem(strText, lngIndents);
    }
}

void LandscapeStartTrace(const std::string& strTitle) {
    if (goDisplay) {
        goDisplay->StartLogging(strTitle);
    }
}

void LandscapeDoEvents() {
    try {
        LandscapeFrontEnd().doEvents();
    } catch (const std::exception&) {
        // Without a front end there are no events to process.
    }
}

} // namespace KM_SLN_SOA
