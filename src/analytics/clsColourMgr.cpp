#include "clsColourMgr.h"
#include "addin/ErrorMessages.h"
#include "platform/runtime/Numeric.h"
#include <cmath>

namespace KM_SLN_SOA {

namespace {

// The circle is walked with 6.283 for a full turn, not 2 pi: the colours analytics have always
// produced depend on it.
constexpr double fullTurn = 6.283;
constexpr double twoThirdsTurn = 12.566 / 3;
constexpr double oneThirdTurn = 6.283 / 3;

km::rt::Long component(double angle) {
    return km::rt::CLng((std::cos(angle) + 1) * 127);
}

} // namespace

km::rt::Long clsColourMgr::ColourOnCircle(km::rt::Long index, km::rt::Long groups) {
    double theta = index * (fullTurn / groups);
    km::rt::Long red = component(theta);
    km::rt::Long green = component(theta + twoThirdsTurn);
    km::rt::Long blue = component(theta + oneThirdTurn);
    return red + 256 * green + 65536 * blue;
}

void clsColourMgr::ProcessColours() {
    // No groups, no colours: an analytic whose report found nothing must not divide by zero.
    km::rt::Long groups = count();
    if (groups == 0) {
        return;
    }
    km::rt::Long index = 0;
    for (auto& group : m_mcol) {
        group->lngColour = ColourOnCircle(index++, groups);
    }
}

std::shared_ptr<clsColourMgrTypes> clsColourMgr::GetTypesByParentSymID(const std::string& strDDID) {
    try {
        for (auto& group : m_mcol) {
            for (auto& member : *group) {
                if (member->strParentSymbolDDID == strDDID) {
                    return group;
                }
            }
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
    return nullptr;
}

std::shared_ptr<clsColourMgrTypes> clsColourMgr::Add(const std::string& strParentSymbolDDID,
                                                     const std::string& strItemDDID, const std::string& strItemName) {
    try {
        std::shared_ptr<clsColourMgrTypes> group;
        if (auto* existing = m_mcol.find(strItemDDID)) {
            group = *existing;
        } else {
            group = std::make_shared<clsColourMgrTypes>();
            group->strItemDDID = strItemDDID;
            group->strItemName = strItemName;
            m_mcol.Add(group, strItemDDID);
        }
        group->Add(strParentSymbolDDID);
        return group;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

std::shared_ptr<clsColourMgrTypes> clsColourMgr::Item(km::rt::Long vntIndex) {
    if (vntIndex < 1 || vntIndex > count()) {
        return nullptr;
    }
    return m_mcol.Item(vntIndex);
}

std::shared_ptr<clsColourMgrTypes> clsColourMgr::Item(const std::string& vntKey) {
    auto* group = m_mcol.find(vntKey);
    return group ? *group : nullptr;
}

} // namespace KM_SLN_SOA
