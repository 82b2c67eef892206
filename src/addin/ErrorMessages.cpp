#include "ErrorMessages.h"
#include "basConstantsAndPublicVars.h"
#include "clsStatusMgr.h"
#include "host/clsUtils.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/MessageBoxStyle.h"

namespace KM_SLN_SOA {

namespace {

// Localised string 1 opens the standard error message. Without the utilities (an error before
// they were set up) the message still shows the description.
std::string standardErrorOpening() {
    if (!goUtils || !goUtils->oKMXres()) {
        return {};
    }
    return goUtils->oKMXres()->GetLocalString(1);
}

} // namespace

std::string ErrorDescription(const std::exception& error) {
    return km::rt::describe(error);
}

void ShowStandardError(const std::exception& error, const std::string& title) {
    if (!goStatusMgr) {
        return;
    }
    goStatusMgr->KMMsgBox(standardErrorOpening() + "\r\n" + ErrorDescription(error), km::ui::msgbox::critical, title);
}

void ShowProcedureError(const std::exception& error, const std::string& procedure, const std::string& module,
                        bool isForm, const std::string& title) {
    if (!goStatusMgr) {
        return;
    }
    std::string prompt = "Unknown Error (" + ErrorDescription(error) + ") in procedure " + procedure +
                         (isForm ? " of Form " : " of Class Module ") + module;
    goStatusMgr->KMMsgBox(prompt, km::ui::msgbox::critical, title);
}

} // namespace KM_SLN_SOA
