#include "clsStatusMgr.h"
#include "AddinVersion.h"
#include "basConstantsAndPublicVars.h"
#include "clsDisplay.h"
#include "frmStatus.h"
#include "host/clsUtils.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/FrontEnd.h"
#include "platform/ui/MessageBoxStyle.h"

namespace KM_SLN_SOA {

namespace {

// The title a message box takes when the caller gives none: the library's own name.
constexpr const char* libraryTitle = "KM_SLN_SOA";

} // namespace

clsStatusMgr::clsStatusMgr()
    : m_frontEnd(HostServices().FrontEnd()), m_frmStatus(std::make_unique<frmStatus>(m_frontEnd)) {}

clsStatusMgr::~clsStatusMgr() {
    try {
        releaseWindowAndShowErrors();
    } catch (...) {
        // A release cannot report anything more; the error log was shown as far as it could be.
    }
}

void clsStatusMgr::releaseWindowAndShowErrors() {
    if (m_frmStatus) {
        if (m_frmStatus->visible()) {
            m_frmStatus->hide();
        }
        m_frmStatus->unload();
    }
    if (m_strErrorLog.empty()) {
        return;
    }
    KMMsgBox("There were errors, review the error log.", km::ui::msgbox::critical, std::string(messageTitle));
    DisplayErrors();
}

void clsStatusMgr::LogError(const std::string& strError) {
    m_strErrorLog += strError;
    m_strErrorLog += "\r\n";
}

int clsStatusMgr::KMMsgBox(const std::string& Prompt, int Buttons, std::optional<std::string> Title,
                           const std::string& HelpFile, km::rt::Long Context) {
    (void)HelpFile, (void)Context;
    if (m_blnSilent) {
        return km::ui::answer::none;
    }
    return m_frontEnd.msgBox(Prompt, Buttons, Title ? *Title : std::string(libraryTitle));
}

void clsStatusMgr::ShowStatus() {
    // Showing the window modeless and bringing it to the front is all it takes here: the front
    // end has no separate window handle to show again.
    m_frmStatus->show(km::ui::Modality::Modeless);
    m_frmStatus->zOrder();
}

void clsStatusMgr::HideStatus() {
    m_frmStatus->hide();
}

void clsStatusMgr::LogItem(const std::string& strText, km::rt::Long lngIndents) {
    if (!goDisplay) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    goDisplay->LogItem(strText, lngIndents);
}

bool clsStatusMgr::SetStatus(const std::string& strMessage) {
    try {
        if (goApp) {
            goApp->WriteStatusLine(strMessage);
        }
        if (m_frmStatus && !m_blnCancelled) {
            m_blnCancelled = m_frmStatus->SetStatus(strMessage);
        }
        bool goOn = !m_blnCancelled;
        m_frontEnd.doEvents();
        return goOn;
    } catch (const std::exception& error) {
        std::string opening = goUtils && goUtils->oKMXres() ? goUtils->oKMXres()->GetLocalString(1) : std::string();
        KMMsgBox(opening + "\r\n" + km::rt::describe(error), km::ui::msgbox::critical, std::string(messageTitle));
        return false;
    }
}

void clsStatusMgr::DisplayErrors() {
    // A display made here is released again at the end, also when writing fails.
    struct CreatedDisplay {
        std::shared_ptr<clsDisplay> display;
        ~CreatedDisplay() {
            if (display && goDisplay == display) {
                goDisplay.reset();
            }
        }
    } created;
    if (!goDisplay) {
        created.display = std::make_shared<clsDisplay>();
        goDisplay = created.display;
        if (!gblnTraceOff) {
            goDisplay->StartLogging("Error Log");
        }
    }
    if (gblnTraceOff) {
        // The error log is written even with tracing switched off; the switch is back on
        // afterwards, whatever happens meanwhile.
        struct TraceSwitchRestorer {
            ~TraceSwitchRestorer() { gblnTraceOff = true; }
        } restorer;
        gblnTraceOff = false;
        goDisplay->StartLogging("Error Log");
        goDisplay->LogItem(m_strErrorLog, 0);
    } else {
        goDisplay->LogItem("ERROR LOG", 0);
        goDisplay->LogItem(m_strErrorLog, 1);
    }
}

} // namespace KM_SLN_SOA
