#pragma once
#include "host/IPropertyCollection.h"
#include "platform/runtime/Collection.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace km::host {
class IDefinition;
class IDiagram;
class ISymbol;
} // namespace km::host

namespace KM_SLN_SOA {

class clsColourMgr;
class clsColourMgrTypes;
using AnalyticCollection = km::rt::Collection<std::shared_ptr<km::host::IDefinition>>;

/// Stores, reads, runs and clears the analytics that colour a diagram's symbols, and draws and
/// removes the colour key that explains the colours.
///
/// An analytic is a definition of type 798 with its settings in analytic parameter definitions
/// (type 799) listed in its "Parameters"; a diagram lists the analytics it runs in "Analytics To
/// Run". Every operation reaches the host through the add-in's shared globals and reports its own
/// errors to the user; none of them lets an error escape except ExecuteAnalyticDef.
class clsAnalyticMgr {
public:
    // Stored analytics.
    /// Creates (or replaces) a simple analytic that tests one property of the symbols' definitions.
    void CreateSimpleAnalytic(const std::string& strName, const std::string& strSymbolType,
                              const std::string& strPropertyName, const std::string& strBoolean,
                              const std::string& strPropertyValue, km::rt::Long lngColour);
    /// Creates (or replaces) a complex analytic that runs a stored report for every symbol.
    void CreateComplexAnalytic(const std::string& strName, const std::string& strSymbolType,
                               const std::string& strAnalyticReportName, const std::string& strExecuteIfNULL,
                               km::rt::Long lngColour);
    /// True when the analytic's "Function" is "RunSimpleAnalytic"; False for nothing.
    bool IsThisAnalyticSimple(const std::shared_ptr<km::host::IDefinition>& defAnalytic);
    /// Reads a simple analytic's settings; False (after a message) when they cannot be read.
    bool GetSimplePropsFromAnalytic(const std::shared_ptr<km::host::IDefinition>& defAnalytic, std::string& strTitle,
                                    std::string& strSymbolType, km::rt::Long& lngColour,
                                    std::string& strSimplePropertyName, std::string& strSimplePropertyValue,
                                    std::string& strSimpleBoolean);
    /// Reads a complex analytic's settings; \p lngColour keeps its value when no colour is stored.
    /// False (after a message) when they cannot be read.
    bool GetComplexPropsFromAnalytic(const std::shared_ptr<km::host::IDefinition>& defAnalytic, std::string& strTitle,
                                     std::string& strSymbolType, km::rt::Long& lngColour,
                                     std::string& strComplexReportName, bool& blnComplexExecuteIfNULL,
                                     bool& blnDoGroupColour, bool& blnDoGroupBoxes);

    // Simple query.
    /// Colours the symbols of one type on the current diagram whose definition passes a property
    /// test, and adds a key entry when \p KeyTitle is not empty.
    void ColourSyms(const std::string& PropName, const std::string& PropValue, const std::string& Colour,
                    const std::string& SymbolTypeName, const std::string& BooleanOperator, const std::string& KeyTitle);

    // Complex query.
    /// Runs a stored report for every symbol of one type on the current diagram and colours the
    /// symbols by its result, colours them by group, or draws group boxes. Answers False.
    bool ComplexQuery(const std::string& AnalyticReportName, bool ExecuteIfNULL, const std::string& Colour,
                      const std::string& SymbolTypeName, const std::string& KeyTitle, bool DoGrouping, bool DrawBoxes);

    // Running and clearing a diagram's analytics.
    /// Runs the analytics listed in the diagram's "Analytics To Run", in their order.
    void ExecuteAnalyticsForDiagram(std::shared_ptr<km::host::IDiagram> dgmCurrent);
    /// The diagram's analytics in the order of its "uses" relation; nothing after an error.
    std::shared_ptr<AnalyticCollection> GetAnalyticsInOrder(km::rt::Long lngDDID);
    /// Runs one stored analytic. Errors reach the caller.
    void ExecuteAnalyticDef(const std::shared_ptr<km::host::IDefinition>& defAnalytic);
    /// Turns the symbols of the types complex analytics coloured on the current diagram white
    /// again and removes the colour key.
    void ClearAnalytics();

    /// The colour number of a colour name ("red", "Dark Blue" ...) or of a numeric text.
    static km::rt::Long GetColourValue(const std::string& strColour);

    /// The script that lists a diagram's analytics in order.
    static std::string AnalyticsInOrderScript(km::rt::Long lngDDID);

private:
    // The colour key.
    /// Adds an entry to the diagram's key, creating the key frame beside the rightmost symbol when
    /// the diagram has none.
    void AddKeyEntry(const std::shared_ptr<km::host::IDiagram>& dgmDiagram, const std::string& strText,
                     km::rt::Long lngColour);
    /// Adds a swatch and a label to the key frame unless a label of that text exists.
    void AddKeyLine(const std::shared_ptr<km::host::IDiagram>& dgmDiagram,
                    const std::shared_ptr<km::host::ISymbol>& symKey, const std::string& strText,
                    km::rt::Long lngColour);
    /// Removes the key frame with its swatches and labels.
    void KillKey(const std::shared_ptr<km::host::IDiagram>& dgmDiagram);

    std::shared_ptr<km::host::IDefinition> CreateAnalyticDefinition(const std::string& strName);
    std::vector<std::pair<std::shared_ptr<km::host::IDiagram>, std::string>>
    AnalyticsToRunListing(km::rt::Long lngDDID);
    void SetAnalyticParameter(const std::shared_ptr<km::host::IDefinition>& defAnalytic,
                              const std::string& strParameterName, const std::string& strValue);
    std::string GetAnalyticParameter(const km::host::PropertyCollectionPtr& colParameters,
                                     const std::string& strParameterName);

    bool SymbolMatchesProperty(const std::shared_ptr<km::host::ISymbol>& symSymbol, const std::string& PropName,
                               const std::string& PropValue, const std::string& BooleanOperator);
    bool CompareProperty(const std::string& strActual, const std::string& PropValue,
                         const std::string& BooleanOperator);
    std::optional<int> OrderOf(const std::string& strActual, const std::string& PropValue);

    std::string GetReportContent(const std::string& strReportName);
    bool SymbolMatchesReport(const std::shared_ptr<km::host::ISymbol>& symSymbol, const std::string& strScript,
                             bool ExecuteIfNULL);
    void AddSymbolToGroups(const std::shared_ptr<km::host::ISymbol>& symSymbol, const std::string& strScript,
                           clsColourMgr& oColourMgr);
    struct ColouringRun {
        std::shared_ptr<km::host::IDiagram> dgmDiagram;
        km::host::CollectionPtr<km::host::ISymbol> colSymbols;
        std::string strScript;
    };
    ColouringRun StartColouring(const std::string& AnalyticReportName, const std::string& SymbolTypeName);
    void ShowColouringError(const std::exception& error);
    void ColourByReport(const std::string& AnalyticReportName, bool ExecuteIfNULL, const std::string& Colour,
                        const std::string& SymbolTypeName, const std::string& KeyTitle);
    void ColourByGroup(const std::string& AnalyticReportName, const std::string& SymbolTypeName,
                       const std::string& KeyTitle);
    void DrawGroupBoxes(const std::string& AnalyticReportName, const std::string& SymbolTypeName,
                        const std::string& KeyTitle);
    void DrawGroupBox(const std::shared_ptr<km::host::IDiagram>& dgmDiagram, clsColourMgrTypes& oGroup,
                      const std::string& KeyTitle, km::rt::Collection<std::shared_ptr<km::host::ISymbol>>& colSymbols);
    void RememberAnalysedType(const std::shared_ptr<km::host::IDiagram>& dgmDiagram, const std::string& strType);
    std::vector<std::string> GetAnalysedTypes(const std::shared_ptr<km::host::IDiagram>& dgmDiagram);
};

} // namespace KM_SLN_SOA
