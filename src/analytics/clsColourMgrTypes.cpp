#include "clsColourMgrTypes.h"

namespace KM_SLN_SOA {

std::shared_ptr<clsColourMgrType> clsColourMgrTypes::Add(const std::string& strParentSymbolDDID) {
    if (auto* existing = m_colMembers.find(strParentSymbolDDID)) {
        return *existing;
    }
    auto member = std::make_shared<clsColourMgrType>(strParentSymbolDDID);
    m_colMembers.Add(member, strParentSymbolDDID);
    return member;
}

std::shared_ptr<clsColourMgrType> clsColourMgrTypes::Item(km::rt::Long vntIndex) {
    return m_colMembers.Item(vntIndex);
}

std::shared_ptr<clsColourMgrType> clsColourMgrTypes::Item(const std::string& vntKey) {
    return m_colMembers.Item(vntKey);
}

} // namespace KM_SLN_SOA
