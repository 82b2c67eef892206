#include "support/AddinTestBench.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include <gtest/gtest.h>

namespace {

using km::test::AddinTestBench;
using km::test::Solution;

TEST(AddinTestBenchTest, TheSolutionsTypesExistOnlyWhenSwitchedOn) {
    AddinTestBench plain;
    EXPECT_ANY_THROW(plain.createDefinition("Red services", 798));
    AddinTestBench solution(Solution::On);
    EXPECT_TRUE(solution.encyclopedia().diagnostics().empty());
    EXPECT_EQ(solution.createDefinition("Red services", 798)->TypeName(), "Analytic");
    EXPECT_EQ(solution.createDiagram("Services", 132)->TypeName(), "Service Hierarchy");
    EXPECT_TRUE(solution.hasFile("solnprops.cfg"));
}

} // namespace
