#include "clsHierarchyBuilder.h"
#include "addin/AddinVersion.h"
#include "basLandscape.h"
#include "host/IDefinition.h"
#include "host/IEncyclopedia.h"
#include "host/IImf.h"
#include "host/clsUtils.h"
#include "platform/runtime/Text.h"

namespace KM_SLN_SOA {

using km::host::IDefinition;
using km::host::ISymbol;
using km::rt::Long;

namespace {

constexpr Long serviceHierarchyDiagram = 132;
constexpr Long topSymbolType = 770;
constexpr Long topDefinitionType = 619;
constexpr Long comprisedType = 618;

// The five lines of both scripts, joined by line feeds; only the fourth differs.
std::string Script(const std::string& strQuery) {
    return std::string("REPORT \"\" ID 49925 { ") + "\n" +
           "SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT English } " +
           "\n" + "SETTING { PAGESIZE -1\", 0.00 } SETTING { REPORTFORMAT 0 } " + "\n" + strQuery + "\n" + " } }";
}

std::string JoinPiece(const std::string& strRelation) {
    return " WHERE \"Identity\" = #DDIDS# JOIN WHERE RELATION = \"" + strRelation + "\" ";
}

constexpr const char* selectPiece = "JOIN SELECT  \"Identity\" LEGEND \"KMTargetID\" WHERE Class = Definition WHERE "
                                    "\"Type Number\" = ";

} // namespace

std::string clsHierarchyBuilder::ComprisesScript() {
    return Script("TABULAR 1 { WHERE Class = Definition WHERE \"Type Number\" = " + std::to_string(topDefinitionType) +
                  JoinPiece("comprises") + selectPiece + std::to_string(comprisedType) + " ");
}

std::string clsHierarchyBuilder::ProvidesScript(Long lngServiceType) {
    return Script("TABULAR 1 { WHERE Class = Definition WHERE \"Type Number\" = " + std::to_string(comprisedType) +
                  JoinPiece("provides") + selectPiece + std::to_string(lngServiceType) + " ");
}

void clsHierarchyBuilder::BuildServiceHierarchies() {
    try {
        m_diagram = LandscapeEncyclopedia()->getcurrentdiagram();
        m_strComprises = ComprisesScript();
        m_strProvides = ProvidesScript(LandscapeUtils().GetServiceTypeNumber());
    } catch (const std::exception&) {
        // Nothing has been walked yet: the operation ends without a message.
        return;
    }
    if (!m_diagram || m_diagram->kmtype() != serviceHierarchyDiagram) {
        LandscapeMsgBox("You must open a Service Hierarchy diagram.", styleCritical, std::string(messageTitle));
    } else {
        auto colTops = m_diagram->GetFilteredSymbols("", topSymbolType);
        colTops->readall();
        for (const auto& symTop : colTops) {
            CompleteTopSymbol(*symTop);
        }
        LandscapeUtils().ArrangeHierarchies();
    }
    LandscapeSetStatus("complete");
}

void clsHierarchyBuilder::CompleteTopSymbol(ISymbol& symTop) {
    Long lngLastChild = 0;
    std::shared_ptr<IDefinition> defTop;
    try {
        defTop = symTop.definition();
    } catch (const std::exception&) {
        defTop = nullptr;
    }
    if (!defTop) {
        return;
    }
    auto colComprised = Related(m_strComprises, defTop->ddid());
    for (const auto& defComprised : *colComprised) {
        Long lngLastGrandchild = 0;
        auto symChild = ChildFor(symTop, defComprised, lngLastChild);
        if (!symChild) {
            continue;
        }
        auto colServices = Related(m_strProvides, defComprised->ddid());
        for (const auto& defService : *colServices) {
            ChildFor(*symChild, defService, lngLastGrandchild);
        }
    }
}

std::shared_ptr<ISymbol> clsHierarchyBuilder::ChildFor(ISymbol& symParent, const std::shared_ptr<IDefinition>& defChild,
                                                       Long& lngLastChild) {
    if (auto symFound = FindChildByName(symParent, defChild->Name())) {
        return symFound;
    }
    Long lngSymType = 0;
    auto symCreated = LandscapeUtils().CreateSymbolFromDefinition(defChild, m_diagram, lngSymType);
    if (!symCreated) {
        // A child that cannot be drawn (its message was shown) is passed over.
        return nullptr;
    }
    lngLastChild = NestSymbol(m_diagram->Handle(), symParent.Handle(), symCreated->Handle(), lngLastChild);
    return symCreated;
}

std::shared_ptr<DefinitionCollection> clsHierarchyBuilder::Related(const std::string& strScript, Long lngDDID) {
    auto colRelated =
        clsRGManager().ExecuteReport(km::rt::Replace(strScript, "#DDIDS#", std::to_string(lngDDID)), false, false);
    // A report that fails answers no objects.
    return colRelated ? colRelated : std::make_shared<DefinitionCollection>();
}

std::shared_ptr<ISymbol> clsHierarchyBuilder::FindChildByName(ISymbol& symParent, const std::string& strName) {
    try {
        symParent.Diagram()->save();
        auto colChildren = symParent.GetRelatedObjects(km::host::RelHierarchyChildren);
        for (Long i = 0; colChildren->IsMoreThan(i); ++i) {
            auto oChild = colChildren->Item(i + 1);
            if (oChild->Name() == strName) {
                return std::dynamic_pointer_cast<ISymbol>(oChild);
            }
        }
        return nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

Long clsHierarchyBuilder::NestSymbol(Long lngDiagram, Long lngParent, Long lngChild, Long lngPrevious) {
    try {
        if (lngPrevious != 0) {
            LandscapeImf().KMMakeAsChildAfter(lngDiagram, lngChild, lngParent, lngPrevious);
        } else {
            LandscapeImf().KMMakeAsFirstChild(lngDiagram, lngChild, lngParent);
        }
        return lngChild;
    } catch (const std::exception&) {
        LandscapeMsgBox("There is an error connecting the symbols. Notify your administrator", styleCritical,
                        std::string(messageTitle));
        return 0;
    }
}

} // namespace KM_SLN_SOA
