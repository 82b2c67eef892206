#pragma once
#include "clsColourMgrType.h"
#include "platform/runtime/Collection.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

/// One colour group of a grouped complex analytic: the related item that defines the group, the
/// group's colour, and its member symbols (each at most once, in the order they were added).
class clsColourMgrTypes {
public:
    using Members = km::rt::Collection<std::shared_ptr<clsColourMgrType>>;

    std::string strItemName;
    /// Repository id of the related item, as decimal text.
    std::string strItemDDID;
    /// The group's colour number once clsColourMgr::ProcessColours has run.
    km::rt::Long lngColour = 0;
    std::string strKeyTitleInfo;
    /// Set once the group's key entry has been drawn.
    bool blnKeyTitleInfoAdded = false;

    /// The member for that symbol id, added at the end when it is not a member yet.
    std::shared_ptr<clsColourMgrType> Add(const std::string& strParentSymbolDDID);
    /// The member at a 1-based position; RuntimeError 9 for a position out of range.
    std::shared_ptr<clsColourMgrType> Item(km::rt::Long vntIndex);
    /// The member of a symbol id; RuntimeError 5 when the symbol is not a member.
    std::shared_ptr<clsColourMgrType> Item(const std::string& vntKey);
    km::rt::Long count() const { return m_colMembers.count(); }
    void Remove(km::rt::Long vntIndex) { m_colMembers.Remove(vntIndex); }
    void Remove(const std::string& vntKey) { m_colMembers.Remove(vntKey); }

    /// Walks the members in order (the collection's enumerator).
    Members::iterator begin() { return m_colMembers.begin(); }
    Members::iterator end() { return m_colMembers.end(); }

private:
    Members m_colMembers;
};

} // namespace KM_SLN_SOA
