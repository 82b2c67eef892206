#pragma once
// The "Nested Hierarchy Builder": draws a whole nested landscape on the open diagram from the
// Application Landscape Report templates the diagram lists. The first template's report gives the
// top-level objects; for each object of level k the template k + 1 gives its children, and so on.
// The object tree is read first, the symbol sizes are settled bottom-up so that every container
// exactly holds its grid, and the symbols are then drawn top-down.
#include "clsHierarchyLevelDetails.h"
#include "clsHierarchyNode.h"
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "host/clsRGManager.h"
#include "platform/runtime/Types.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace KM_SLN_SOA {

class clsAutoLandscapeBuilder {
public:
    /// Builds the landscape (see the class comment); every step shows its own errors and the build
    /// goes on with the next step.
    void BuildLAA();

    /// The templates the diagram lists through its "uses" relation, in their stored order; nothing
    /// after an error.
    std::shared_ptr<DefinitionCollection> GetLandscapeReportsInOrder(km::rt::Long lngDiagramID);
    /// The script that lists a diagram's templates.
    static std::string TemplatesScript(km::rt::Long lngDiagramID);
    /// Red, green and blue of a colour number.
    std::array<float, 3> LongToRGB(km::rt::Long lngColour);
    /// Each component multiplied by 1 + percent / 100, rounded, at most 255; 0 after an error.
    km::rt::Long ChangeThisColourIntensityByPercent(km::rt::Long lngColour, double dblPercent);

private:
    /// Where BuildLAA goes on after its first steps: the next step, hiding the status window,
    /// resetting the read-only switch, or the closing trace line.
    enum class Resume { NextStep, HideStatus, ResetReadOnly, Finish };

    Resume RunSteps();
    Resume FindDiagram();
    Resume FindTemplates();
    Resume ClearDiagram();
    Resume CollectTemplates();
    void PrepareLevel(const std::shared_ptr<km::host::IDefinition>& defTemplate, std::size_t intIndex, bool& blnStop);
    void DrawTopLevel();
    void RunAnalytics();
    /// Runs one step, showing what it throws; the build goes on.
    template <class Step> void Guarded(Step step);

    void BuildThislevel(const std::shared_ptr<clsHierarchyNode>& node,
                        const std::shared_ptr<clsHierarchyLevelDetails>& level, bool blnSort);
    void WalkTreeAndCalculateSymNumbers(const std::shared_ptr<clsHierarchyLevelDetails>& level,
                                        const std::vector<std::shared_ptr<clsHierarchyNode>>& nodes);
    void CalculateLevelSizes(clsHierarchyLevelDetails& level);
    void WalkTreeAndBuildnests(const clsHierarchyNode& node, km::host::ISymbol& symParent,
                               const std::shared_ptr<clsHierarchyLevelDetails>& level, km::rt::Long lngParentColour,
                               bool blnWashOut);
    /// A new symbol for a node's object, placed and sized as an item of the level.
    std::shared_ptr<km::host::ISymbol> CreatePlacedSymbol(const clsHierarchyNode& node,
                                                          const clsHierarchyLevelDetails& level, km::rt::Long lngItem,
                                                          km::rt::Long lngParentXPos, km::rt::Long lngParentYPos);

    std::shared_ptr<km::host::IDiagram> m_diagram;
    std::shared_ptr<DefinitionCollection> m_colTemplates;
    std::shared_ptr<clsHierarchyNode> m_root;
    std::shared_ptr<clsHierarchyLevelDetails> m_topLevel;
    std::shared_ptr<clsHierarchyLevelDetails> m_currentLevel;
    bool m_blnWashOut = false;
    bool m_blnForceSort = false;
};

} // namespace KM_SLN_SOA
