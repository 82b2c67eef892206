#include "frmReportServiceRoadmap.h"
#include "addin/AddinVersion.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsHelp.h"
#include "addin/clsStatusMgr.h"
#include "host/clsUtils.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/MessageBoxStyle.h"

namespace KM_SLN_SOA {

using km::rt::Date;
using km::rt::DateAdd;
using km::rt::DateUnit;
using km::rt::Long;

namespace {

constexpr Long helpTopic = 999854;

// The intervals in the order the list shows them, each with its code.
const std::pair<const char*, Long> intervalEntries[] = {
    {"One Day", 1},    {"One Week", 2},   {"Two Weeks", 3}, {"One Month", 4},
    {"Two Months", 5}, {"Six Months", 7}, {"Quarterly", 6}, {"One Year", 8},
};

// The first day of the quarter (From) or of the next quarter (To) of a date.
Date AlignQuarter(Date dtDate, bool blnFrom) {
    int intYear = dtDate.year();
    for (int intMonth : {4, 7, 10}) {
        if (dtDate < Date::fromYmd(intYear, intMonth, 1)) {
            return Date::fromYmd(intYear, blnFrom ? intMonth - 3 : intMonth, 1);
        }
    }
    return blnFrom ? Date::fromYmd(intYear, 10, 1) : Date::fromYmd(intYear + 1, 1, 1);
}

// Half years are split at 1 June.
Date AlignHalfYear(Date dtDate, bool blnFrom) {
    int intYear = dtDate.year();
    if (dtDate < Date::fromYmd(intYear, 6, 1)) {
        return Date::fromYmd(intYear, blnFrom ? 1 : 6, 1);
    }
    return blnFrom ? Date::fromYmd(intYear, 6, 1) : Date::fromYmd(intYear + 1, 1, 1);
}

} // namespace

frmReportServiceRoadmap::frmReportServiceRoadmap(km::ui::FrontEnd& ui)
    : Form(ui, "frmReportServiceRoadmap", "Service Roadmap Report") {
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { hide(); };
    cmdHelp.onClick = [this] { cmdHelp_Click(); };
}

void frmReportServiceRoadmap::onLoad() {
    FillIntervals();
    if (!goUtils) {
        return;
    }
    goUtils->KMFormLanguageSetUp(*this);
    if (auto oKMXres = goUtils->oKMXres()) {
        setCaption(oKMXres->GetLocalString(25) + " " + versionText);
        cmdOK.setCaption(oKMXres->GetLocalString(7));
        cmdCancel.setCaption(oKMXres->GetLocalString(8));
    }
}

void frmReportServiceRoadmap::FillIntervals() {
    cboInterval.clear();
    for (const auto& [strText, lngCode] : intervalEntries) {
        cboInterval.addItem(strText);
        cboInterval.setItemData(cboInterval.newIndex(), lngCode);
    }
    cboInterval.setToolTipText("The time interval each column in the date grid will represent.");
    cboInterval.setText(cboInterval.list(5));
    dtpFromDate.setValue(Date::today());
    dtpToDate.setValue(Date::today());
}

void frmReportServiceRoadmap::cmdOK_Click() {
    // The combo box takes typed text too: only an entry's own text names an interval.
    int intIndex = cboInterval.findItem(cboInterval.text());
    Long lngInterval = intIndex >= 0 ? cboInterval.itemData(intIndex) : 0;
    if (lngInterval < 1 || lngInterval > 8) {
        ShowStop("You must choose an 'Interval for columns' from the list");
        return;
    }
    Date dtAlignedFrom, dtAlignedTo;
    try {
        dtAlignedFrom = AlignDate(dtpFromDate.value(), lngInterval, true);
        dtAlignedTo = AlignDate(dtpToDate.value(), lngInterval, false);
    } catch (const km::rt::RuntimeError&) {
        // A range that ends past the last date there is cannot be laid out either.
        dtAlignedTo = dtAlignedFrom;
    }
    outInterval = lngInterval;
    dtFrom = dtAlignedFrom;
    dtTo = dtAlignedTo;
    if (dtTo > dtFrom) {
        blnOkPressed = true;
        hide();
    } else {
        ShowStop("You must specify a 'To date' after the 'From date'");
    }
}

void frmReportServiceRoadmap::cmdHelp_Click() {
    clsHelp().ShowHelpTopicKM(windowHandle(), helpTopic);
}

void frmReportServiceRoadmap::ShowStop(const std::string& strMessage) {
    if (goStatusMgr) {
        goStatusMgr->KMMsgBox(strMessage, km::ui::msgbox::critical, messageTitle);
    }
}

Date frmReportServiceRoadmap::AlignDate(Date dtDate, Long lngInterval, bool blnFrom) {
    int intWeekday = dtDate.weekday();
    switch (lngInterval) {
    case 2:
    case 3:
        return DateAdd(DateUnit::Day, blnFrom ? 2 - intWeekday : 8 - intWeekday, dtDate);
    case 4:
    case 5: {
        Date dtFirst = Date::fromYmd(dtDate.year(), dtDate.month(), 1);
        return blnFrom ? dtFirst : DateAdd(DateUnit::Day, -1, DateAdd(DateUnit::Month, 1, dtFirst));
    }
    case 6:
        return AlignQuarter(dtDate, blnFrom);
    case 7:
        return AlignHalfYear(dtDate, blnFrom);
    case 8:
        return Date::fromYmd(blnFrom ? dtDate.year() : dtDate.year() + 1, 1, 1);
    default:
        return dtDate;
    }
}

} // namespace KM_SLN_SOA
