#include "host/clsRGManager.h"
#include "ReportScriptModel.h"
#include "addin/basConstantsAndPublicVars.h"
#include "host/IApplication.h"
#include "host/IEncyclopedia.h"
#include "platform/kemora/storage/IStore.h"
#include <gtest/gtest.h>
#include <vector>

namespace KM_SLN_SOA {

class clsRGManagerTestPeer {
public:
    static std::string property(clsRGManager& manager, const pugi::xml_node& item, const std::string& name) {
        return manager.GetItemProperty(item, name);
    }
};

} // namespace KM_SLN_SOA

namespace {

using km::test::AddinTestBench;
using km::test::ServiceModel;
using KM_SLN_SOA::clsRGManager;
using Names = std::vector<std::string>;

constexpr const char* identitySelect = "SELECT \"Identity\" LEGEND \"KMTargetIdentity\", \"Class Number\" LEGEND "
                                       "\"KMTargetClass\", \"Name\" LEGEND \"KMTargetName\" ";

std::string lockedMessage(km::rt::Long id) {
    return "A definition (DDID = " + std::to_string(id) + " was locked and was not added.";
}

class clsRGManagerTest : public ::testing::Test {
protected:
    void SetUp() override { bench.initialiseObjects(); }

    std::shared_ptr<km::host::IEncyclopedia> encyclopedia() { return KM_SLN_SOA::goApp->encyclopedia(); }

    static Names names(const std::shared_ptr<KM_SLN_SOA::DefinitionCollection>& found) {
        Names result;
        for (const auto& definition : *found) {
            result.push_back(definition->Name());
        }
        return result;
    }

    Names run(const std::string& script, bool readOnly = false, bool sort = false) {
        auto found = clsRGManager().ExecuteReport(script, readOnly, sort);
        EXPECT_TRUE(found) << "the report failed";
        return found ? names(found) : Names{"<nothing>"};
    }

    void lock(const std::string& name) {
        auto& store = bench.encyclopedia().store();
        km::kemora::Transaction transaction(store);
        store.lock(model.id(name), "someone else");
        transaction.commit();
    }

    // Every service a component provides, components in name order: Billing (Billing Hub),
    // Billing, Invoicing (Finance Core), Payments (Treasury).
    static std::string servicesOfAllComponents() {
        return std::string("TABULAR 1\n{\nWHERE Class = Definition WHERE \"Type Number\" = 618\n") +
               "JOIN WHERE RELATION = \"provides\" JOIN\n" + identitySelect + "WHERE \"Type Number\" = 765\n}";
    }

    AddinTestBench bench{km::test::Solution::On};
    ServiceModel model{bench};
};

TEST_F(clsRGManagerTest, DefinitionsAreCollectedDepthFirstAndRepeatsStay) {
    const std::string script = std::string("TABULAR 1\n{\n") + identitySelect +
                               "WHERE Class = Definition WHERE \"Type Number\" = 618\n"
                               "JOIN WHERE RELATION = \"provides\" JOIN\n" +
                               identitySelect + "WHERE \"Type Number\" = 765\n}";
    EXPECT_EQ(run(script),
              (Names{"Billing Hub", "Billing", "Finance Core", "Billing", "Invoicing", "Treasury", "Payments"}))
        << "a component precedes its services; Billing is met twice";
    EXPECT_TRUE(bench.messagePrompts().empty());
}

TEST_F(clsRGManagerTest, SortingOrdersByNameAndKeepsEachNameOnce) {
    EXPECT_EQ(run(servicesOfAllComponents()), (Names{"Billing", "Billing", "Invoicing", "Payments"}));
    auto sorted = clsRGManager().ExecuteReport(servicesOfAllComponents(), false, true);
    ASSERT_TRUE(sorted);
    EXPECT_EQ(names(sorted), (Names{"Billing", "Invoicing", "Payments"}));
}

TEST_F(clsRGManagerTest, PartialKeepsObjectsWithoutRelatedOnesWhereAnInnerJoinDropsThem) {
    const std::string join =
        std::string("JOIN WHERE RELATION = \"provides\" JOIN\n") + identitySelect + "WHERE \"Type Number\" = 765\n}";
    const std::string inner = std::string("TABULAR 1\n{\n") + identitySelect + "WHERE \"Type Number\" = 618\n" + join;
    const std::string partial =
        std::string("TABULAR 1\n{\n") + identitySelect + "PARTIAL WHERE \"Type Number\" = 618\n" + join;
    EXPECT_EQ(run(inner),
              (Names{"Billing Hub", "Billing", "Finance Core", "Billing", "Invoicing", "Treasury", "Payments"}));
    EXPECT_EQ(run(partial), (Names{"Billing Hub", "Billing", "Empty Component", "Finance Core", "Billing", "Invoicing",
                                   "Treasury", "Payments"}));
}

TEST_F(clsRGManagerTest, ADiagramItemAddsNothingButItsNestedItemsAreCollected) {
    const std::string script = std::string("TABULAR 1\n{\n") + identitySelect + "WHERE Class = Diagram\n" +
                               "JOIN WHERE RELATION = \"uses\" JOIN\nORDERBY SEQUENCE\n" + identitySelect +
                               "WHERE \"Type Number\" = 798\n}";
    EXPECT_EQ(run(script), (Names{"Zeta Check", "Alpha Check"}));
    const std::string shortForm = "TABULAR 1\n{\nSELECT  \"Identity\" LEGEND \"KMTargetID\" WHERE Class = Diagram\n"
                                  "JOIN WHERE RELATION = \"uses\" JOIN\nORDERBY SEQUENCE\nSELECT  \"Identity\" LEGEND "
                                  "\"KMTargetID\" WHERE \"Type Number\" = 625\n}";
    EXPECT_EQ(run(shortForm), (Names{"Top Level", "Apps"})) << "without KMTargetClass the item's Class decides";
}

TEST_F(clsRGManagerTest, AResultWithoutIdentityPropertiesGivesAnEmptyCollection) {
    auto found = clsRGManager().ExecuteReport("TABULAR 1\n{\nSELECT \"Name\" LEGEND \"KMTargetName\" WHERE \"Type "
                                              "Number\" = 765\n}",
                                              false, false);
    ASSERT_TRUE(found) << "an empty collection, not nothing";
    EXPECT_EQ(found->count(), 0);
}

TEST_F(clsRGManagerTest, ALockedDefinitionIsReportedPerItemAndTheRestCollected) {
    lock("Billing");
    EXPECT_EQ(run(servicesOfAllComponents()), (Names{"Invoicing", "Payments"}));
    const std::vector<std::string> expected(2, lockedMessage(model.id("Billing")));
    EXPECT_EQ(bench.messagePrompts(), expected) << "one message per item naming the definition";
    for (const auto& shown : bench.ui().messages()) {
        EXPECT_EQ(shown.style, 16);
        EXPECT_EQ(shown.title, "Kemora for SOA");
    }
}

TEST_F(clsRGManagerTest, ReadOnlyReportsCollectLockedDefinitions) {
    lock("Billing");
    EXPECT_EQ(run(servicesOfAllComponents(), true), (Names{"Billing", "Billing", "Invoicing", "Payments"}));
    EXPECT_TRUE(bench.messagePrompts().empty());
}

TEST_F(clsRGManagerTest, TheReadOnlySwitchIsAlwaysLeftFalse) {
    for (bool readOnly : {true, false}) {
        encyclopedia()->openobjectsasreadonly(true);
        clsRGManager().ExecuteReport(servicesOfAllComponents(), readOnly, false);
        EXPECT_FALSE(encyclopedia()->openobjectsasreadonly()) << "after a report asked read-only: " << readOnly;
        encyclopedia()->openobjectsasreadonly(true);
        clsRGManager().ExecuteReport("TABULAR 1 { WHERE RELATION", readOnly, true);
        EXPECT_FALSE(encyclopedia()->openobjectsasreadonly()) << "after a rejected report";
    }
}

TEST_F(clsRGManagerTest, AReportTheHostRejectsGivesAnEmptyCollectionOrNothingWithoutAMessage) {
    const std::string bad = "TABULAR 1\n{\nWHERE Type = \"No Such Type\"\n}";
    auto found = clsRGManager().ExecuteReport(bad, false, false);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->count(), 0);
    EXPECT_FALSE(clsRGManager().ExecuteReportXML(bad));
    EXPECT_FALSE(clsRGManager().ExecuteReportXML("TABULAR 1\n{\nWHERE \"Identity\" = #DDIDS#\n}"))
        << "a placeholder left in the script";
    EXPECT_TRUE(bench.messagePrompts().empty());
}

TEST_F(clsRGManagerTest, AnEmptyScriptStillRunsAndGivesAnEmptyResult) {
    auto found = clsRGManager().ExecuteReport("", false, false);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->count(), 0);
    auto items = clsRGManager().ExecuteReportXML("");
    ASSERT_TRUE(items) << "the host answers an empty report, which loads";
    EXPECT_EQ(items->count(), 0u);
    EXPECT_TRUE(items->document().child("KMReport"));
}

TEST_F(clsRGManagerTest, TheItemsOutliveTheManagerThatFetchedThem) {
    std::shared_ptr<KM_SLN_SOA::ReportItemList> items;
    {
        clsRGManager manager;
        items = manager.ExecuteReportXML("TABULAR 1\n{\nSELECT \"Name\" WHERE \"Type Number\" = 619\n}");
    }
    ASSERT_TRUE(items);
    ASSERT_EQ(items->count(), 1u);
    EXPECT_EQ(std::string(items->nodes()[0].node().attribute("Name").value()), "Finance");
}

TEST_F(clsRGManagerTest, WithoutAHostTheStandardErrorIsShownAndNothingAnswered) {
    KM_SLN_SOA::goApp.reset();
    EXPECT_FALSE(clsRGManager().ExecuteReport(servicesOfAllComponents(), true, false));
    EXPECT_FALSE(clsRGManager().ExecuteReport(servicesOfAllComponents(), false, false));
    ASSERT_EQ(bench.messagePrompts().size(), 2u);
    const auto& shown = bench.ui().lastMessage();
    EXPECT_NE(shown.prompt.find("\r\nObject variable or With block variable not set"), std::string::npos)
        << shown.prompt;
    EXPECT_EQ(shown.style, 16);
    EXPECT_EQ(shown.title, "Kemora for SOA");
}

TEST_F(clsRGManagerTest, APropertyNameIsNeverReadAsPartOfTheXPath) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<KMItem Name='x'>"
                                     "<KMProperty KMPrpName='First' KMPrpValue='wrong'/>"
                                     "<KMProperty KMPrpName=\"Owner's Team\" KMPrpValue='Blue'/>"
                                     "<KMProperty KMPrpName='Quote \"q\"' KMPrpValue='Q'/>"
                                     "</KMItem>"));
    pugi::xml_node item = document.child("KMItem");
    clsRGManager manager;
    using Peer = KM_SLN_SOA::clsRGManagerTestPeer;
    EXPECT_EQ(Peer::property(manager, item, "Owner's Team"), "Blue");
    EXPECT_EQ(Peer::property(manager, item, "Quote \"q\""), "Q");
    EXPECT_EQ(Peer::property(manager, item, "x' or '1'='1"), "");
    EXPECT_EQ(Peer::property(manager, item, "First"), "wrong");
    EXPECT_EQ(Peer::property(manager, item, "Missing"), "");
    EXPECT_TRUE(bench.messagePrompts().empty());
}

} // namespace
