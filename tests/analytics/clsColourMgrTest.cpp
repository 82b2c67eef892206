#include "analytics/clsColourMgr.h"
#include "platform/runtime/RuntimeError.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {

using km::rt::Long;
namespace addin = KM_SLN_SOA;

using Rgb = std::tuple<Long, Long, Long>;

Rgb rgbOf(Long colour) {
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

std::vector<Rgb> coloursOf(int groups) {
    addin::clsColourMgr manager;
    for (int i = 0; i < groups; ++i) {
        manager.Add("1", std::to_string(100 + i), "Item " + std::to_string(i));
    }
    manager.ProcessColours();
    std::vector<Rgb> colours;
    for (auto& group : manager) {
        colours.push_back(rgbOf(group->lngColour));
    }
    return colours;
}

TEST(clsColourMgrTest, GroupsAreSpreadAroundTheColourCircle) {
    EXPECT_EQ(coloursOf(1), (std::vector<Rgb>{{254, 63, 64}}));
    EXPECT_EQ(coloursOf(2), (std::vector<Rgb>{{254, 63, 64}, {0, 191, 190}}));
    EXPECT_EQ(coloursOf(3), (std::vector<Rgb>{{254, 63, 64}, {64, 254, 63}, {63, 64, 254}}));
    EXPECT_EQ(coloursOf(4), (std::vector<Rgb>{{254, 63, 64}, {127, 237, 17}, {0, 191, 190}, {127, 17, 237}}));
}

TEST(clsColourMgrTest, ProcessingAnEmptyManagerDoesNothing) {
    addin::clsColourMgr manager;
    EXPECT_NO_THROW(manager.ProcessColours());
    EXPECT_EQ(manager.count(), 0);
}

TEST(clsColourMgrTest, ASymbolIsAMemberOfAGroupOnceAndMayBelongToSeveralGroups) {
    addin::clsColourMgr manager;
    auto billing = manager.Add("11", "500", "Billing");
    EXPECT_EQ(manager.Add("11", "500", "Renamed"), billing);
    EXPECT_EQ(billing->count(), 1);
    EXPECT_EQ(billing->strItemName, "Billing") << "a group keeps the name it was created with";

    auto payments = manager.Add("11", "600", "Payments");
    manager.Add("12", "600", "Payments");
    EXPECT_EQ(manager.count(), 2);
    EXPECT_EQ(payments->count(), 2);
    EXPECT_EQ(payments->Item(2)->strParentSymbolDDID, "12");
    EXPECT_EQ(manager.GetTypesByParentSymID("11"), billing) << "the group created first";
    EXPECT_EQ(manager.GetTypesByParentSymID("12"), payments);
    EXPECT_EQ(manager.GetTypesByParentSymID("13"), nullptr);
    EXPECT_EQ(manager.GetTypesByParentSymID("1"), nullptr) << "ids compare as whole texts";
}

TEST(clsColourMgrTest, ItemAnswersNothingForAMissingGroupButAGroupRaisesForAMissingMember) {
    addin::clsColourMgr manager;
    auto group = manager.Add("11", "500", "Billing");
    EXPECT_EQ(manager.Item(1), group);
    EXPECT_EQ(manager.Item("500"), group);
    EXPECT_EQ(manager.Item(2), nullptr);
    EXPECT_EQ(manager.Item(0), nullptr);
    EXPECT_EQ(manager.Item("501"), nullptr);

    EXPECT_EQ(group->Item("11")->strParentSymbolDDID, "11");
    try {
        group->Item("12");
        FAIL() << "a missing member must raise";
    } catch (const km::rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), 5);
    }
    try {
        group->Item(2);
        FAIL() << "a missing position must raise";
    } catch (const km::rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), 9);
    }
}

TEST(clsColourMgrTest, RemovingAGroupLeavesTheOthersInOrder) {
    addin::clsColourMgr manager;
    manager.Add("1", "500", "A");
    manager.Add("2", "600", "B");
    manager.Add("3", "700", "C");
    manager.Remove("600");
    ASSERT_EQ(manager.count(), 2);
    EXPECT_EQ(manager.Item(2)->strItemName, "C");
    EXPECT_EQ(manager.GetTypesByParentSymID("2"), nullptr);
    manager.ProcessColours();
    EXPECT_EQ(rgbOf(manager.Item(2)->lngColour), (Rgb{0, 191, 190}));
}

} // namespace
