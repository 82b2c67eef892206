#pragma once
#include "clsColourMgrTypes.h"
#include "platform/runtime/Collection.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

/// The colour groups of one run of a grouped complex analytic: one group per related item that
/// the analytic's report found, holding the symbols related to it. ProcessColours spreads the
/// groups' colours evenly around a colour circle.
class clsColourMgr {
public:
    using Groups = km::rt::Collection<std::shared_ptr<clsColourMgrTypes>>;

    /// The groups, keyed by strItemDDID, in the order their item was first added.
    Groups& mcol() { return m_mcol; }
    void mcol(Groups groups) { m_mcol = std::move(groups); }

    /// Gives every group its colour: group i of n takes the angle i * 6.283 / n on the colour
    /// circle. Does nothing when there are no groups.
    void ProcessColours();
    /// The first group (in group order) that holds the symbol; nothing when none does or after an
    /// error (which is shown).
    std::shared_ptr<clsColourMgrTypes> GetTypesByParentSymID(const std::string& strDDID);
    /// Adds the symbol to the group of the item, creating the group (with that name) when the item
    /// has none yet; answers the group, or nothing after an error (which is shown).
    std::shared_ptr<clsColourMgrTypes> Add(const std::string& strParentSymbolDDID, const std::string& strItemDDID,
                                           const std::string& strItemName);
    /// The group at a 1-based position or of an item id; nothing when there is none.
    std::shared_ptr<clsColourMgrTypes> Item(km::rt::Long vntIndex);
    std::shared_ptr<clsColourMgrTypes> Item(const std::string& vntKey);
    km::rt::Long count() const { return m_mcol.count(); }
    void Remove(km::rt::Long vntIndex) { m_mcol.Remove(vntIndex); }
    void Remove(const std::string& vntKey) { m_mcol.Remove(vntKey); }

    /// Walks the groups in order (the collection's enumerator).
    Groups::iterator begin() { return m_mcol.begin(); }
    Groups::iterator end() { return m_mcol.end(); }

    /// The colour number of position \p index (from 0) among \p groups groups on the circle.
    static km::rt::Long ColourOnCircle(km::rt::Long index, km::rt::Long groups);

private:
    Groups m_mcol;
};

} // namespace KM_SLN_SOA
