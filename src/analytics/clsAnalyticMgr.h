#pragma once
#include <memory>
#include <string>

namespace km::host {
class IDiagram;
}

namespace KM_SLN_SOA {

/// Stores, runs and clears the analytics that colour a diagram's symbols.
/// FIXME: not written yet; every entry does nothing (ComplexQuery answers False).
class clsAnalyticMgr {
public:
    void ColourSyms(const std::string& PropName, const std::string& PropValue, const std::string& Colour,
                    const std::string& SymbolTypeName, const std::string& BooleanOperator, const std::string& KeyTitle);
    void ExecuteAnalyticsForDiagram(std::shared_ptr<km::host::IDiagram> dgmDiagram);
    bool ComplexQuery(const std::string& AnalyticReportName, bool ExecuteIfNULL, const std::string& Colour,
                      const std::string& SymbolTypeName, const std::string& KeyTitle, bool DoGrouping, bool DrawBoxes);
    void ClearAnalytics();
};

} // namespace KM_SLN_SOA
