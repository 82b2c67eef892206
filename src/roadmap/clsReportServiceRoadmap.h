#pragma once
#include "host/clsRGManager.h"
#include "platform/excel/ExcelRange.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Types.h"
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

namespace km::excel {
class ExcelWorkbook;
class ExcelWorksheet;
class IExcelApplication;
} // namespace km::excel

namespace KM_SLN_SOA {

/// The service roadmap report: which applications provide each service of each service
/// component over a span of dates, one worksheet column per period, and how service plans add
/// applications to services or remove them. The rules check of project and plan dates runs
/// first; its problems go to the error log. One object serves one run.
class clsReportServiceRoadmap {
public:
    /// Runs the whole report: rules check, options dialog, data, grid, spreadsheet.
    void RunReport();

private:
    // The tests reach the period arithmetic directly, since the dialog always aligns From.
    friend class clsReportServiceRoadmapTestPeer;
    using ItemList = std::shared_ptr<ReportItemList>;
    /// A removal plan of one application in one service, read once per run.
    struct RemovalPlan {
        km::rt::Date start;
        km::rt::Date completion;
        std::string project;
    };

    bool CheckRoadmapRules();
    void CheckProjectPlans(const pugi::xml_node& project, const std::string& strProjectName, bool blnProjectDated,
                           km::rt::Date dtProjectStart, km::rt::Date dtProjectEnd, bool& blnConsistent);
    ItemList GetComponentReport();
    ItemList GetProjectReport();
    ItemList GetServicePlanReport(bool blnAdditions);
    ItemList RunReportXML(const std::string& strReport);

    void SetInterval(km::rt::Long lngInterval);
    void WriteComponents(km::rt::Date dtFrom, km::rt::Date dtTo, const ItemList& colComponents,
                         const ItemList& colAdditions, const ItemList& colRemovals);
    void WriteApplications(km::excel::ExcelRange& oRow, km::rt::Date dtFrom, km::rt::Date dtTo,
                           const pugi::xml_node& oService, const ItemList& colAdditions, const ItemList& colRemovals);
    void WriteApplicationPeriods(const km::excel::ExcelRange& oRow, const pugi::xml_node& oApplication,
                                 const pugi::xml_node& oService, const ItemList& colRemovals, km::rt::Date dtCommission,
                                 km::rt::Date dtDecommission, km::rt::Date dtHorizon);
    void WriteAddedApplications(km::excel::ExcelRange& oRow, const pugi::xml_node& oService,
                                const ItemList& colAdditions, km::rt::Date dtFrom, km::rt::Date dtTo, bool& blnRowFree);
    void WriteAddedPeriods(const km::excel::ExcelRange& oRow, const std::string& strName, const pugi::xml_node& oPlan,
                           km::rt::Date dtHorizon);
    std::pair<int, std::string> GetRemovalState(const pugi::xml_node& oApplication, const pugi::xml_node& oService,
                                                const ItemList& colRemovals, km::rt::Date dtPeriodEnd);
    const std::vector<RemovalPlan>& RemovalPlans(const pugi::xml_node& oApplication, const pugi::xml_node& oService,
                                                 const ItemList& colRemovals);
    static bool PeriodOverlaps(km::rt::Date dtLifeStart, km::rt::Date dtLifeEnd, km::rt::Date dtPeriodStart,
                               km::rt::Date dtPeriodEnd);

    std::string GetPropertyValue(const pugi::xml_node& oNode, const std::string& strName);
    std::string GetAttribute(const pugi::xml_node& oNode, const std::string& strName);
    std::string GetNodeText(const pugi::xml_node& oNode);
    /// A date property as a date; \p dtDefault when the property is empty.
    km::rt::Date GetDateProperty(const pugi::xml_node& oNode, const std::string& strName, km::rt::Date dtDefault);

    bool ExcelStart(std::shared_ptr<km::excel::IExcelApplication>& oExcel,
                    std::shared_ptr<km::excel::ExcelWorkbook>& oWorkbook, km::excel::ExcelWorksheet*& oWorksheet);
    km::rt::Long WriteDateHeader(km::rt::Date dtFrom, km::rt::Date dtTo);
    void DrawRowTop(const km::excel::ExcelRange& oRow, bool blnThick);
    void ColourCell(const km::excel::ExcelRange& oCell, int intState, const std::string& strProjects);
    km::excel::ExcelRange NextRow();
    void FinishSheet();
    void ShowExcel(km::excel::IExcelApplication& oExcel);

    /// The start of period \p k: From + k * count units (never built on an earlier period, so that
    /// month ends clamp from the From date).
    km::rt::Date PeriodStart(km::rt::Date dtFrom, km::rt::Long k) const;
    /// To + count units: the grid's last period ends after it.
    km::rt::Date Horizon(km::rt::Date dtTo) const;
    bool Cancelled() const;

    std::shared_ptr<km::excel::IExcelApplication> oExcel;
    km::excel::ExcelWorksheet* oWorksheet = nullptr;
    std::string m_strIntervalUnit;
    km::rt::Long m_lngIntervalCount = 0;
    km::rt::Long m_lngColumns = 0;
    km::rt::Long m_lngCurrentRow = 0;
    km::rt::Date m_dtFrom;
    std::map<std::pair<std::string, std::string>, std::vector<RemovalPlan>> m_removalPlans;
};

} // namespace KM_SLN_SOA
