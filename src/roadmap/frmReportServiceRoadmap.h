#pragma once
#include "platform/runtime/Date.h"
#include "platform/runtime/Types.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"

namespace KM_SLN_SOA {

/// The options of the service roadmap: the date range and the width of one date column. On OK
/// the dates are aligned to the chosen interval's boundaries (a Monday, the first of a month, a
/// quarter's start) and the results are left for the caller in blnOkPressed, dtFrom, dtTo and
/// outInterval.
class frmReportServiceRoadmap : public km::ui::Form {
public:
    explicit frmReportServiceRoadmap(km::ui::FrontEnd& ui);

    km::ui::Label lblFromDate{*this, "lblFromDate", "From date:"};
    km::ui::DatePicker dtpFromDate{*this, "dtpFromDate"};
    km::ui::Label lblToDate{*this, "lblToDate", "To date:"};
    km::ui::DatePicker dtpToDate{*this, "dtpToDate"};
    km::ui::Label lblInterval{*this, "lblInterval", "Interval for columns:"};
    km::ui::ComboBox cboInterval{*this, "cboInterval"};
    km::ui::CommandButton cmdOK{*this, "cmdOK", "OK"};
    km::ui::CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};
    km::ui::CommandButton cmdHelp{*this, "cmdHelp", "&Help"};

    bool blnOkPressed = false;
    km::rt::Date dtFrom;
    km::rt::Date dtTo;
    km::rt::Long outInterval = 0;

    /// The date aligned to the interval's boundary: for the From date (\p blnFrom) the start of
    /// the period holding it, for the To date the end of that period (codes 1 to 5) or the start
    /// of the next (codes 6 to 8). Error 5 when the result would lie after the year 9999.
    static km::rt::Date AlignDate(km::rt::Date dtDate, km::rt::Long lngInterval, bool blnFrom);

protected:
    void onLoad() override;

private:
    void FillIntervals();
    void cmdOK_Click();
    void cmdHelp_Click();
    void ShowStop(const std::string& strMessage);
};

} // namespace KM_SLN_SOA
