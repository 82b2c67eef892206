#include "clsAutoLandscapeBuilder.h"
#include "addin/ErrorMessages.h"
#include "addin/clsStatusMgr.h"
#include "analytics/clsAnalyticMgr.h"
#include "basLandscape.h"
#include "frmLAAFilterSelect.h"
#include "host/IDefinition.h"
#include "host/IEncyclopedia.h"
#include "host/basCommon.h"
#include "host/clsUtils.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include <algorithm>

namespace KM_SLN_SOA {

using km::host::IDefinition;
using km::host::ISymbol;
using km::rt::Long;

namespace {

constexpr const char* titleText = "Nested Hierarchy Builder";
constexpr const char* module = "clsAutoLandscapeBuilder";
constexpr Long leafWidth = 175;
constexpr Long leafHeight = 90;
constexpr Long gap = 5;
constexpr Long margin = 50;
constexpr double washOutPercent = 15;

bool OptionOn(km::host::IDiagram& diagram, const std::string& strProperty) {
    return diagram.GetProperty(strProperty) == "T";
}

void ShowError(const std::exception& error) {
    ShowStandardError(error, titleText);
}

void ShowProcedureFailure(const std::exception& error, const std::string& strProcedure) {
    ShowProcedureError(error, strProcedure, module, false, titleText);
}

template <class T> T& Require(const std::shared_ptr<T>& object) {
    if (!object) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return *object;
}

} // namespace

template <class Step> void clsAutoLandscapeBuilder::Guarded(Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void clsAutoLandscapeBuilder::BuildLAA() {
    const Resume resume = RunSteps();
    if (resume == Resume::NextStep || resume == Resume::HideStatus) {
        Guarded([] { LandscapeStatus().HideStatus(); });
    }
    if (resume != Resume::Finish) {
        Guarded([] { LandscapeSetReadOnly(false); });
    }
    Guarded([] { LandscapeTrace(LandscapeStatus().Cancelled() ? "Cancelled" : "Complete", 0); });
}

clsAutoLandscapeBuilder::Resume clsAutoLandscapeBuilder::RunSteps() {
    for (auto step : {&clsAutoLandscapeBuilder::FindDiagram, &clsAutoLandscapeBuilder::FindTemplates}) {
        Resume resume = Resume::NextStep;
        Guarded([&] { resume = (this->*step)(); });
        if (resume != Resume::NextStep) {
            return resume;
        }
    }
    Resume resume = Resume::NextStep;
    Guarded([&] {
        if (!LandscapeSetStatus("Checking For existing symbols")) {
            resume = Resume::ResetReadOnly;
        }
    });
    if (resume != Resume::NextStep) {
        return resume;
    }
    Guarded([&] { resume = ClearDiagram(); });
    if (resume != Resume::NextStep) {
        return resume;
    }
    Guarded([] { LandscapeStatus().ShowStatus(); });
    Guarded([&] {
        m_blnWashOut = OptionOn(Require(m_diagram), "Wash out colours at each level?");
        m_blnForceSort = OptionOn(Require(m_diagram), "Force sort symbols by name at each level?");
    });
    Guarded([&] {
        m_root = std::make_shared<clsHierarchyNode>();
        m_topLevel = std::make_shared<clsHierarchyLevelDetails>();
        m_currentLevel = m_topLevel;
    });
    Guarded([&] { resume = CollectTemplates(); });
    if (resume != Resume::NextStep) {
        return resume;
    }
    Guarded([&] {
        if (!LandscapeSetStatus("Executing reports")) {
            resume = Resume::HideStatus;
        }
    });
    if (resume != Resume::NextStep) {
        return resume;
    }
    Guarded([&] { BuildThislevel(m_root, m_topLevel, m_blnForceSort); });
    Guarded([&] { Require(m_topLevel).FoundSourceItemsWithThismanyLevels(Require(m_root).count()); });
    Guarded([&] {
        std::vector<std::shared_ptr<clsHierarchyNode>> nodes(Require(m_root).begin(), m_root->end());
        WalkTreeAndCalculateSymNumbers(m_topLevel, nodes);
    });
    Guarded([&] { CalculateLevelSizes(Require(m_topLevel)); });
    Guarded([&] { DrawTopLevel(); });
    Guarded([&] { RunAnalytics(); });
    return Resume::NextStep;
}

clsAutoLandscapeBuilder::Resume clsAutoLandscapeBuilder::FindDiagram() {
    m_diagram = LandscapeEncyclopedia()->getcurrentdiagram();
    if (m_diagram) {
        return Resume::NextStep;
    }
    LandscapeSetReadOnly(false);
    LandscapeMsgBox("You must open a diagram with a property containing Application Landscape Reports.", styleCritical,
                    std::string(titleText));
    return Resume::Finish;
}

clsAutoLandscapeBuilder::Resume clsAutoLandscapeBuilder::FindTemplates() {
    Require(m_diagram).save();
    m_colTemplates = GetLandscapeReportsInOrder(m_diagram->ddid());
    if (m_colTemplates && m_colTemplates->count() > 0) {
        return Resume::NextStep;
    }
    LandscapeMsgBox("Could not find any Application Landscape Reports assigned to this diagram to execute.",
                    styleCritical, std::string(titleText));
    LandscapeTrace("Could not find any application Landscape reports in the diagram properties. Right click diagram "
                   "and select diagram properties to review reports.",
                   0);
    return Resume::Finish;
}

clsAutoLandscapeBuilder::Resume clsAutoLandscapeBuilder::ClearDiagram() {
    auto colSymbols = Require(m_diagram).GetAllSymbols();
    colSymbols->readall();
    if (colSymbols->count() == 0) {
        return Resume::NextStep;
    }
    const int intAnswer = LandscapeMsgBox("The target diagram already has symbols on it. Delete existing syms?",
                                          styleYesNoCancel, std::nullopt);
    if (intAnswer == answerYes) {
        for (const auto& symSymbol : colSymbols) {
            try {
                symSymbol->Delete();
            } catch (const std::exception&) {
                // Deleted already, together with the container it lay in.
            }
        }
        return Resume::NextStep;
    }
    return intAnswer == answerNo ? Resume::NextStep : Resume::HideStatus;
}

clsAutoLandscapeBuilder::Resume clsAutoLandscapeBuilder::CollectTemplates() {
    if (!LandscapeSetStatus("Collecting templates in diagram properties")) {
        return Resume::HideStatus;
    }
    LandscapeStartTrace("Build Landscape");
    bool blnStop = false;
    const std::size_t intCount = static_cast<std::size_t>(Require(m_colTemplates).count());
    for (std::size_t i = 1; i <= intCount && !blnStop; ++i) {
        PrepareLevel(m_colTemplates->Item(static_cast<Long>(i)), i, blnStop);
    }
    return Resume::NextStep;
}

void clsAutoLandscapeBuilder::PrepareLevel(const std::shared_ptr<IDefinition>& defTemplate, std::size_t intIndex,
                                           bool& blnStop) {
    LandscapeTrace("Found template - " + defTemplate->Name(), 0);
    const std::string strContent = defTemplate->GetProperty("Content");
    std::shared_ptr<km::host::IKMObject> oFilter;
    if (km::rt::InStr(strContent, "#PARAMETER") > 0) {
        LandscapeSetReadOnly(true);
        auto form = std::make_unique<frmLAAFilterSelect>(LandscapeFrontEnd());
        form->strTitleReport = defTemplate->Name();
        form->show(km::ui::Modality::Modal);
        LandscapeSetReadOnly(false);
        if (!form->blnOkPressed) {
            // The levels set so far are built; this one keeps an empty script.
            form->unload();
            blnStop = true;
            return;
        }
        if (form->colObjectsSelected && form->colObjectsSelected->count() > 0) {
            oFilter = form->colObjectsSelected->Item(1);
        }
        form->unload();
    }
    Require(m_currentLevel).strReport = strContent;
    if (oFilter) {
        m_currentLevel->lngParameter = oFilter->ddid();
    }
    if (intIndex < static_cast<std::size_t>(m_colTemplates->count())) {
        m_currentLevel = m_currentLevel->CreateNextLevelDown();
    }
}

void clsAutoLandscapeBuilder::DrawTopLevel() {
    clsHierarchyLevelDetails& top = Require(m_topLevel);
    // The top-level grid starts 50 units in from the origin: its edges include the gaps between
    // the symbols, so that no symbol is placed at negative coordinates however many there are.
    const Long lngRightEdge =
        km::rt::CLng(top.LevelHasThisManyCols() * (top.XSize + static_cast<double>(gap)) + margin);
    const Long lngBottomEdge =
        km::rt::CLng(top.LevelCouldHaveThisManyRows() * (top.YSize + static_cast<double>(gap)) + margin);
    Long i = 0;
    for (const auto& node : Require(m_root)) {
        ++i;
        if (LandscapeStatus().Cancelled()) {
            break;
        }
        auto symTop = CreatePlacedSymbol(*node, top, i, lngRightEdge, lngBottomEdge);
        symTop->save();
        WalkTreeAndBuildnests(*node, *symTop, top.NextLevel, symTop->FillColor(), m_blnWashOut);
    }
}

void clsAutoLandscapeBuilder::RunAnalytics() {
    if (!OptionOn(Require(m_diagram), "Run Analytics after build?")) {
        return;
    }
    if (LandscapeSetStatus("Executing Analytics")) {
        clsAnalyticMgr().ExecuteAnalyticsForDiagram(m_diagram);
    }
}

std::shared_ptr<ISymbol> clsAutoLandscapeBuilder::CreatePlacedSymbol(const clsHierarchyNode& node,
                                                                     const clsHierarchyLevelDetails& level,
                                                                     Long lngItem, Long lngParentXPos,
                                                                     Long lngParentYPos) {
    Long lngSymType = 0;
    auto symCreated = LandscapeUtils().CreateSymbolFromDefinition(node.defObject, m_diagram, lngSymType);
    ISymbol& symbol = Require(symCreated);
    symbol.XPos(level.ReturnXPosForThisItem(lngItem, lngParentXPos));
    symbol.ypos(level.ReturnYPosForThisItem(lngItem, lngParentYPos));
    symbol.XSize(level.XSize);
    symbol.YSize(level.YSize);
    return symCreated;
}

std::shared_ptr<DefinitionCollection> clsAutoLandscapeBuilder::GetLandscapeReportsInOrder(Long lngDiagramID) {
    try {
        return clsRGManager().ExecuteReport(TemplatesScript(lngDiagramID), true, false);
    } catch (const std::exception& error) {
        ShowProcedureFailure(error, "GetLandscapeReportsInOrder");
        return nullptr;
    }
}

std::string clsAutoLandscapeBuilder::TemplatesScript(Long lngDiagramID) {
    const std::string strEnd = " \r\n";
    return "SETTING { DECIMALSEPARATOR \".\" }" + strEnd + "SETTING { LISTSEPARATOR \",\" }" + strEnd +
           "SETTING { MEASUREMENT METRIC }" + strEnd + "SETTING { PAGESIZE -1\", 0.00 }" + strEnd +
           "SETTING { REPORTFORMAT 0 }" + strEnd + "TABULAR 1" + strEnd + "{" + strEnd + "WHERE Class = Diagram" +
           strEnd + "WHERE \"Identity\" = " + std::to_string(lngDiagramID) + strEnd +
           "JOIN WHERE RELATION = \"uses\" JOIN" + strEnd + "ORDERBY SEQUENCE" + strEnd +
           "SELECT \"Identity\" LEGEND \"KMTargetIdentity\"," + strEnd + "\"Class Number\" LEGEND \"KMTargetClass\"," +
           strEnd + "\"Type Number\" LEGEND \"KMTargetType\"," + strEnd + "\"Name\" LEGEND \"KMTargetName\"" + strEnd +
           "WHERE Class = Definition WHERE \"Type Number\" = 625" + strEnd + "}";
}

void clsAutoLandscapeBuilder::BuildThislevel(const std::shared_ptr<clsHierarchyNode>& node,
                                             const std::shared_ptr<clsHierarchyLevelDetails>& level, bool blnSort) {
    // Each statement shows its own error and the next one runs.
    auto resumeNext = [](auto statement) {
        try {
            statement();
        } catch (const std::exception& error) {
            ShowProcedureFailure(error, "BuildThislevel");
        }
    };
    if (LandscapeStatus().Cancelled() || !level || !node) {
        return;
    }
    if (!LandscapeSetStatus("Discovered " + QuoteString(node->strName))) {
        return;
    }
    std::string strScript;
    resumeNext([&] { strScript = level->GetReportProcessed(node->lngDDID); });
    std::shared_ptr<DefinitionCollection> colItems;
    resumeNext([&] { colItems = clsRGManager().ExecuteReport(strScript, true, blnSort); });
    // A report that fails or answers nothing gives this parent no items.
    if (!colItems || colItems->count() == 0) {
        return;
    }
    level->bHasData = true;
    for (const auto& defItem : *colItems) {
        bool blnGoOn = true;
        resumeNext([&] {
            blnGoOn =
                LandscapeSetStatus("Discovered " + QuoteString(defItem->Name()) + " [" + defItem->TypeName() + "]");
        });
        if (!blnGoOn) {
            return;
        }
        std::shared_ptr<clsHierarchyNode> child;
        resumeNext([&] { child = node->Add(defItem->Name(), defItem->kmtype(), defItem->ddid(), defItem); });
        resumeNext([&] { BuildThislevel(child, level->NextLevel, blnSort); });
    }
}

void clsAutoLandscapeBuilder::WalkTreeAndCalculateSymNumbers(
    const std::shared_ptr<clsHierarchyLevelDetails>& level,
    const std::vector<std::shared_ptr<clsHierarchyNode>>& nodes) {
    try {
        if (nodes.empty()) {
            return;
        }
        std::vector<std::shared_ptr<clsHierarchyNode>> children;
        auto next = Require(level).NextLevel;
        for (const auto& node : nodes) {
            if (node->count() == 0) {
                continue;
            }
            Require(next).FoundSourceItemsWithThismanyLevels(node->count());
            children.insert(children.end(), node->begin(), node->end());
        }
        if (!children.empty()) {
            WalkTreeAndCalculateSymNumbers(next, children);
        }
    } catch (const std::exception& error) {
        ShowProcedureFailure(error, "WalkTreeAndCalculateSymNumbers");
    }
}

void clsAutoLandscapeBuilder::CalculateLevelSizes(clsHierarchyLevelDetails& level) {
    auto next = level.NextLevel;
    if (!next || !next->bHasData) {
        level.XSize = leafWidth;
        level.YSize = leafHeight;
        return;
    }
    CalculateLevelSizes(*next);
    level.ChildLevelXsizeIs(next->XSize);
    level.ChildLevelYsizeIs(next->YSize);
}

void clsAutoLandscapeBuilder::WalkTreeAndBuildnests(const clsHierarchyNode& node, ISymbol& symParent,
                                                    const std::shared_ptr<clsHierarchyLevelDetails>& level,
                                                    Long lngParentColour, bool blnWashOut) {
    try {
        if (!LandscapeSetStatus("Executing reports")) {
            return;
        }
        if (node.count() == 0) {
            return;
        }
        const Long lngColour = ChangeThisColourIntensityByPercent(lngParentColour, washOutPercent);
        const clsHierarchyLevelDetails& here = Require(level);
        Long i = 0;
        for (const auto& child : node) {
            ++i;
            auto symChild = CreatePlacedSymbol(*child, here, i, symParent.XPos(), symParent.ypos());
            if (blnWashOut && lngColour != 0) {
                symChild->FillColor(lngColour);
            }
            symChild->save();
            WalkTreeAndBuildnests(*child, *symChild, level->NextLevel, lngColour, blnWashOut);
        }
    } catch (const std::exception& error) {
        ShowProcedureFailure(error, "WalkTreeAndBuildnests");
    }
}

std::array<float, 3> clsAutoLandscapeBuilder::LongToRGB(Long lngColour) {
    return {static_cast<float>(lngColour & 255), static_cast<float>((lngColour >> 8) & 255),
            static_cast<float>((lngColour >> 16) & 255)};
}

Long clsAutoLandscapeBuilder::ChangeThisColourIntensityByPercent(Long lngColour, double dblPercent) {
    try {
        const std::array<float, 3> rgb = LongToRGB(lngColour);
        const double dblFactor = 1 + dblPercent / 100;
        Long lngResult = 0;
        Long lngWeight = 1;
        for (float component : rgb) {
            const Long lngComponent = std::min<Long>(km::rt::CInt(dblFactor * component), 255);
            lngResult += lngWeight * lngComponent;
            lngWeight *= 256;
        }
        return lngResult;
    } catch (const std::exception& error) {
        ShowProcedureFailure(error, "ChangeThisColourIntensityByPercent");
        return 0;
    }
}

} // namespace KM_SLN_SOA
