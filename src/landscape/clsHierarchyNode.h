#pragma once
// A node of the tree of repository objects that a chain of landscape templates produces: the root
// stands for the whole landscape, its children for the objects of the first template, and so on.
#include "host/IDefinition.h"
#include "platform/runtime/Collection.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <string>
#include <string_view>

namespace KM_SLN_SOA {

class clsHierarchyNode {
public:
    using Children = km::rt::Collection<std::shared_ptr<clsHierarchyNode>>;

    /// Name of the repository object; also the node's key in its parent.
    std::string strName;
    km::rt::Long lngDefType = 0;
    km::rt::Long lngDDID = 0;
    std::shared_ptr<km::host::IDefinition> defObject;

    /// The child of that name (compared without regard to case), unchanged, when there is one;
    /// otherwise a new child appended under that name. Children with an empty name carry no key:
    /// each is a node of its own.
    std::shared_ptr<clsHierarchyNode> Add(const std::string& strChildName, km::rt::Long lngChildDefType,
                                          km::rt::Long lngChildDDID,
                                          std::shared_ptr<km::host::IDefinition> defChildObject);
    km::rt::Long count() const { return m_children.count(); }
    /// The child at a 1-based position (error 9 outside) or with a key (error 5 when absent).
    std::shared_ptr<clsHierarchyNode> Item(km::rt::Long Index) const { return m_children.Item(Index); }
    std::shared_ptr<clsHierarchyNode> Item(std::string_view Index) const { return m_children.Item(Index); }

    Children::const_iterator begin() const { return m_children.begin(); }
    Children::const_iterator end() const { return m_children.end(); }

private:
    Children m_children;
};

} // namespace KM_SLN_SOA
