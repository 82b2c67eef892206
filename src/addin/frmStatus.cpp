#include "frmStatus.h"
#include "AddinVersion.h"
#include "basConstantsAndPublicVars.h"
#include "host/basCommon.h"
#include "host/clsUtils.h"
#include "platform/ui/FrontEnd.h"

namespace KM_SLN_SOA {

frmStatus::frmStatus(km::ui::FrontEnd& frontEnd) : Form(frontEnd, "frmStatus", "Status") {
    // Front ends show this window's message line as progress and press Cancel for the user.
    setRole(km::ui::FormRole::Status);
    cmdCancel.setCancel(true);
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void frmStatus::onLoad() {
    KMFormLanguageSetUp(*this);
    if (!goUtils) {
        return;
    }
    setCaption(std::string(messageTitle) + " " + versionText);
    cmdCancel.setCaption(goUtils->oKMXres()->GetLocalString(8));
}

bool frmStatus::SetStatus(const std::string& strMessage) {
    // Touching a control of an unloaded window loads it first.
    load();
    lblStatus.setCaption(strMessage);
    bool cancelled = blnCancel();
    frontEnd().doEvents();
    return cancelled;
}

bool frmStatus::blnCancel() {
    frontEnd().doEvents();
    return m_blnCancel;
}

void frmStatus::blnCancel(bool value) {
    frontEnd().doEvents();
    m_blnCancel = value;
}

void frmStatus::cmdCancel_Click() {
    // Set directly: the click already runs inside the processing of window messages.
    m_blnCancel = true;
}

} // namespace KM_SLN_SOA
