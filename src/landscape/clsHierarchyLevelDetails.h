#pragma once
// One level of a nested landscape: the template script that fills it, the largest number of
// objects any one parent has at this level, and from that the grid (columns and rows) and the
// size of every symbol of the level. Levels form a chain from the top level down.
#include "platform/runtime/Types.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

class clsHierarchyLevelDetails {
public:
    /// The level's report answered at least one object for some parent.
    bool bHasData = false;
    /// The level below; nothing for the lowest level.
    std::shared_ptr<clsHierarchyLevelDetails> NextLevel;
    km::rt::Long lngMaxItemsInThisLevel = 0;
    km::rt::Long XSize = 0;
    km::rt::Long YSize = 0;
    std::string strReport;
    /// The filter object's id for "#PARAMETER1#"; 0 for none.
    km::rt::Long lngParameter = 0;

    /// The level's script for one parent: "#DDIDS#" replaced by \p lngDefDDID when it is 1 or
    /// more, and "#PARAMETER1#" by the filter id when one was chosen. Empty after an error (shown).
    std::string GetReportProcessed(km::rt::Long lngDefDDID) const;
    /// A fresh level below this one (replacing any earlier one).
    std::shared_ptr<clsHierarchyLevelDetails> CreateNextLevelDown();
    void FoundSourceItemsWithThismanyLevels(km::rt::Long lngNumber);

    /// Rounded square root of the largest number of items.
    km::rt::Long LevelHasThisManyCols() const;
    /// The rows the columns need for the largest number of items.
    km::rt::Long LevelCouldHaveThisManyRows() const;
    /// This level's symbols hold the next level's grid of symbols \p v wide (or high).
    void ChildLevelXsizeIs(km::rt::Long v);
    void ChildLevelYsizeIs(km::rt::Long v);

    /// Right edge of item \p lngItem (from 1, row by row) in a parent whose right edge is given.
    km::rt::Long ReturnXPosForThisItem(km::rt::Long lngItem, km::rt::Long lngParentXPos) const;
    /// Bottom edge of item \p lngItem in a parent whose bottom edge is given.
    km::rt::Long ReturnYPosForThisItem(km::rt::Long lngItem, km::rt::Long lngParentYPos) const;

private:
    clsHierarchyLevelDetails& Next() const;
};

} // namespace KM_SLN_SOA
