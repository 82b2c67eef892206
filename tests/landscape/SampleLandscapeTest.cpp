// The sample's landscapes built as the demo builds them: every container holds its grid and no
// two symbols overlap.
#include "LandscapeTest.h"
#include "platform/kemora/storage/IStore.h"
#include <gmock/gmock.h>

namespace {

using km::rt::Long;
using km::test::Box;

class SampleLandscapeTest : public km::test::LandscapeTest {
protected:
    void SetUp() override {
        for (const char* file : {"kestrel-bay.xml", "kestrel-bay-analytics.xml", "kestrel-bay-landscape.xml"}) {
            bench.encyclopedia().setxml(std::string(KM_SOURCE_DIR) + "/samples/" + file, false, false);
        }
    }
    void openDiagram(const std::string& name, Long type = km::test::landscapeDiagram) {
        auto id = bench.encyclopedia().store().objectByName(km::kemora::StoredClass::Diagram, type, name);
        ASSERT_TRUE(id) << name;
        bench.encyclopedia().setCurrentDiagram(*id);
        diagram = bench.encyclopedia().getcurrentdiagram();
    }
    /// Every symbol nested in a container lies within the container's grid area: \p margin in
    /// from its left and bottom edge, \p header below its top edge.
    ::testing::AssertionResult containersHoldTheirGrids(Long margin, Long header, Long rightMargin) {
        int containers = 0;
        for (const auto& symbol : diagram->GetAllSymbols()) {
            if (symbol->kmtype() == 2) {
                continue; // the colour key's frame holds the key's own layout
            }
            Box outer = boxOf(*symbol);
            auto nested = symbol->GetRelatedObjects(km::host::RelNestedSymbols);
            containers += nested->count() > 0 ? 1 : 0;
            for (const auto& object : nested) {
                auto child = std::dynamic_pointer_cast<km::host::ISymbol>(object);
                Box inner = boxOf(*child);
                if (inner.left < outer.left + margin || inner.right > outer.right - rightMargin ||
                    inner.top < outer.top + header || inner.bottom > outer.bottom - margin) {
                    return ::testing::AssertionFailure() << child->Name() << " " << inner << " outside the grid of "
                                                         << symbol->Name() << " " << outer;
                }
            }
        }
        return ::testing::AssertionSuccess() << containers << " containers";
    }
};

TEST_F(SampleLandscapeTest, TheNestedLandscapeIsBuiltWithoutOverlaps) {
    openDiagram("Kestrel Bay Nested Landscape");
    bench.run("BuildAutoLandscape");
    EXPECT_EQ(namesOfType(km::test::domainSymbol).size(), 3u);
    EXPECT_EQ(namesOfType(km::test::componentSymbol).size(), 10u);
    EXPECT_GE(namesOfType(km::test::applicationSymbol).size(), 60u);
    EXPECT_TRUE(noSymbolsOverlap());
    EXPECT_TRUE(containersHoldTheirGrids(5, 50, 0));
    EXPECT_TRUE(stored("Key", 2)) << "the analytics ran after the build and drew their key";
    EXPECT_TRUE(bench.messagePrompts().empty());
}

TEST_F(SampleLandscapeTest, TheServiceProvidersArePopulatedAndSized) {
    openDiagram("Kestrel Bay Service Providers");
    for (const char* name : {"Customer Profile Management", "Route Planning", "Invoicing"}) {
        select(*stored(name));
    }
    chooseTemplate("Applications providing a service");
    bench.run("BuildLandscape");
    EXPECT_THAT(nestedNames(*stored("Route Planning")),
                ::testing::ElementsAre("Dispatch Board", "Network Optimiser", "RoutePlanner Pro"));
    EXPECT_TRUE(noSymbolsOverlap());
    EXPECT_TRUE(containersHoldTheirGrids(2, 32, 2));
    EXPECT_EQ(lastStatus(), "complete");
}

TEST_F(SampleLandscapeTest, TheServiceHierarchiesAreCompleted) {
    openDiagram("Kestrel Bay Service Hierarchy", 132);
    bench.run("BuildServiceHierarchies");
    EXPECT_EQ(namesOfType(0).size(), 3u + 10u + 30u);
    EXPECT_TRUE(noSymbolsOverlap());
}

} // namespace
