// The hierarchy tree's nodes and the per-level grid arithmetic of nested landscapes.
#include "landscape/clsHierarchyLevelDetails.h"
#include "landscape/clsHierarchyNode.h"
#include "platform/runtime/RuntimeError.h"
#include <gtest/gtest.h>

namespace {

using km::rt::Long;
using KM_SLN_SOA::clsHierarchyLevelDetails;
using KM_SLN_SOA::clsHierarchyNode;

TEST(HierarchyNodeTest, ChildrenAreKeyedByNameWithoutRegardToCase) {
    clsHierarchyNode root;
    auto first = root.Add("Billing", 618, 7, nullptr);
    EXPECT_EQ(root.Add("BILLING", 765, 8, nullptr), first);
    EXPECT_EQ(root.count(), 1);
    EXPECT_EQ(first->lngDDID, 7);
    EXPECT_EQ(root.Item("billing"), first);
    // Nameless objects take no key, so they cannot clash with each other.
    auto blank = root.Add("", 618, 9, nullptr);
    EXPECT_NE(root.Add("", 618, 10, nullptr), blank);
    EXPECT_EQ(root.count(), 3);
    EXPECT_EQ(root.Item(3)->lngDDID, 10);
}

TEST(HierarchyLevelDetailsTest, TheGridOfALevelFollowsItsLargestParent) {
    struct Case {
        Long items, columns, rows;
    };
    for (const Case& c :
         {Case{0, 0, 0}, Case{1, 1, 1}, Case{2, 1, 2}, Case{3, 2, 2}, Case{5, 2, 3}, Case{7, 3, 3}, Case{10, 3, 4}}) {
        clsHierarchyLevelDetails level;
        level.FoundSourceItemsWithThismanyLevels(c.items);
        level.FoundSourceItemsWithThismanyLevels(c.items / 2);
        EXPECT_EQ(level.lngMaxItemsInThisLevel, c.items);
        EXPECT_EQ(level.LevelHasThisManyCols(), c.columns) << c.items << " items";
        EXPECT_EQ(level.LevelCouldHaveThisManyRows(), c.rows) << c.items << " items";
    }
}

TEST(HierarchyLevelDetailsTest, AParentHoldsExactlyTheGridOfItsChildren) {
    clsHierarchyLevelDetails parent;
    auto children = parent.CreateNextLevelDown();
    EXPECT_EQ(parent.NextLevel, children);
    children->FoundSourceItemsWithThismanyLevels(7);
    children->XSize = 100;
    children->YSize = 40;
    parent.ChildLevelXsizeIs(100);
    parent.ChildLevelYsizeIs(40);
    EXPECT_EQ(parent.XSize, 315);
    EXPECT_EQ(parent.YSize, 185);
    // Items 1, 3 and 4 of 3 columns: columns 1, 3, 1 and rows 1, 1, 2 in a parent at (0, 0).
    EXPECT_EQ(children->ReturnXPosForThisItem(1, 315), 105);
    EXPECT_EQ(children->ReturnXPosForThisItem(3, 315), 315);
    EXPECT_EQ(children->ReturnXPosForThisItem(4, 315), 105);
    EXPECT_EQ(children->ReturnYPosForThisItem(1, 185), 90);
    EXPECT_EQ(children->ReturnYPosForThisItem(3, 185), 90);
    EXPECT_EQ(children->ReturnYPosForThisItem(4, 185), 135);
}

TEST(HierarchyLevelDetailsTest, OverflowingSizesRaiseAnError) {
    clsHierarchyLevelDetails parent;
    parent.CreateNextLevelDown()->FoundSourceItemsWithThismanyLevels(4);
    try {
        parent.ChildLevelXsizeIs(2'000'000'000);
        FAIL() << "no overflow";
    } catch (const km::rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), 6);
    }
}

TEST(HierarchyLevelDetailsTest, TheScriptGetsTheParentAndTheFilter) {
    clsHierarchyLevelDetails level;
    level.strReport = "#DDIDS# #PARAMETER1# #DDIDS#";
    EXPECT_EQ(level.GetReportProcessed(12), "12 #PARAMETER1# 12");
    EXPECT_EQ(level.GetReportProcessed(0), "#DDIDS# #PARAMETER1# #DDIDS#");
    level.lngParameter = 99;
    EXPECT_EQ(level.GetReportProcessed(12), "12 99 12");
    EXPECT_EQ(level.GetReportProcessed(0), "#DDIDS# 99 #DDIDS#") << "a filter chosen for the top level is used";
}

} // namespace
