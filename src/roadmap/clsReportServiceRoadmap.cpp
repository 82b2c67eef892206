#include "clsReportServiceRoadmap.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsStatusMgr.h"
#include "frmReportServiceRoadmap.h"
#include "host/basCommon.h"
#include "host/clsUtils.h"
#include "platform/excel/ExcelBorder.h"
#include "platform/excel/ExcelComment.h"
#include "platform/excel/ExcelConstants.h"
#include "platform/excel/ExcelFont.h"
#include "platform/excel/ExcelInterior.h"
#include "platform/excel/ExcelWorkbook.h"
#include "platform/excel/ExcelWorkbooks.h"
#include "platform/excel/IExcelApplication.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/FrontEnd.h"
#include "platform/ui/MessageBoxStyle.h"

namespace KM_SLN_SOA {

using km::excel::ExcelRange;
using km::rt::Date;
using km::rt::Long;

namespace {

constexpr int applicationType = 309;
constexpr int componentType = 618;
constexpr int projectType = 662;
constexpr int servicePlanType = 624;

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i ? "\n" : "") + lines[i];
    }
    return text;
}

const std::string settings =
    "SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT English } ";

} // namespace

// ---------------------------------------------------------------------------------------------
// The run

void clsReportServiceRoadmap::RunReport() {
    try {
        if (!CheckRoadmapRules()) {
            if (goStatusMgr->KMMsgBox("There were rules inconsistencies. The report may be innacurate. Continue?",
                                      km::ui::msgbox::yesNo, messageTitle) != km::ui::answer::yes) {
                return;
            }
        }
        Date dtFrom, dtTo;
        Long outInterval = 0;
        {
            frmReportServiceRoadmap oDialog(HostServices().FrontEnd());
            oDialog.show(km::ui::Modality::Modal);
            if (!oDialog.blnOkPressed) {
                goStatusMgr->SetStatus("Cancelled.");
                oDialog.unload();
                return;
            }
            dtFrom = oDialog.dtFrom;
            dtTo = oDialog.dtTo;
            outInterval = oDialog.outInterval;
            oDialog.unload();
        }
        std::shared_ptr<km::excel::ExcelWorkbook> oWorkbook;
        if (!ExcelStart(oExcel, oWorkbook, oWorksheet)) {
            return;
        }
        goStatusMgr->ShowStatus();
        ItemList colComponents = GetComponentReport();
        ItemList colAdditions = GetServicePlanReport(true);
        ItemList colRemovals = GetServicePlanReport(false);
        SetInterval(outInterval);
        m_lngColumns = WriteDateHeader(dtFrom, dtTo);
        // Without heading columns there is no grid to fill: every row would fail alike.
        if (m_lngColumns > 0) {
            WriteComponents(dtFrom, dtTo, colComponents, colAdditions, colRemovals);
        }
        FinishSheet();
        goStatusMgr->HideStatus();
        ShowExcel(*oExcel);
        goStatusMgr->SetStatus(Cancelled() ? "Cancelled." : "Complete.");
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

bool clsReportServiceRoadmap::Cancelled() const {
    return goStatusMgr && goStatusMgr->Cancelled();
}

// ---------------------------------------------------------------------------------------------
// The rules check

bool clsReportServiceRoadmap::CheckRoadmapRules() {
    bool blnConsistent = true;
    ItemList colProjects = GetProjectReport();
    if (!colProjects) {
        return true;
    }
    for (const pugi::xpath_node& oItem : colProjects->nodes()) {
        pugi::xml_node oProject = oItem.node();
        std::string strStart = GetPropertyValue(oProject, "Start Date");
        std::string strEnd = GetPropertyValue(oProject, "Completion Date");
        std::string strName = GetPropertyValue(oProject, "Project Name");
        bool blnDated = !strStart.empty() && !strEnd.empty();
        Date dtStart, dtEnd;
        if (blnDated) {
            dtStart = goUtils->GetDateFromKMDate(strStart);
            dtEnd = goUtils->GetDateFromKMDate(strEnd);
            if (dtStart >= dtEnd) {
                goStatusMgr->LogError("Project " + QuoteString(strName) + " has start date (" + dtStart.shortText() +
                                      ") after end date (" + dtEnd.shortText() + ")");
                blnConsistent = false;
            }
        }
        CheckProjectPlans(oProject, strName, blnDated, dtStart, dtEnd, blnConsistent);
    }
    return blnConsistent;
}

void clsReportServiceRoadmap::CheckProjectPlans(const pugi::xml_node& project, const std::string& strProjectName,
                                                bool blnProjectDated, Date dtProjectStart, Date dtProjectEnd,
                                                bool& blnConsistent) {
    for (const pugi::xpath_node& oItem : project.select_nodes("KMLevel/KMItem")) {
        pugi::xml_node oPlan = oItem.node();
        std::string strStart = GetPropertyValue(oPlan, "Start Date");
        std::string strEnd = GetPropertyValue(oPlan, "Completion Date");
        std::string strName = GetPropertyValue(oPlan, "Service Plan Name");
        if (strStart.empty() || strEnd.empty()) {
            continue;
        }
        Date dtStart = goUtils->GetDateFromKMDate(strStart);
        Date dtEnd = goUtils->GetDateFromKMDate(strEnd);
        std::string strWhich = "Service Plan " + QuoteString(strName) + " in Project " + QuoteString(strProjectName);
        auto log = [&](const std::string& strError) {
            goStatusMgr->LogError(strError);
            blnConsistent = false;
        };
        if (dtStart >= dtEnd) {
            log(strWhich + " has start date (" + dtStart.shortText() + ") after end date (" + dtEnd.shortText() + ")");
        }
        if (!blnProjectDated) {
            continue;
        }
        if (dtStart < dtProjectStart) {
            log(strWhich + " has start date (" + dtStart.shortText() + ") before project start date (" +
                dtProjectStart.shortText() + ")");
        }
        if (dtEnd > dtProjectEnd) {
            log(strWhich + " has end date (" + dtEnd.shortText() + ") after project end date (" +
                dtProjectEnd.shortText() + ")");
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The report scripts

clsReportServiceRoadmap::ItemList clsReportServiceRoadmap::GetComponentReport() {
    try {
        std::string strServiceType = std::to_string(goUtils->GetServiceTypeNumber());
        return RunReportXML(joinLines({
            "REPORT \"\" ",
            "ID 29805 ",
            "{ ",
            settings,
            "SETTING { PAGESIZE -1\", 0.00 } SETTING { REPORTFORMAT 0 } ",
            "FIELD \"Commission Date <-- Commission Date\" { SOURCE PROPERTY \"Commission Date\" LENGTH 10 TYPE DATE "
            "LEGEND \"Commission Date\" } ",
            "FIELD \"Decommission Date <-- Decommission Date\" { SOURCE PROPERTY \"Decommission Date\" LENGTH 10 "
            "TYPE DATE LEGEND \"Decommission Date\" } ",
            "TABULAR 1 ",
            "{ ",
            "SELECT \"Name\" LEGEND \"Component Name\" PARTIAL WHERE Class = Definition WHERE \"Type Number\" = " +
                std::to_string(componentType),
            "JOIN WHERE RELATION = \"provides\" JOIN SELECT \"Name\" LEGEND \"Service Name\" WHERE Class = "
            "Definition WHERE \"Type Number\" = " +
                strServiceType + " JOIN WHERE RELATION = \"provided by\" JOIN ",
            "SELECT \"Name\" LEGEND \"Application Name\" ,\"Commission Date <-- Commission Date\", \"Decommission "
            "Date <-- Decommission Date\" WHERE Class = Definition WHERE \"Type Number\" = " +
                std::to_string(applicationType) + " ",
            "} ",
            "}",
        }));
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

clsReportServiceRoadmap::ItemList clsReportServiceRoadmap::GetServicePlanReport(bool blnAdditions) {
    try {
        std::string strServiceType = std::to_string(goUtils->GetServiceTypeNumber());
        std::string strRelation = blnAdditions ? "is added to" : "is removed from";
        return RunReportXML(joinLines({
            settings,
            "FIELD \"Completion Date <-- Completion Date\" { SOURCE PROPERTY \"Completion Date\" LENGTH 10 TYPE DATE "
            "LEGEND \"Completion Date\" } ",
            "FIELD \"Start Date <-- Start Date\" { SOURCE PROPERTY \"Start Date\" LENGTH 10 TYPE DATE LEGEND \"Start "
            "Date\" } ",
            "FIELD \"Project Complete <-- Project Complete\" { SOURCE PROPERTY \"Project Complete\" LENGTH 1 TYPE "
            "BOOLEAN LEGEND \"Project Complete\" } ",
            "FIELD \"Application <-- Application\" { SOURCE PROPERTY \"Application\" LENGTH 82 TYPE CHARACTER LEGEND "
            "\"Application\" } ",
            "TABULAR 1 ",
            "{ ",
            "SELECT \"Name\" LEGEND \"Service Name\" WHERE Class = Definition WHERE \"Type Number\" = " +
                strServiceType + " JOIN ",
            "WHERE RELATION = \"" + strRelation +
                "\" JOIN SELECT \"Application <-- Application\", \"Start Date <-- Start Date\", \"Completion Date <-- "
                "Completion Date\", \"Project Complete <-- Project Complete\" ",
            "WHERE Class = Definition WHERE Type = \"Project/Service Plan\" JOIN WHERE RELATION = \"used by\" JOIN "
            "SELECT \"Name\" LEGEND \"Project Name\" WHERE Class = Definition WHERE Type = \"Project\" ",
            "} ",
        }));
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

clsReportServiceRoadmap::ItemList clsReportServiceRoadmap::GetProjectReport() {
    try {
        return RunReportXML(joinLines({
            settings,
            "FIELD \"Start Date\" { SOURCE PROPERTY \"Start Date\" LENGTH 10 TYPE DATE LEGEND \"Start Date\" } ",
            "FIELD \"Completion Date\" { SOURCE PROPERTY \"Completion Date\" LENGTH 10 TYPE DATE LEGEND \"Completion "
            "Date\" } ",
            "TABULAR 1 ",
            "{ ",
            "SELECT \"Name\" LEGEND \"Project Name\", \"Start Date\", \"Completion Date\" ",
            "WHERE Class = Definition WHERE \"Type Number\" = " + std::to_string(projectType) +
                " JOIN WHERE RELATION = \"uses\" JOIN SELECT \"Name\" LEGEND \"Service Plan Name\", \"Start Date\",  ",
            "\"Completion Date\" WHERE Class = Definition WHERE \"Type Number\" = " + std::to_string(servicePlanType) +
                " ",
            "}",
        }));
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

clsReportServiceRoadmap::ItemList clsReportServiceRoadmap::RunReportXML(const std::string& strReport) {
    try {
        return clsRGManager().ExecuteReportXML(strReport);
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Reading result nodes

std::string clsReportServiceRoadmap::GetPropertyValue(const pugi::xml_node& oNode, const std::string& strName) {
    // The first KMProperty child of that name, as "KMProperty[@KMPrpName='name']" selects it, but
    // without putting the name into a query.
    for (pugi::xml_node oProperty : oNode.children("KMProperty")) {
        if (strName == oProperty.attribute("KMPrpName").value()) {
            return oProperty.attribute("KMPrpValue").value();
        }
    }
    return {};
}

std::string clsReportServiceRoadmap::GetAttribute(const pugi::xml_node& oNode, const std::string& strName) {
    return oNode.attribute(strName.c_str()).value();
}

std::string clsReportServiceRoadmap::GetNodeText(const pugi::xml_node& oNode) {
    return oNode.text().get();
}

Date clsReportServiceRoadmap::GetDateProperty(const pugi::xml_node& oNode, const std::string& strName, Date dtDefault) {
    std::string strValue = GetPropertyValue(oNode, strName);
    return strValue.empty() ? dtDefault : goUtils->GetDateFromKMDate(strValue);
}

// ---------------------------------------------------------------------------------------------
// The date grid

void clsReportServiceRoadmap::SetInterval(Long lngInterval) {
    static const std::pair<const char*, Long> intervalEntries[] = {{"d", 1}, {"ww", 1}, {"ww", 2}, {"m", 1},
                                                                   {"m", 2}, {"m", 3},  {"m", 6},  {"yyyy", 1}};
    if (lngInterval < 1 || lngInterval > 8) {
        return;
    }
    m_strIntervalUnit = intervalEntries[lngInterval - 1].first;
    m_lngIntervalCount = intervalEntries[lngInterval - 1].second;
}

Date clsReportServiceRoadmap::PeriodStart(Date dtFrom, Long k) const {
    if (m_lngIntervalCount <= 0) {
        // A zero-width column would never reach the end of the range.
        throw km::rt::RuntimeError(km::rt::ErrorNumber::InvalidCall, "No interval has been chosen for the columns");
    }
    return km::rt::DateAdd(km::rt::dateUnitFromText(m_strIntervalUnit), static_cast<long>(k) * m_lngIntervalCount,
                           dtFrom);
}

Date clsReportServiceRoadmap::Horizon(Date dtTo) const {
    return PeriodStart(dtTo, 1);
}

bool clsReportServiceRoadmap::PeriodOverlaps(Date dtLifeStart, Date dtLifeEnd, Date dtPeriodStart, Date dtPeriodEnd) {
    return dtLifeStart <= dtPeriodEnd && dtLifeEnd >= dtPeriodStart;
}

void clsReportServiceRoadmap::WriteComponents(Date dtFrom, Date dtTo, const ItemList& colComponents,
                                              const ItemList& colAdditions, const ItemList& colRemovals) {
    try {
        if (!colComponents) {
            return;
        }
        for (const pugi::xpath_node& oItem : colComponents->nodes()) {
            if (Cancelled()) {
                return;
            }
            pugi::xml_node oComponent = oItem.node();
            ExcelRange oRow = NextRow();
            DrawRowTop(oRow, true);
            std::string strComponent = GetAttribute(oComponent, "Name");
            oRow.Cells(1).Value(strComponent);
            bool blnFirst = true;
            for (const pugi::xpath_node& oServiceItem : oComponent.select_nodes("KMLevel/KMItem")) {
                pugi::xml_node oService = oServiceItem.node();
                if (!blnFirst) {
                    oRow = NextRow();
                    DrawRowTop(oRow, false);
                }
                blnFirst = false;
                std::string strService = GetAttribute(oService, "Name");
                oRow.Cells(2).Value(strService);
                if (!goStatusMgr->SetStatus("Processing Service " + strComponent + "-" + strService)) {
                    break;
                }
                WriteApplications(oRow, dtFrom, dtTo, oService, colAdditions, colRemovals);
            }
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsReportServiceRoadmap::WriteApplications(ExcelRange& oRow, Date dtFrom, Date dtTo,
                                                const pugi::xml_node& oService, const ItemList& colAdditions,
                                                const ItemList& colRemovals) {
    try {
        bool blnRowFree = true;
        Date dtHorizon = Horizon(dtTo);
        m_dtFrom = dtFrom;
        for (const pugi::xpath_node& oItem : oService.select_nodes("KMLevel/KMItem")) {
            if (Cancelled()) {
                break;
            }
            if (blnRowFree) {
                blnRowFree = false;
            } else {
                oRow = NextRow();
                DrawRowTop(oRow, false);
            }
            pugi::xml_node oApplication = oItem.node();
            Date dtCommission = GetDateProperty(oApplication, "Commission Date", dtFrom);
            Date dtDecommission = GetDateProperty(oApplication, "Decommission Date", dtHorizon);
            WriteApplicationPeriods(oRow, oApplication, oService, colRemovals, dtCommission, dtDecommission, dtHorizon);
        }
        if (!Cancelled()) {
            WriteAddedApplications(oRow, oService, colAdditions, dtFrom, dtTo, blnRowFree);
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

// One application's row: its name in every period its life span overlaps, unless a removal has
// completed by the period's end; the row ends with the life span.
void clsReportServiceRoadmap::WriteApplicationPeriods(const ExcelRange& oRow, const pugi::xml_node& oApplication,
                                                      const pugi::xml_node& oService, const ItemList& colRemovals,
                                                      Date dtCommission, Date dtDecommission, Date dtHorizon) {
    std::string strName = GetAttribute(oApplication, "Name");
    bool blnReached = false;
    for (Long k = 0;; ++k) {
        if (Cancelled()) {
            return;
        }
        Date dtStart = PeriodStart(m_dtFrom, k);
        Date dtEnd = PeriodStart(m_dtFrom, k + 1);
        if (PeriodOverlaps(dtCommission, dtDecommission, dtStart, dtEnd)) {
            auto [intState, strProjects] = GetRemovalState(oApplication, oService, colRemovals, dtEnd);
            if (intState == 0 || intState == 1) {
                ExcelRange oCell = oRow.Cells(1, k + 3);
                oCell.Value(strName);
                ColourCell(oCell, intState, strProjects);
            }
            blnReached = true;
        } else if (blnReached) {
            return;
        }
        if (dtEnd > dtHorizon) {
            return;
        }
    }
}

void clsReportServiceRoadmap::WriteAddedApplications(ExcelRange& oRow, const pugi::xml_node& oService,
                                                     const ItemList& colAdditions, Date dtFrom, Date dtTo,
                                                     bool& blnRowFree) {
    try {
        std::string strServiceId = GetAttribute(oService, "DDID");
        if (!colAdditions) {
            return;
        }
        Date dtHorizon = Horizon(dtTo);
        m_dtFrom = dtFrom;
        for (const pugi::xpath_node& oItem : colAdditions->nodes()) {
            if (Cancelled()) {
                return;
            }
            if (GetAttribute(oItem.node(), "DDID") != strServiceId) {
                continue;
            }
            for (const pugi::xpath_node& oRelated :
                 oItem.node().select_nodes("KMLevel/KMItem/KMProperty[@KMPrpName='Application']/KMRelatedItem")) {
                if (Cancelled()) {
                    return;
                }
                // The row is taken before the plan's dates are looked at: a plan without dates
                // leaves an empty row.
                if (blnRowFree) {
                    blnRowFree = false;
                } else {
                    oRow = NextRow();
                    DrawRowTop(oRow, false);
                }
                WriteAddedPeriods(oRow, GetNodeText(oRelated.node()), oRelated.node().parent().parent(), dtHorizon);
            }
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

// An added application's row: under way (1) until the plan completes, completing (2) in the
// period holding the completion, in service (0) after it, from the plan's start to the horizon.
void clsReportServiceRoadmap::WriteAddedPeriods(const ExcelRange& oRow, const std::string& strName,
                                                const pugi::xml_node& oPlan, Date dtHorizon) {
    std::string strStart = GetPropertyValue(oPlan, "Start Date");
    std::string strCompletion = GetPropertyValue(oPlan, "Completion Date");
    if (strStart.empty() || strCompletion.empty()) {
        return;
    }
    Date dtStart = goUtils->GetDateFromKMDate(strStart);
    Date dtCompletion = goUtils->GetDateFromKMDate(strCompletion);
    std::string strProjects = GetAttribute(oPlan.select_node("KMLevel/KMItem[1]").node(), "Name");
    for (Long k = 0;; ++k) {
        if (Cancelled()) {
            return;
        }
        Date dtPeriodStart = PeriodStart(m_dtFrom, k);
        Date dtPeriodEnd = PeriodStart(m_dtFrom, k + 1);
        if (dtStart < dtPeriodEnd) {
            ExcelRange oCell = oRow.Cells(1, k + 3);
            oCell.Value(strName);
            if (dtPeriodEnd <= dtCompletion) {
                ColourCell(oCell, 1, strProjects);
            } else if (dtCompletion >= dtPeriodStart) {
                ColourCell(oCell, 2, strProjects);
            } else {
                ColourCell(oCell, 0, "");
            }
        }
        if (dtPeriodEnd > dtHorizon) {
            return;
        }
    }
}

std::pair<int, std::string> clsReportServiceRoadmap::GetRemovalState(const pugi::xml_node& oApplication,
                                                                     const pugi::xml_node& oService,
                                                                     const ItemList& colRemovals, Date dtPeriodEnd) {
    int intState = 0;
    std::string strProjects;
    try {
        for (const RemovalPlan& plan : RemovalPlans(oApplication, oService, colRemovals)) {
            // A plan that starts after this period says nothing about it; it must not undo what an
            // earlier plan in the document did.
            if (plan.start >= dtPeriodEnd) {
                continue;
            }
            strProjects += (strProjects.empty() ? "" : "\r\n") + plan.project;
            intState = plan.completion >= dtPeriodEnd || intState == 1 ? 1 : 2;
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return {0, {}};
    }
    return {intState, strProjects};
}

// The dated removal plans of an application in a service, in document order. They do not change
// during a run, so they are read once instead of once per period.
const std::vector<clsReportServiceRoadmap::RemovalPlan>&
clsReportServiceRoadmap::RemovalPlans(const pugi::xml_node& oApplication, const pugi::xml_node& oService,
                                      const ItemList& colRemovals) {
    std::string strServiceId = GetAttribute(oService, "DDID");
    std::string strApplicationId = GetAttribute(oApplication, "DDID");
    auto [at, added] = m_removalPlans.try_emplace({strServiceId, strApplicationId});
    if (!added || !colRemovals) {
        return at->second;
    }
    pugi::xpath_variable_set variables;
    variables.set("ddid", strApplicationId.c_str());
    pugi::xpath_query plans("KMLevel/KMItem/KMProperty[@KMPrpName='Application']/KMRelatedItem[@DDID=$ddid]"
                            "/parent::KMProperty/parent::KMItem",
                            &variables);
    for (const pugi::xpath_node& oItem : colRemovals->nodes()) {
        if (Cancelled()) {
            break;
        }
        if (GetAttribute(oItem.node(), "DDID") != strServiceId) {
            continue;
        }
        for (const pugi::xpath_node& oPlan : oItem.node().select_nodes(plans)) {
            std::string strStart = GetPropertyValue(oPlan.node(), "Start Date");
            std::string strCompletion = GetPropertyValue(oPlan.node(), "Completion Date");
            if (strStart.empty() || strCompletion.empty()) {
                continue;
            }
            at->second.push_back({goUtils->GetDateFromKMDate(strStart), goUtils->GetDateFromKMDate(strCompletion),
                                  GetAttribute(oPlan.node().select_node("KMLevel/KMItem[1]").node(), "Name")});
        }
    }
    return at->second;
}

// ---------------------------------------------------------------------------------------------
// The worksheet

bool clsReportServiceRoadmap::ExcelStart(std::shared_ptr<km::excel::IExcelApplication>& oExcel,
                                         std::shared_ptr<km::excel::ExcelWorkbook>& oWorkbook,
                                         km::excel::ExcelWorksheet*& oWorksheet) {
    try {
        oExcel = HostServices().CreateExcel();
        oWorkbook = oExcel->Workbooks().Add();
        oExcel->Visible(false);
        std::string strSheet = oWorkbook->Worksheets().Item(1).Name();
        oWorksheet = &oWorkbook->Worksheets().Item(strSheet);
        oWorksheet->Activate();
        oExcel->Visible(false);
        oExcel->WindowState(km::excel::xl::Minimized);
        return true;
    } catch (const std::exception& error) {
        // Nothing of a start that failed half-way stays behind: the workbook is closed unwritten
        // and the application let go.
        oWorksheet = nullptr;
        try {
            if (oWorkbook) {
                oWorkbook->Close();
            }
            if (oExcel) {
                oExcel->Quit();
            }
        } catch (...) {
        }
        oWorkbook.reset();
        oExcel.reset();
        goStatusMgr->KMMsgBox(
            "Could not start Microsoft Excel. Check you have a licensed copy correctly installed.\r\n" +
                ErrorDescription(error),
            km::ui::msgbox::critical, messageTitle);
        return false;
    }
}

ExcelRange clsReportServiceRoadmap::NextRow() {
    if (!oWorksheet) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    if (m_lngCurrentRow == 0) {
        m_lngCurrentRow = 2;
    }
    ++m_lngCurrentRow;
    return oWorksheet->Rows(m_lngCurrentRow);
}

Long clsReportServiceRoadmap::WriteDateHeader(Date dtFrom, Date dtTo) {
    try {
        ExcelRange oRow = NextRow();
        oRow.Cells(1, 1).Value("Service Component");
        oRow.Cells(1, 1).Font().Bold(true);
        oRow.Cells(1, 2).Value("Service");
        oRow.Cells(1, 2).Font().Bold(true);
        Long i = 0;
        for (;;) {
            Date dtDate = PeriodStart(dtFrom, i);
            ExcelRange oCell = oRow.Cells(1, i + 3);
            oCell.Value(dtDate);
            oCell.Columns().AutoFit();
            oCell.Font().Bold(true);
            ++i;
            if (dtDate > dtTo) {
                break;
            }
        }
        m_lngColumns = i;
        DrawRowTop(oRow, true);
        return i;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return 0;
    }
}

void clsReportServiceRoadmap::DrawRowTop(const ExcelRange& oRow, bool blnThick) {
    namespace xl = km::excel::xl;
    try {
        ExcelRange oRange = oWorksheet->Range(oRow.Cells(1, 1), oRow.Cells(1, m_lngColumns + 2));
        for (long long i = 1; i <= oRange.Count(); ++i) {
            km::excel::ExcelBorder oBorder = oRange.Cells(i).Borders(xl::EdgeRight);
            oBorder.LineStyle(xl::Continuous);
            oBorder.Weight(xl::Thin);
            oBorder.ColorIndex(xl::Automatic);
        }
        km::excel::ExcelBorder oTop = oRange.Borders(xl::EdgeTop);
        oTop.LineStyle(xl::Continuous);
        oTop.Weight(blnThick ? xl::Thick : xl::Thin);
        oTop.ColorIndex(xl::Automatic);
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsReportServiceRoadmap::ColourCell(const ExcelRange& oCell, int intState, const std::string& strProjects) {
    static const int stateColours[] = {15, 44, 4};
    try {
        if (intState >= 0 && intState <= 2) {
            km::excel::ExcelInterior oInterior = oCell.Interior();
            oInterior.ColorIndex(stateColours[intState]);
            oInterior.Pattern(km::excel::xl::Solid);
            oInterior.PatternColorIndex(km::excel::xl::Automatic);
        }
        if (!strProjects.empty()) {
            km::excel::ExcelComment& oComment = oCell.AddComment();
            oComment.Visible(false);
            oComment.Text("Projects:\n" + strProjects);
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsReportServiceRoadmap::FinishSheet() {
    namespace xl = km::excel::xl;
    try {
        // Columns 1 and 2 are fitted before the title goes in, so that it does not widen column 1.
        oWorksheet->Columns(1).AutoFit();
        oWorksheet->Columns(2).AutoFit();
        ExcelRange oRange = oWorksheet->Range(oWorksheet->Cells(1, 1),
                                              oWorksheet->Cells(std::max<Long>(m_lngCurrentRow, 1), m_lngColumns + 2));
        for (int intEdge : {xl::EdgeBottom, xl::EdgeTop, xl::EdgeLeft, xl::EdgeRight}) {
            km::excel::ExcelBorder oBorder = oRange.Borders(intEdge);
            oBorder.LineStyle(xl::Continuous);
            oBorder.Weight(xl::Thick);
            oBorder.ColorIndex(xl::Automatic);
        }
        oWorksheet->Cells(1, 1).Value("Service Roadmap Report");
        oWorksheet->Cells(1, 1).Font().Size(20);
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsReportServiceRoadmap::ShowExcel(km::excel::IExcelApplication& oExcel) {
    try {
        oExcel.Visible(true);
        oExcel.WindowState(km::excel::xl::Maximized);
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

} // namespace KM_SLN_SOA
