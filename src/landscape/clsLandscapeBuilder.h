#pragma once
// Fills the symbols the user selected with one symbol for every object that an Application
// Landscape Report template answers for the selected symbol's definition, and has the sizer turn
// the result into a grid. A refresh repeats this with the template and filter the build stored on
// each symbol.
#include "clsSymbolSizer.h"
#include "host/IDiagram.h"
#include "host/IKMObject.h"
#include "host/ISymbol.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

class clsLandscapeBuilder {
public:
    /// Asks for a template, a filter when the template has a parameter, and the column count when
    /// the diagram has none stored; then populates and sizes every selected symbol.
    void BuildLAA();
    /// Repopulates and sizes every selected symbol with the template and filter stored on it.
    void RefreshLAA();

private:
    /// What a run needs before it populates: the current diagram and its valid selected symbols.
    struct Selection {
        std::shared_ptr<km::host::IDiagram> diagram;
        SymbolCollection symbols;
    };

    /// Refuses Explorer diagrams and empty selections with their messages; false when refused.
    bool ReadSelection(Selection& selection);
    /// The stored column count, or the one the user chooses when none is stored.
    km::rt::Long ColumnCount(km::host::IDiagram& diagram);
    bool ChooseTemplate(std::shared_ptr<km::host::IKMObject>& defTemplate);
    bool ChooseFilter(km::host::IKMObject& defTemplate, std::shared_ptr<km::host::IKMObject>& oFilter);
    /// Populates the selection in order; false when a selected symbol had been deleted meanwhile.
    bool PopulateSelection(Selection& selection, km::host::IKMObject& defTemplate, km::rt::Long lngFilterID);
    void RefreshSymbol(const std::shared_ptr<km::host::IDiagram>& diagram,
                       const std::shared_ptr<km::host::ISymbol>& symParent);

    void PopulateSymbol(const std::shared_ptr<km::host::IDiagram>& diagram,
                        const std::shared_ptr<km::host::ISymbol>& symParent, km::host::IKMObject& defTemplate,
                        km::rt::Long lngFilterID);
    /// The symbols made for the report's objects, in report order; empty when the report answers
    /// nothing; nothing after an error.
    std::shared_ptr<SymbolCollection> CreateSymbolsFromReport(const std::shared_ptr<km::host::IDiagram>& diagram,
                                                              const std::string& strScript);
    void DeleteNestedSymbols(km::host::ISymbol& symSymbol);
    std::string SubstituteReportParameters(const std::string& strContent, const std::string& strID,
                                           const std::string& strParameter);
    /// Stacks the new symbols in one column inside the parent.
    void StackSymbols(km::host::ISymbol& symParent, SymbolCollection& colSymbols);
};

} // namespace KM_SLN_SOA
