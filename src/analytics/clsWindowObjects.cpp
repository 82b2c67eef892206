#include "clsWindowObjects.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsDisplay.h"
#include "addin/clsStatusMgr.h"
#include "host/clsUtils.h"

namespace KM_SLN_SOA {

namespace {

template <class T> void releaseIfOwn(std::shared_ptr<T>& global, const std::weak_ptr<T>& own) {
    if (global && global == own.lock()) {
        global.reset();
    }
}

} // namespace

void clsWindowObjects::Initialise() {
    if (!goApp) {
        goApp = HostServices().CreateApplication();
        m_app = goApp;
    }
    if (!goImf) {
        goImf = goApp->Interface("IKMImf");
        m_imf = goImf;
    }
    if (!goStatusMgr) {
        goStatusMgr = std::make_shared<clsStatusMgr>();
        m_statusMgr = goStatusMgr;
    }
    if (!goDisplay) {
        goDisplay = std::make_shared<clsDisplay>();
        m_display = goDisplay;
    }
    if (!goUtils) {
        goUtils = std::make_shared<clsUtils>();
        m_utils = goUtils;
    }
}

void clsWindowObjects::Release() {
    releaseIfOwn(goUtils, m_utils);
    releaseIfOwn(goDisplay, m_display);
    releaseIfOwn(goStatusMgr, m_statusMgr);
    releaseIfOwn(goApp, m_app);
    releaseIfOwn(goImf, m_imf);
}

} // namespace KM_SLN_SOA
