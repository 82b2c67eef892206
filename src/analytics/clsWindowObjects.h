#pragma once
#include "host/IApplication.h"
#include "host/IImf.h"
#include <memory>

namespace KM_SLN_SOA {

class clsStatusMgr;
class clsDisplay;
class clsUtils;

/// The shared globals as a modeless window holds them. Other commands run while the window is
/// open and release every global when they end, so the window re-creates what is missing at the
/// start of each of its handlers; on unload it releases only the globals that are still the ones
/// it created itself, leaving those of a command that runs meanwhile alone.
class clsWindowObjects {
public:
    clsWindowObjects() = default;
    clsWindowObjects(const clsWindowObjects&) = delete;
    clsWindowObjects& operator=(const clsWindowObjects&) = delete;

    /// Creates each missing global (goApp, goImf, goStatusMgr, goDisplay, goUtils) as
    /// InitialiseObjects does, and remembers it as this window's own.
    void Initialise();
    /// Releases, in the order DestroyObjects does, the globals that are still this window's own.
    void Release();

private:
    std::weak_ptr<km::host::IApplication> m_app;
    std::weak_ptr<km::host::IImf> m_imf;
    std::weak_ptr<clsStatusMgr> m_statusMgr;
    std::weak_ptr<clsDisplay> m_display;
    std::weak_ptr<clsUtils> m_utils;
};

} // namespace KM_SLN_SOA
