#include "clsLandscapeBuilder.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/clsStatusMgr.h"
#include "basLandscape.h"
#include "frmLAAFilterSelect.h"
#include "frmLAATemplateSelect.h"
#include "frmNoOfCols.h"
#include "host/IDefinition.h"
#include "host/IEncyclopedia.h"
#include "host/basCommon.h"
#include "host/clsRGManager.h"
#include "host/clsUtils.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/Text.h"
#include <algorithm>

namespace KM_SLN_SOA {

using km::host::IDiagram;
using km::host::IKMObject;
using km::host::ISymbol;
using km::rt::Long;

namespace {

constexpr Long explorerDiagram = 186;
constexpr Long textSymbol = 1;
constexpr Long rectangleSymbol = 2;
constexpr Long documentBlockSymbol = 4;

constexpr const char* columnsProperty = "Min Number Of Cols Per Symbol";
constexpr const char* templateProperty = "Application Landscape Report";
constexpr const char* parameterProperty = "Parameter1";
constexpr const char* traceTitle = "Build Landscape";
constexpr const char* deletedSymbolError =
    "You have selected a symbol that was deleted by the tool as it was inside another symbol you selected to "
    "populate. The results may be unexpected.";

void Message(const std::string& strPrompt, int intStyle) {
    LandscapeMsgBox(strPrompt, intStyle, std::string(messageTitle));
}

// The platform's numeric reading of a stored number: its leading numeric part, 0 when none,
// rounded half to even.
Long StoredNumber(const std::string& strText) {
    return km::rt::CLng(km::rt::Val(strText));
}

template <class TForm> std::unique_ptr<TForm> ShowModal(std::unique_ptr<TForm> form) {
    form->show(km::ui::Modality::Modal);
    return form;
}

} // namespace

void clsLandscapeBuilder::BuildLAA() {
    bool blnWindowDisabled = false;
    try {
        Selection selection;
        selection.diagram = LandscapeEncyclopedia()->getcurrentdiagram();
        if (!selection.diagram) {
            LandscapeSetReadOnly(false);
            Message("You must open a Service Hierarchy diagram.", styleCritical);
            return;
        }
        if (!ReadSelection(selection)) {
            return;
        }
        std::shared_ptr<IKMObject> defTemplate;
        std::shared_ptr<IKMObject> oFilter;
        if (!ChooseTemplate(defTemplate) || !ChooseFilter(*defTemplate, oFilter)) {
            return;
        }
        const Long lngColumns = ColumnCount(*selection.diagram);
        if (lngColumns <= 0) {
            LandscapeSetStatus("cancelled");
            LandscapeSetReadOnly(false);
            return;
        }
        LandscapeUtils().EnableKM(false);
        blnWindowDisabled = true;
        // The status window is shown while the symbols are populated, so that its Cancel button
        // (Ctrl-C in the terminal) can stop the run between symbols.
        LandscapeStatus().ShowStatus();
        selection.diagram->setProperty(columnsProperty, std::to_string(lngColumns));
        const bool blnGoOn = PopulateSelection(selection, *defTemplate, oFilter ? oFilter->ddid() : 0);
        selection.diagram->save();
        if (blnGoOn && LandscapeSetStatus("Resizing symbols")) {
            clsSymbolSizer().SizeCollections(selection.symbols, lngColumns);
            selection.diagram->save();
        }
        LandscapeUtils().EnableKM(true);
        blnWindowDisabled = false;
        if (blnGoOn) {
            LandscapeSetStatus(LandscapeStatus().Cancelled() ? "cancelled" : "complete");
        }
        LandscapeStatus().HideStatus();
        LandscapeSetReadOnly(false);
    } catch (const std::exception& error) {
        ShowStandardError(error);
        if (blnWindowDisabled) {
            try {
                LandscapeStatus().HideStatus();
                LandscapeUtils().EnableKM(true);
            } catch (const std::exception&) {
                // The utilities are gone; there is no window left to enable.
            }
        }
        LandscapeSetReadOnly(false);
    }
}

void clsLandscapeBuilder::RefreshLAA() {
    Selection selection;
    selection.diagram = LandscapeEncyclopedia()->getcurrentdiagram();
    if (!selection.diagram) {
        return;
    }
    if (!ReadSelection(selection)) {
        return;
    }
    const Long lngColumns = ColumnCount(*selection.diagram);
    if (lngColumns <= 0) {
        LandscapeSetStatus("cancelled");
        return;
    }
    LandscapeStartTrace(traceTitle);
    selection.diagram->setProperty(columnsProperty, std::to_string(lngColumns));
    for (const auto& symParent : selection.symbols) {
        try {
            RefreshSymbol(selection.diagram, symParent);
        } catch (const std::exception&) {
            // A symbol that cannot be refreshed is passed over; the others still are.
        }
    }
    try {
        selection.diagram->save();
        clsSymbolSizer().SizeCollections(selection.symbols, lngColumns);
        selection.diagram->save();
        LandscapeSetStatus("complete");
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsLandscapeBuilder::RefreshSymbol(const std::shared_ptr<IDiagram>& diagram,
                                        const std::shared_ptr<ISymbol>& symParent) {
    if (!symParent->Selected()) {
        return;
    }
    auto defTemplate = GetSingleProperty(*symParent, templateProperty);
    if (!defTemplate) {
        return;
    }
    const Long lngParameter = StoredNumber(symParent->GetProperty(parameterProperty));
    PopulateSymbol(diagram, symParent, *defTemplate, lngParameter);
}

bool clsLandscapeBuilder::ReadSelection(Selection& selection) {
    selection.diagram->save();
    if (selection.diagram->kmtype() == explorerDiagram) {
        Message("This tool does not work with Explorer diagrams.", styleInformation);
        LandscapeSetReadOnly(false);
        return false;
    }
    bool blnInvalidKind = false;
    auto colSymbols = selection.diagram->GetAllSymbols();
    colSymbols->readall();
    for (const auto& symSymbol : colSymbols) {
        const Long lngKind = symSymbol->kmtype();
        if (lngKind == textSymbol || lngKind == rectangleSymbol || lngKind == documentBlockSymbol) {
            blnInvalidKind = true;
        } else if (symSymbol->Selected()) {
            selection.symbols.Add(symSymbol);
        }
    }
    if (selection.symbols.count() > 0) {
        return true;
    }
    Message(blnInvalidKind ? "You must select a vaid symbol to populate. Rectangles, Text and Doc Blocks are not valid."
                           : "You must select a symbol to populate.",
            styleCritical);
    LandscapeSetReadOnly(false);
    return false;
}

bool clsLandscapeBuilder::ChooseTemplate(std::shared_ptr<IKMObject>& defTemplate) {
    LandscapeSetReadOnly(true);
    auto form = ShowModal(std::make_unique<frmLAATemplateSelect>(LandscapeFrontEnd()));
    LandscapeSetReadOnly(false);
    if (!form->blnOkPressed) {
        LandscapeSetStatus("cancelled");
        form->unload();
        LandscapeSetReadOnly(false);
        return false;
    }
    LandscapeStartTrace(traceTitle);
    defTemplate = form->colObjectsSelected->Item(1);
    form->unload();
    return true;
}

bool clsLandscapeBuilder::ChooseFilter(IKMObject& defTemplate, std::shared_ptr<IKMObject>& oFilter) {
    if (km::rt::InStr(defTemplate.GetProperty("Content"), "#PARAMETER") == 0) {
        return true;
    }
    auto form = std::make_unique<frmLAAFilterSelect>(LandscapeFrontEnd());
    form->strTitleReport = defTemplate.Name();
    LandscapeSetReadOnly(true);
    form->show(km::ui::Modality::Modal);
    LandscapeSetReadOnly(false);
    if (!form->blnOkPressed) {
        LandscapeSetStatus("cancelled");
        form->unload();
        LandscapeSetReadOnly(false);
        return false;
    }
    if (form->colObjectsSelected && form->colObjectsSelected->count() > 0) {
        oFilter = form->colObjectsSelected->Item(1);
    }
    form->unload();
    return true;
}

Long clsLandscapeBuilder::ColumnCount(IDiagram& diagram) {
    Long lngColumns = StoredNumber(diagram.GetProperty(columnsProperty));
    if (lngColumns != 0) {
        return lngColumns;
    }
    auto form = ShowModal(std::make_unique<frmNoOfCols>(LandscapeFrontEnd()));
    lngColumns = form->lngValue;
    form->unload();
    return lngColumns;
}

bool clsLandscapeBuilder::PopulateSelection(Selection& selection, IKMObject& defTemplate, Long lngFilterID) {
    for (const auto& symParent : selection.symbols) {
        std::string strName;
        try {
            strName = symParent->Name();
        } catch (const std::exception&) {
            // Deleted as the content of a symbol populated earlier in this run.
            LandscapeStatus().LogError(deletedSymbolError);
            return false;
        }
        if (!LandscapeSetStatus("Populating symbol " + strName)) {
            return true;
        }
        bool blnSelected = false;
        try {
            blnSelected = symParent->Selected();
        } catch (const std::exception&) {
            blnSelected = false;
        }
        if (blnSelected) {
            PopulateSymbol(selection.diagram, symParent, defTemplate, lngFilterID);
        }
    }
    return true;
}

void clsLandscapeBuilder::PopulateSymbol(const std::shared_ptr<IDiagram>& diagram,
                                         const std::shared_ptr<ISymbol>& symParent, IKMObject& defTemplate,
                                         Long lngFilterID) {
    std::shared_ptr<km::host::IDefinition> defParent;
    try {
        defParent = LandscapeUtils().GetDefinitionOfSymbol(symParent);
    } catch (const std::exception&) {
        defParent = nullptr;
    }
    if (!defParent) {
        return;
    }
    LandscapeTrace("Building collection for " + QuoteString(symParent->Name()) + " [" + symParent->TypeName() +
                       "] using template " + QuoteString(defTemplate.Name()),
                   0);
    symParent->setProperty(templateProperty, LandscapeUtils().AddQuotesIfNeeded(defTemplate.Name(), false));
    const std::string strID = std::to_string(defParent->ddid());
    std::string strScript;
    if (lngFilterID < 1) {
        strScript = SubstituteReportParameters(defTemplate.GetProperty("Content"), strID, "");
    } else {
        symParent->setProperty(parameterProperty, std::to_string(lngFilterID));
        strScript = SubstituteReportParameters(defTemplate.GetProperty("Content"), strID, std::to_string(lngFilterID));
    }
    DeleteNestedSymbols(*symParent);
    auto colSymbols = CreateSymbolsFromReport(diagram, strScript);
    if (!colSymbols) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    if (colSymbols->count() == 0) {
        return;
    }
    StackSymbols(*symParent, *colSymbols);
}

void clsLandscapeBuilder::StackSymbols(ISymbol& symParent, SymbolCollection& colSymbols) {
    const Long n = colSymbols.count();
    const Long lngParentBottom = symParent.ypos();
    const Long lngParentHeight = symParent.YSize();
    const Long lngBase = lngParentBottom - (lngParentHeight - 3);
    Long lngHeight = km::rt::CLng((lngParentHeight - 6) / static_cast<double>(n));
    while (static_cast<double>(n) * lngHeight > lngParentHeight && lngHeight > 1) {
        --lngHeight;
    }
    // A parent lower than 6 units, or with more symbols than units of height, still gives each
    // symbol a height (and width) of at least 1.
    lngHeight = std::max<Long>(lngHeight, 1);
    const Long lngWidth = std::max<Long>(symParent.XSize() - 4, 1);
    const Long lngRight = symParent.XPos() - 2;
    for (Long i = 0; i < n; ++i) {
        auto& symChild = *colSymbols.Item(i + 1);
        symChild.XPos(lngRight);
        symChild.YSize(lngHeight);
        symChild.XSize(lngWidth);
        symChild.ypos(lngBase + lngHeight + i * lngHeight);
        symChild.save();
        while (symChild.ypos() >= lngParentBottom) {
            symChild.ypos(symChild.ypos() - 1);
        }
    }
}

std::string clsLandscapeBuilder::SubstituteReportParameters(const std::string& strContent, const std::string& strID,
                                                            const std::string& strParameter) {
    try {
        std::string strScript = km::rt::Replace(strContent, "#DDIDS#", strID);
        if (!strParameter.empty()) {
            strScript = km::rt::Replace(strScript, "#PARAMETER1#", strParameter);
        }
        return strScript;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return {};
    }
}

void clsLandscapeBuilder::DeleteNestedSymbols(ISymbol& symSymbol) {
    try {
        auto colNested = symSymbol.GetRelatedObjects(km::host::RelNestedSymbols);
        colNested->readall();
        for (const auto& oNested : colNested) {
            oNested->Delete();
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

std::shared_ptr<SymbolCollection> clsLandscapeBuilder::CreateSymbolsFromReport(const std::shared_ptr<IDiagram>& diagram,
                                                                               const std::string& strScript) {
    try {
        auto colCreated = std::make_shared<SymbolCollection>();
        auto colObjects = clsRGManager().ExecuteReport(strScript, true, false);
        if (!colObjects) {
            // A report that fails answers no objects: the container stays empty.
            return colCreated;
        }
        for (const auto& defObject : *colObjects) {
            if (!LandscapeSetStatus("Creating symbol " + defObject->Name())) {
                break;
            }
            std::shared_ptr<ISymbol> symCreated;
            try {
                Long lngSymType = 0;
                symCreated = LandscapeUtils().CreateSymbolFromDefinition(defObject, diagram, lngSymType);
            } catch (const std::exception&) {
                symCreated = nullptr;
            }
            if (symCreated) {
                colCreated->Add(symCreated);
                LandscapeTrace(
                    "Created Symbol " + QuoteString(symCreated->Name()) + " [" + symCreated->TypeName() + "]", 1);
            } else {
                LandscapeTrace("Failed to Create Symbol " + QuoteString(defObject->Name()) + " [" +
                                   defObject->TypeName() + "]",
                               1);
            }
        }
        return colCreated;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

} // namespace KM_SLN_SOA
