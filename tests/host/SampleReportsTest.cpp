// The add-in's report scripts run against the bundled sample model, as the commands run them.
#include "host/IDiagram.h"
#include "host/clsRGManager.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/runtime/Text.h"
#include "support/AddinTestBench.h"
#include "support/ReportScripts.h"
#include <gtest/gtest.h>
#include <set>

namespace {

using km::test::AddinTestBench;
using KM_SLN_SOA::clsRGManager;
namespace scripts = km::kemora::test;

class SampleReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        bench.encyclopedia().setxml(std::string(KM_SOURCE_DIR) + "/samples/kestrel-bay.xml", false, false);
        bench.encyclopedia().setxml(std::string(KM_SOURCE_DIR) + "/samples/kestrel-bay-analytics.xml", false, false);
        bench.initialiseObjects();
    }
    void TearDown() override { EXPECT_TRUE(bench.messagePrompts().empty()); }

    km::rt::Long diagramId(const std::string& name) {
        return bench.encyclopedia().GetFilteredDiagrams(name, 0)->Item(1)->ddid();
    }
    km::rt::Long definitionId(const std::string& name, km::rt::Long type) {
        return bench.encyclopedia().getfiltereddefinitions(name, type)->Item(1)->ddid();
    }
    std::vector<std::string> definitionNames(const std::string& script) {
        std::vector<std::string> names;
        auto found = clsRGManager().ExecuteReport(script, true, false);
        EXPECT_TRUE(found);
        if (found) {
            for (auto& definition : *found) {
                names.push_back(definition->Name());
            }
        }
        return names;
    }
    static std::string property(const pugi::xml_node& item, const std::string& name) {
        for (pugi::xml_node p : item.children("KMProperty")) {
            if (name == p.attribute("KMPrpName").value()) {
                return p.attribute("KMPrpValue").value();
            }
        }
        return "<missing>";
    }

    AddinTestBench bench{km::test::Solution::On};
};

TEST_F(SampleReportsTest, TheHealthViewListsItsAnalyticsInTheirStoredOrder) {
    auto analytics = definitionNames(scripts::diagramUsesScript(diagramId("Kestrel Bay Application Health"), 798));
    ASSERT_EQ(analytics.size(), 3u);
    auto stored = bench.encyclopedia()
                      .getdiagrambyid(diagramId("Kestrel Bay Application Health"))
                      ->GetProperty("Analytics To Run");
    std::string expected;
    for (const auto& name : analytics) {
        expected += name + "\r\n";
    }
    EXPECT_EQ(stored, expected) << "the report keeps the sequence of the diagram's list";
}

TEST_F(SampleReportsTest, EveryDomainComprisesComponentsThatProvideServices) {
    std::set<std::string> components, services;
    for (auto domain : bench.encyclopedia().getfiltereddefinitions("", 619)) {
        auto comprised = definitionNames(km::rt::Replace(scripts::hierarchyScript(619, "comprises", 618), "#DDIDS#",
                                                         std::to_string(domain->ddid())));
        EXPECT_FALSE(comprised.empty()) << domain->Name();
        for (const auto& component : comprised) {
            components.insert(component);
            auto provided = definitionNames(km::rt::Replace(scripts::hierarchyScript(618, "provides", 765), "#DDIDS#",
                                                            std::to_string(definitionId(component, 618))));
            services.insert(provided.begin(), provided.end());
        }
    }
    EXPECT_EQ(components.size(), 10u);
    EXPECT_EQ(services.size(), 30u);
}

TEST_F(SampleReportsTest, TheComponentReportHasComponentsServicesAndDatedApplications) {
    auto items = clsRGManager().ExecuteReportXML(scripts::componentReport(765));
    ASSERT_TRUE(items);
    EXPECT_EQ(items->count(), 10u);
    size_t applications = 0, dated = 0;
    for (const pugi::xpath_node& component : items->nodes()) {
        EXPECT_EQ(property(component.node(), "Component Name"), component.node().attribute("Name").value());
        for (pugi::xml_node service : component.node().child("KMLevel").children("KMItem")) {
            EXPECT_NE(property(service, "Service Name"), "<missing>");
            for (pugi::xml_node application : service.child("KMLevel").children("KMItem")) {
                ++applications;
                std::string commissioned = property(application, "Commission Date");
                EXPECT_NE(commissioned, "<missing>");
                dated += !commissioned.empty();
            }
        }
    }
    EXPECT_GT(applications, 0u);
    EXPECT_GT(dated, 0u) << "the sample's applications carry commission dates";
}

TEST_F(SampleReportsTest, ServicePlansAddAndRemoveApplicationsOfServices) {
    for (bool additions : {true, false}) {
        auto items = clsRGManager().ExecuteReportXML(scripts::servicePlanReport(additions, 765));
        ASSERT_TRUE(items);
        size_t related = 0;
        for (const pugi::xpath_node& service : items->nodes()) {
            for (pugi::xml_node plan : service.node().child("KMLevel").children("KMItem")) {
                EXPECT_NE(property(plan, "Start Date"), "<missing>");
                related += plan.select_nodes("KMProperty[@KMPrpName='Application']/KMRelatedItem").size();
                EXPECT_FALSE(plan.child("KMLevel").child("KMItem").attribute("Name").empty())
                    << "every plan belongs to a project";
            }
        }
        EXPECT_GT(related, 0u) << (additions ? "additions" : "removals");
    }
}

TEST_F(SampleReportsTest, TheProjectReportHasFiveProjectsWithTheirPlans) {
    auto items = clsRGManager().ExecuteReportXML(scripts::projectReport());
    ASSERT_TRUE(items);
    EXPECT_EQ(items->count(), 5u);
    size_t plans = 0;
    for (const pugi::xpath_node& project : items->nodes()) {
        EXPECT_NE(property(project.node(), "Project Name"), "<missing>");
        plans += project.node().select_nodes("KMLevel/KMItem").size();
    }
    EXPECT_EQ(plans, 9u);
}

} // namespace
