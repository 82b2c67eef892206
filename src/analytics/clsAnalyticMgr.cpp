#include "clsAnalyticMgr.h"

namespace KM_SLN_SOA {

void clsAnalyticMgr::ColourSyms(const std::string& PropName, const std::string& PropValue, const std::string& Colour,
                                const std::string& SymbolTypeName, const std::string& BooleanOperator,
                                const std::string& KeyTitle) {
    (void)PropName, (void)PropValue, (void)Colour, (void)SymbolTypeName, (void)BooleanOperator, (void)KeyTitle;
}

void clsAnalyticMgr::ExecuteAnalyticsForDiagram(std::shared_ptr<km::host::IDiagram> dgmDiagram) {
    (void)dgmDiagram;
}

bool clsAnalyticMgr::ComplexQuery(const std::string& AnalyticReportName, bool ExecuteIfNULL, const std::string& Colour,
                                  const std::string& SymbolTypeName, const std::string& KeyTitle, bool DoGrouping,
                                  bool DrawBoxes) {
    (void)AnalyticReportName, (void)ExecuteIfNULL, (void)Colour, (void)SymbolTypeName, (void)KeyTitle, (void)DoGrouping,
        (void)DrawBoxes;
    return false;
}

void clsAnalyticMgr::ClearAnalytics() {}

} // namespace KM_SLN_SOA
