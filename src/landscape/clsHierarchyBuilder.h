#pragma once
// Completes the hierarchies on a Service Hierarchy diagram: under every top symbol the service
// components its definition comprises, under each of those the services it provides. Children
// already shown (matched by name) are kept; new ones are attached after the child made last under
// the same parent, and the host lays the hierarchies out at the end.
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "host/clsRGManager.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

class clsHierarchyBuilder {
public:
    void BuildServiceHierarchies();

    /// The two scripts, with "#DDIDS#" left for the object whose relations are wanted.
    static std::string ComprisesScript();
    static std::string ProvidesScript(km::rt::Long lngServiceType);

private:
    /// Adds the children a report answers for \p symParent's object, and then, when asked, their
    /// own children.
    void CompleteTopSymbol(km::host::ISymbol& symTop);
    /// The child symbol of that name for \p defChild, made and attached when there is none;
    /// nothing when it cannot be made.
    std::shared_ptr<km::host::ISymbol> ChildFor(km::host::ISymbol& symParent,
                                                const std::shared_ptr<km::host::IDefinition>& defChild,
                                                km::rt::Long& lngLastChild);
    std::shared_ptr<DefinitionCollection> Related(const std::string& strScript, km::rt::Long lngDDID);
    std::shared_ptr<km::host::ISymbol> FindChildByName(km::host::ISymbol& symParent, const std::string& strName);
    km::rt::Long NestSymbol(km::rt::Long lngDiagram, km::rt::Long lngParent, km::rt::Long lngChild,
                            km::rt::Long lngPrevious);

    std::shared_ptr<km::host::IDiagram> m_diagram;
    std::string m_strComprises;
    std::string m_strProvides;
};

} // namespace KM_SLN_SOA
