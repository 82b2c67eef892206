#pragma once
#include "platform/runtime/Types.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"

namespace KM_SLN_SOA {

/// Asks for the number of columns of the narrowest container of a landscape.
class frmNoOfCols : public km::ui::Form {
public:
    explicit frmNoOfCols(km::ui::FrontEnd& frontEnd);

    /// True only when the dialog was closed with an accepted OK.
    bool blnOkPressed = false;
    /// The number read at the last OK, accepted or not; 0 until OK is pressed.
    km::rt::Long lngValue = 0;

    km::ui::Label lblSelectNumber{*this, "lblSelectNumber", "&Select number of columns for narrowest collection:"};
    km::ui::ComboBox cboNumber{*this, "cboNumber"};
    km::ui::CommandButton cmdOK{*this, "cmdOK", "OK"};
    km::ui::CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};
    km::ui::CommandButton cmdHelp{*this, "cmdHelp", "&Help"};

protected:
    void onLoad() override;

private:
    void cmdOK_Click();
};

} // namespace KM_SLN_SOA
