#include "clsHierarchyNode.h"

namespace KM_SLN_SOA {

std::shared_ptr<clsHierarchyNode> clsHierarchyNode::Add(const std::string& strChildName, km::rt::Long lngChildDefType,
                                                        km::rt::Long lngChildDDID,
                                                        std::shared_ptr<km::host::IDefinition> defChildObject) {
    if (!strChildName.empty()) {
        if (auto* found = m_children.find(strChildName)) {
            return *found;
        }
    }
    auto child = std::make_shared<clsHierarchyNode>();
    child->strName = strChildName;
    child->lngDefType = lngChildDefType;
    child->lngDDID = lngChildDDID;
    child->defObject = std::move(defChildObject);
    m_children.Add(child, strChildName);
    return child;
}

} // namespace KM_SLN_SOA
