#pragma once
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include <string>

namespace KM_SLN_SOA {

/// The status window: a message line and a Cancel button that long commands poll.
class frmStatus : public km::ui::Form {
public:
    explicit frmStatus(km::ui::FrontEnd& frontEnd);

    /// Shows \p strMessage on the message line and answers whether Cancel was pressed.
    bool SetStatus(const std::string& strMessage);

    /// Reading or writing the cancel flag lets pending window messages run first, so that a
    /// pressed Cancel button is seen.
    bool blnCancel();
    void blnCancel(bool value);

    km::ui::Label lblStatus{*this, "lblStatus"};
    km::ui::CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};

protected:
    void onLoad() override;

private:
    void cmdCancel_Click();

    bool m_blnCancel = false;
};

} // namespace KM_SLN_SOA
