#include "clsHierarchyLevelDetails.h"
#include "addin/ErrorMessages.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include <cmath>

namespace KM_SLN_SOA {

using km::rt::CLng;
using km::rt::Long;

namespace {

constexpr Long gap = 5;
constexpr Long headerRoom = 50;

// Whole-number arithmetic of the level layout: 32-bit, an overflow raises error 6.
Long Checked(double value) {
    return CLng(value);
}

// The quotient rounded up: rounded half to even, plus 1 when the exact quotient is larger.
Long RoundedUp(double dblQuotient) {
    Long lngRounded = CLng(dblQuotient);
    return lngRounded < dblQuotient ? lngRounded + 1 : lngRounded;
}

} // namespace

std::string clsHierarchyLevelDetails::GetReportProcessed(Long lngDefDDID) const {
    try {
        std::string strScript = strReport;
        if (lngDefDDID >= 1) {
            strScript = km::rt::Replace(strScript, "#DDIDS#", std::to_string(lngDefDDID));
        }
        // The filter is put in also for the top level (whose parent, the root, has no id): a
        // filter chosen for the first template must reach its script.
        const std::string strParameter = std::to_string(lngParameter);
        if (km::rt::Val(strParameter) > 0) {
            strScript = km::rt::Replace(strScript, "#PARAMETER1#", strParameter);
        }
        return strScript;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return {};
    }
}

std::shared_ptr<clsHierarchyLevelDetails> clsHierarchyLevelDetails::CreateNextLevelDown() {
    NextLevel = std::make_shared<clsHierarchyLevelDetails>();
    return NextLevel;
}

void clsHierarchyLevelDetails::FoundSourceItemsWithThismanyLevels(Long lngNumber) {
    if (lngNumber > lngMaxItemsInThisLevel) {
        lngMaxItemsInThisLevel = lngNumber;
    }
}

Long clsHierarchyLevelDetails::LevelHasThisManyCols() const {
    return CLng(std::sqrt(static_cast<double>(lngMaxItemsInThisLevel)));
}

Long clsHierarchyLevelDetails::LevelCouldHaveThisManyRows() const {
    const Long lngCols = LevelHasThisManyCols();
    if (lngCols < 1) {
        return lngMaxItemsInThisLevel;
    }
    Long lngRows = CLng(static_cast<double>(lngMaxItemsInThisLevel) / lngCols);
    if (static_cast<double>(lngRows) * lngCols < lngMaxItemsInThisLevel) {
        ++lngRows;
    }
    return lngRows;
}

void clsHierarchyLevelDetails::ChildLevelXsizeIs(Long v) {
    XSize = Checked((static_cast<double>(v) + gap) * Next().LevelHasThisManyCols());
}

void clsHierarchyLevelDetails::ChildLevelYsizeIs(Long v) {
    YSize = Checked((static_cast<double>(v) + gap) * Next().LevelCouldHaveThisManyRows() + headerRoom);
}

Long clsHierarchyLevelDetails::ReturnXPosForThisItem(Long lngItem, Long lngParentXPos) const {
    const Long lngCols = LevelHasThisManyCols();
    if (lngCols == 0) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::DivisionByZero);
    }
    Long lngColumn = lngItem % lngCols;
    if (lngColumn == 0) {
        lngColumn = lngCols;
    }
    const double dblCell = static_cast<double>(XSize) + gap;
    return Checked(lngParentXPos - dblCell * lngCols + lngColumn * dblCell);
}

Long clsHierarchyLevelDetails::ReturnYPosForThisItem(Long lngItem, Long lngParentYPos) const {
    const Long lngRows = LevelCouldHaveThisManyRows();
    const Long lngCols = LevelHasThisManyCols();
    if (lngCols == 0) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::DivisionByZero);
    }
    const Long lngRow = RoundedUp(static_cast<double>(lngItem) / lngCols);
    const double dblHeight = static_cast<double>(YSize);
    return Checked(lngParentYPos - ((dblHeight + gap) * lngRows + headerRoom) + headerRoom + lngRow * dblHeight +
                   (lngRow - 1.0) * gap);
}

clsHierarchyLevelDetails& clsHierarchyLevelDetails::Next() const {
    if (!NextLevel) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return *NextLevel;
}

} // namespace KM_SLN_SOA
