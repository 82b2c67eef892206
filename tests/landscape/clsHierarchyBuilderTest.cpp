// BuildServiceHierarchies through the facade: components under their domains, services under
// their components, matched by name so that a second build adds nothing.
#include "landscape/clsHierarchyBuilder.h"
#include "LandscapeTest.h"
#include "platform/kemora/storage/IStore.h"
#include <gmock/gmock.h>

namespace {

using km::rt::Long;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class HierarchyBuilderTest : public km::test::LandscapeTest {
protected:
    HierarchyBuilderTest() {
        diagram = bench.createDiagram("Hierarchy", 132);
        for (const char* service : {"Profiles", "Contacts", "Quotes"}) {
            bench.createDefinition(service, 765);
        }
        bench.createDefinition("CRM", 618, {{"Provides Services", "Profiles\r\nContacts\r\n"}});
        bench.createDefinition("Sales", 618, {{"Provides Services", "Quotes\r\n"}});
        bench.createDefinition("Customer", 619, {{"Comprises", "Sales\r\nCRM\r\n"}});
        bench.addSymbol(*diagram, "Customer", km::test::domainSymbol);
    }
    /// The hierarchy children of the first symbol of that name.
    std::vector<std::string> children(const std::string& name) {
        std::vector<std::string> names;
        for (const auto& child : stored(name)->GetRelatedObjects(km::host::RelHierarchyChildren)) {
            names.push_back(child->Name());
        }
        return names;
    }
};

TEST_F(HierarchyBuilderTest, AddsComponentsAndTheirServicesOnce) {
    bench.run("BuildServiceHierarchies");
    EXPECT_THAT(children("Customer"), ElementsAre("CRM", "Sales"));
    EXPECT_THAT(children("CRM"), ElementsAre("Contacts", "Profiles"));
    EXPECT_THAT(children("Sales"), ElementsAre("Quotes"));
    EXPECT_EQ(bench.workbench().menuCommands(), std::vector<Long>{187});
    EXPECT_EQ(lastStatus(), "complete");
    const std::size_t count = namesOfType(0).size();
    EXPECT_EQ(count, 6u);

    bench.run("BuildServiceHierarchies");
    EXPECT_EQ(namesOfType(0).size(), count) << "a second build adds nothing";
    EXPECT_TRUE(prompts().empty());
}

TEST_F(HierarchyBuilderTest, ARenamedChildIsAddedAgainAsTheFirstNewChild) {
    bench.run("BuildServiceHierarchies");
    const Long renamed = stored("Sales")->ddid();
    auto& store = bench.encyclopedia().store();
    km::kemora::inTransaction(store, [&] { store.renameObject(renamed, "Sales (old)"); });
    bench.encyclopedia().forget(renamed);
    bench.run("BuildServiceHierarchies");
    // CRM is found, not made, so the new Sales is the first child made in this run.
    EXPECT_THAT(children("Customer"), ElementsAre("Sales", "CRM", "Sales (old)"));
    EXPECT_THAT(children("Sales"), ElementsAre("Quotes"));
}

TEST_F(HierarchyBuilderTest, ALockedDefinitionIsReportedAndPassedOver) {
    auto& store = bench.encyclopedia().store();
    Long crm = bench.encyclopedia().definitionNamed(618, "CRM")->ddid();
    km::kemora::inTransaction(store, [&] { store.lock(crm, "pat@desk"); });
    bench.run("BuildServiceHierarchies");
    EXPECT_THAT(children("Customer"), ElementsAre("Sales"));
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_THAT(prompts()[0], HasSubstr("was locked and was not added."));
    EXPECT_EQ(lastStatus(), "complete");
}

TEST_F(HierarchyBuilderTest, OtherDiagramsAreRefused) {
    bench.createDiagram("Landscape 2", km::test::landscapeDiagram);
    bench.run("BuildServiceHierarchies");
    EXPECT_THAT(prompts(), ElementsAre("You must open a Service Hierarchy diagram."));
    EXPECT_EQ(lastStatus(), "complete");
    EXPECT_TRUE(bench.workbench().menuCommands().empty());
}

TEST(HierarchyScriptTest, TheScriptsHaveFiveLines) {
    EXPECT_EQ(KM_SLN_SOA::clsHierarchyBuilder::ProvidesScript(765),
              "REPORT \"\" ID 49925 { \n"
              "SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT English } \n"
              "SETTING { PAGESIZE -1\", 0.00 } SETTING { REPORTFORMAT 0 } \n"
              "TABULAR 1 { WHERE Class = Definition WHERE \"Type Number\" = 618 WHERE \"Identity\" = #DDIDS# JOIN "
              "WHERE RELATION = \"provides\" JOIN SELECT  \"Identity\" LEGEND \"KMTargetID\" WHERE Class = Definition "
              "WHERE \"Type Number\" = 765 \n"
              " } }");
}

} // namespace
