#include "frmNoOfCols.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsHelp.h"
#include "basLandscape.h"
#include "host/basCommon.h"
#include "host/clsUtils.h"
#include "platform/runtime/Numeric.h"

namespace KM_SLN_SOA {

namespace {

constexpr km::rt::Long helpTopic = 999855;

} // namespace

frmNoOfCols::frmNoOfCols(km::ui::FrontEnd& frontEnd) : Form(frontEnd, "frmNoOfCols", "Landscape Manager") {
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { hide(); };
    cmdHelp.onClick = [this] { clsHelp().ShowHelpTopicKM(windowHandle(), helpTopic); };
}

void frmNoOfCols::onLoad() {
    cboNumber.clear();
    for (const char* strNumber : {"1", "2", "3", "4"}) {
        cboNumber.addItem(strNumber);
    }
    cboNumber.setText("2");
    KMFormLanguageSetUp(*this);
    if (goUtils && goUtils->oKMXres()) {
        auto oKMXres = goUtils->oKMXres();
        setCaption(oKMXres->GetLocalString(25) + " " + versionText);
        cmdOK.setCaption(oKMXres->GetLocalString(7));
        cmdCancel.setCaption(oKMXres->GetLocalString(8));
    }
}

void frmNoOfCols::cmdOK_Click() {
    try {
        lngValue = km::rt::CLng(km::rt::Val(cboNumber.text()));
    } catch (const std::exception& error) {
        // A number beyond the 32-bit range: say so and let the user type another.
        ShowStandardError(error);
        return;
    }
    if (lngValue < 1) {
        LandscapeMsgBox("You must have at least 1 column", styleOk, std::string(messageTitle));
        return;
    }
    blnOkPressed = true;
    hide();
}

} // namespace KM_SLN_SOA
