#pragma once
#include <string>

namespace KM_SLN_SOA {

/// The facade through which the host's menu commands and macros drive the library. Each command
/// method sets the trace switch, sets up the shared objects (InitialiseObjects), runs one worker
/// and tears the shared objects down again (DestroyObjects). An error that the worker does not
/// handle itself propagates to the caller, and the shared objects are then left set up until the
/// next InitialiseObjects replaces them. The object holds no state between calls.
class LandscapeMgr {
public:
    /// Installs the solution's metamodel; always False.
    bool LoadMetamodel();
    /// The installation check's answer.
    bool CheckInstallation();
    void RunReportServiceRoadmap();
    /// Opens the solution's help file at its start page.
    void ShowHelp();
    /// Colours the symbols whose definition's property compares with a value; always False.
    bool SimpleQuery(const std::string& PropName, const std::string& PropValue, const std::string& Colour,
                     const std::string& SymbolTypeName, const std::string& BooleanOperator = "=",
                     const std::string& KeyTitle = "");
    /// Runs the analytics assigned to the open diagram; with no open diagram nothing happens.
    /// Always False.
    bool ExecuteAnalyticsForDiagram();
    /// Runs a report-driven analytic; the switch arguments are "true" (any case) or anything else.
    bool ComplexQuery(const std::string& AnalyticReportName, const std::string& ExecuteIfNULL,
                      const std::string& Colour, const std::string& SymbolTypeName, const std::string& KeyTitle = "",
                      const std::string& DoGrouping = "", const std::string& DrawBoxes = "");
    /// Opens the analytic builder wizard modeless; always False, errors ignored.
    bool CreateAnalytic();
    /// Opens the analytic selector modeless; always False, errors ignored.
    bool AnalyticExecutor();
    void ClearAnalytics();
    void BuildLandscape();
    void BuildAutoLandscape();
    void RefreshLandscape();
    void BuildServiceHierarchies();
    /// Sets up goApp, goImf, goStatusMgr, goDisplay and goUtils, in this order. Errors propagate.
    void InitialiseObjects();
    /// Releases goUtils, goDisplay, goStatusMgr, goApp and goImf, in this order.
    void DestroyObjects();

    /// The Boolean a text switch argument stands for: True only for "true" in any case.
    static bool FlagOf(const std::string& text);
};

} // namespace KM_SLN_SOA
