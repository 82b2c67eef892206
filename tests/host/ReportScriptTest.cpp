// The preparation every report script goes through, and the scripts the add-in's commands build,
// run through the report manager against a model.
#include "ReportScriptModel.h"
#include "addin/basConstantsAndPublicVars.h"
#include "host/clsRGManager.h"
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <vector>

namespace {

using km::kemora::test::joinLines;
using km::test::AddinTestBench;
using km::test::ServiceModel;
using KM_SLN_SOA::clsRGManager;

std::string prepare(const std::string& script) {
    return clsRGManager::PrepareReportString(script);
}

// ---- Preparation ----

TEST(PrepareReportString, TheHierarchyScriptKeepsItsSettingsLineAndQueryLineAndGetsOneBrace) {
    const std::string line2 =
        "SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT English } ";
    const std::string line4 = "TABULAR 1 { WHERE Class = Definition WHERE \"Type Number\" = 619 WHERE \"Identity\" = "
                              "#DDIDS# JOIN WHERE RELATION = \"comprises\" JOIN SELECT  \"Identity\" LEGEND "
                              "\"KMTargetID\" WHERE Class = Definition WHERE \"Type Number\" = 618 ";
    const std::string script = km::kemora::test::hierarchyScript(619, "comprises", 618);
    EXPECT_EQ(prepare(script), "\n" + line2 + "\n" + line4 + "}");
}

TEST(PrepareReportString, CrLfLineEndsKeepTheirCarriageReturn) {
    const std::string script = "SETTING { DECIMALSEPARATOR \".\" } \r\n"
                               "SETTING { LISTSEPARATOR \",\" } \r\n"
                               "SETTING { MEASUREMENT METRIC } \r\n"
                               "SETTING { PAGESIZE -1\", 0.00 } \r\n"
                               "TABULAR 1 \r\n"
                               "{ \r\n"
                               "WHERE Class = Diagram \r\n"
                               "}";
    EXPECT_EQ(prepare(script), "\nSETTING { DECIMALSEPARATOR \".\" } \r"
                               "\nSETTING { LISTSEPARATOR \",\" } \r"
                               "\nSETTING { MEASUREMENT METRIC } \r"
                               "\nTABULAR 1 \r"
                               "\n{ \r"
                               "\nWHERE Class = Diagram \r"
                               "}");
}

TEST(PrepareReportString, ABodyLineWithAClosingBraceIsDroppedWithItsCondition) {
    const std::string script =
        joinLines({"TABULAR 1", "{", "WHERE Class = Definition", "WHERE \"Type Number\" = 618 }"}, "\n");
    const std::string prepared = prepare(script);
    EXPECT_EQ(prepared.find("618"), std::string::npos) << prepared;
    EXPECT_NE(prepared.find("\nWHERE Class = Definition}"), std::string::npos) << prepared;
}

TEST(PrepareReportString, WithoutTabularOnlySettingsAndFieldsStay) {
    const std::string script =
        joinLines({"REPORT \"\" ID 1 {", "SETTING { MEASUREMENT English } ",
                   "  FIELD \"F\" { SOURCE PROPERTY \"Name\" } ", "SELECT \"Name\"", "WHERE Class = Definition", "}"},
                  "\n");
    EXPECT_EQ(prepare(script), "SETTING { DECIMALSEPARATOR \".\" } \n"
                               "SETTING { LISTSEPARATOR \",\" } \n"
                               "\nSETTING { MEASUREMENT English } "
                               "\nFIELD \"F\" { SOURCE PROPERTY \"Name\" } "
                               "}");
}

TEST(PrepareReportString, AnEmptyScriptBecomesTheThreeSettingsWithoutABrace) {
    EXPECT_EQ(prepare(""), "SETTING { DECIMALSEPARATOR \".\" } \n"
                           "SETTING { LISTSEPARATOR \",\" } \n"
                           "SETTING { MEASUREMENT English } \n");
}

TEST(PrepareReportString, UpperCaseTestsDropLowerCasePageSizeButMeasurementCountsOnlyInExactCase) {
    const std::string script = joinLines({"setting { pagesize -1\", 0.00 } ", "setting { reportformat 0 } ",
                                          "setting { measurement english } ", "Setting { listseparator \",\" } ",
                                          "tabular 1", "{ where class = definition"},
                                         "\n");
    EXPECT_EQ(prepare(script), "SETTING { DECIMALSEPARATOR \".\" } \n"
                               "SETTING { LISTSEPARATOR \",\" } \n"
                               "SETTING { MEASUREMENT English } \n"
                               "\nsetting { measurement english } "
                               "\nSetting { listseparator \",\" } "
                               "\ntabular 1"
                               "\n{ where class = definition}");
}

TEST(PrepareReportString, LeadingBlanksAndTabsGoButTrailingTextStays) {
    EXPECT_EQ(clsRGManager::StripLeadingBlanks(" \t \tWHERE x \t"), "WHERE x \t");
    EXPECT_EQ(clsRGManager::StripLeadingBlanks(" \t "), "");
    EXPECT_EQ(clsRGManager::StripLeadingBlanks("\r"), "\r") << "a carriage return is not a blank";
    EXPECT_EQ(prepare("\t  SETTING { MEASUREMENT METRIC } \n TABULAR 1 {\n\t\tWHERE Class = Diagram"),
              "SETTING { DECIMALSEPARATOR \".\" } \nSETTING { LISTSEPARATOR \",\" } \n"
              "\nSETTING { MEASUREMENT METRIC } \nTABULAR 1 {\nWHERE Class = Diagram}");
}

TEST(PrepareReportString, ASettingNeedsItsBlankAndLinesBeforeTheQueryThatAreNeitherGo) {
    const std::string script =
        joinLines({"SETTINGS { MEASUREMENT METRIC }", "FIELDX \"F\" { }", "ID 29805 ", "{ ", "TABULAR 1 ", "{ "}, "\n");
    EXPECT_EQ(prepare(script), "SETTING { DECIMALSEPARATOR \".\" } \nSETTING { LISTSEPARATOR \",\" } \n"
                               "SETTING { MEASUREMENT English } \n\nTABULAR 1 \n{ }");
}

// ---- The commands' scripts against a model ----

class CommandScriptTest : public ::testing::Test {
protected:
    void SetUp() override { bench.initialiseObjects(); }

    std::vector<std::string> definitionNames(const std::string& script, bool sort = false) {
        auto found = clsRGManager().ExecuteReport(script, true, sort);
        EXPECT_TRUE(found) << "the report failed";
        std::vector<std::string> names;
        if (found) {
            for (const auto& definition : *found) {
                names.push_back(definition->Name());
            }
        }
        return names;
    }

    AddinTestBench bench{km::test::Solution::On};
    ServiceModel model{bench};
};

std::string property(const pugi::xml_node& item, const std::string& name) {
    for (pugi::xml_node found : item.children("KMProperty")) {
        if (name == found.attribute("KMPrpName").value()) {
            return found.attribute("KMPrpValue").value();
        }
    }
    return "<missing>";
}

std::vector<std::string> nestedNames(const pugi::xml_node& item) {
    std::vector<std::string> names;
    for (const pugi::xpath_node& nested : item.select_nodes("KMLevel/KMItem")) {
        names.push_back(nested.node().attribute("Name").value());
    }
    return names;
}

std::vector<std::string> namesOf(const KM_SLN_SOA::ReportItemList& items) {
    std::vector<std::string> names;
    for (const pugi::xpath_node& item : items.nodes()) {
        names.push_back(item.node().attribute("Name").value());
    }
    return names;
}

using Names = std::vector<std::string>;

TEST_F(CommandScriptTest, AnalyticsOfADiagramComeInTheirStoredOrder) {
    EXPECT_EQ(definitionNames(km::kemora::test::diagramUsesScript(model.landscape->ddid(), 798)),
              (Names{"Zeta Check", "Alpha Check"}));
    EXPECT_TRUE(bench.messagePrompts().empty());
}

TEST_F(CommandScriptTest, WithoutOrderBySequenceTheAnalyticsComeInNameOrder) {
    std::string script = km::kemora::test::diagramUsesScript(model.landscape->ddid(), 798);
    script.replace(script.find("ORDERBY SEQUENCE "), 17, "");
    EXPECT_EQ(definitionNames(script), (Names{"Alpha Check", "Zeta Check"}));
}

TEST_F(CommandScriptTest, LandscapeTemplatesOfADiagramComeInTheirStoredOrder) {
    EXPECT_EQ(definitionNames(km::kemora::test::diagramUsesScript(model.landscape->ddid(), 625)),
              (Names{"Top Level", "Apps"}));
}

TEST_F(CommandScriptTest, TheComprisesReportYieldsTheDomainsComponentsInNameOrder) {
    std::string script = km::kemora::test::hierarchyScript(619, "comprises", 618);
    script = km::rt::Replace(script, "#DDIDS#", model.idText("Finance"));
    EXPECT_EQ(definitionNames(script), (Names{"Finance Core", "Treasury"})) << "the domain itself selects no identity";
}

TEST_F(CommandScriptTest, TheProvidesReportYieldsTheComponentsServices) {
    std::string script = km::kemora::test::hierarchyScript(618, "provides", 765);
    EXPECT_EQ(definitionNames(km::rt::Replace(script, "#DDIDS#", model.idText("Finance Core"))),
              (Names{"Billing", "Invoicing"}));
    EXPECT_TRUE(definitionNames(km::rt::Replace(script, "#DDIDS#", model.idText("Empty Component"))).empty());
    EXPECT_TRUE(definitionNames(km::rt::Replace(script, "#DDIDS#", model.idText("Ledger"))).empty())
        << "an application is not of the component type";
}

TEST_F(CommandScriptTest, TheComponentReportListsEveryComponentWithServicesAndApplications) {
    auto items = clsRGManager().ExecuteReportXML(km::kemora::test::componentReport(765));
    ASSERT_TRUE(items);
    EXPECT_EQ(namesOf(*items), (Names{"Billing Hub", "Empty Component", "Finance Core", "Treasury"}))
        << "PARTIAL keeps components without services";
    pugi::xml_node financeCore = items->nodes()[2].node();
    EXPECT_EQ(property(financeCore, "Component Name"), "Finance Core");
    EXPECT_EQ(financeCore.attribute("DDID").as_int(), model.id("Finance Core"));
    EXPECT_EQ(financeCore.attribute("Class").value(), std::string("3"));
    EXPECT_EQ(nestedNames(financeCore), (Names{"Billing", "Invoicing"}));
    pugi::xml_node billing = financeCore.select_node("KMLevel/KMItem[1]").node();
    EXPECT_EQ(property(billing, "Service Name"), "Billing");
    EXPECT_EQ(billing.attribute("DDID").as_int(), model.id("Billing"));
    EXPECT_EQ(nestedNames(billing), (Names{"Ledger", "Old Ledger"}));
    pugi::xml_node ledger = billing.select_node("KMLevel/KMItem[1]").node();
    EXPECT_EQ(property(ledger, "Application Name"), "Ledger");
    EXPECT_EQ(property(ledger, "Commission Date"), "20200101");
    EXPECT_EQ(property(ledger, "Decommission Date"), "20251231");
    pugi::xml_node oldLedger = billing.select_node("KMLevel/KMItem[2]").node();
    EXPECT_EQ(property(oldLedger, "Decommission Date"), "") << "an unset date reads empty";
    EXPECT_TRUE(nestedNames(items->nodes()[1].node()).empty());
}

TEST_F(CommandScriptTest, TheAdditionsReportListsServicesWithThePlansAddingToThemAndTheirProjects) {
    auto items = clsRGManager().ExecuteReportXML(km::kemora::test::servicePlanReport(true, 765));
    ASSERT_TRUE(items);
    ASSERT_EQ(namesOf(*items), (Names{"Billing"})) << "only services with a plan of a project";
    pugi::xml_node billing = items->nodes()[0].node();
    EXPECT_EQ(property(billing, "Service Name"), "Billing");
    ASSERT_EQ(nestedNames(billing), (Names{"Plan A"}));
    pugi::xml_node plan = billing.select_node("KMLevel/KMItem").node();
    EXPECT_EQ(property(plan, "Start Date"), "20230301");
    EXPECT_EQ(property(plan, "Completion Date"), "20230901");
    EXPECT_EQ(property(plan, "Project Complete"), "F");
    pugi::xml_node application = plan.select_node("KMProperty[@KMPrpName='Application']/KMRelatedItem").node();
    EXPECT_EQ(std::string(application.text().get()), "Ledger");
    EXPECT_EQ(application.attribute("DDID").as_int(), model.id("Ledger"));
    EXPECT_EQ(std::string(plan.select_node("KMLevel/KMItem[1]").node().attribute("Name").value()), "Modernise");
    EXPECT_EQ(property(plan.select_node("KMLevel/KMItem[1]").node(), "Project Name"), "Modernise");
}

TEST_F(CommandScriptTest, TheRemovalsReportFindsThePlanOfAnApplicationByItsId) {
    auto items = clsRGManager().ExecuteReportXML(km::kemora::test::servicePlanReport(false, 765));
    ASSERT_TRUE(items);
    ASSERT_EQ(namesOf(*items), (Names{"Billing"}));
    pugi::xml_node billing = items->nodes()[0].node();
    const std::string planOf = "KMLevel/KMItem/KMProperty[@KMPrpName='Application']/KMRelatedItem[@DDID='" +
                               model.idText("Old Ledger") + "']/parent::KMProperty/parent::KMItem";
    pugi::xpath_node_set plans = billing.select_nodes(planOf.c_str());
    ASSERT_EQ(plans.size(), 1u);
    EXPECT_EQ(std::string(plans[0].node().attribute("Name").value()), "Plan B");
    EXPECT_EQ(property(plans[0].node(), "Project Complete"), "T");
    const std::string otherApplication = "KMLevel/KMItem/KMProperty[@KMPrpName='Application']/KMRelatedItem[@DDID='" +
                                         model.idText("Ledger") + "']/parent::KMProperty/parent::KMItem";
    EXPECT_TRUE(billing.select_nodes(otherApplication.c_str()).empty());
}

TEST_F(CommandScriptTest, TheProjectReportListsProjectsThatHavePlans) {
    auto items = clsRGManager().ExecuteReportXML(km::kemora::test::projectReport());
    ASSERT_TRUE(items);
    ASSERT_EQ(namesOf(*items), (Names{"Modernise"})) << "a project without plans is left out (inner join)";
    pugi::xml_node project = items->nodes()[0].node();
    EXPECT_EQ(property(project, "Project Name"), "Modernise");
    EXPECT_EQ(property(project, "Start Date"), "20230101");
    EXPECT_EQ(property(project, "Completion Date"), "20241231");
    EXPECT_EQ(nestedNames(project), (Names{"Plan A", "Plan B"})) << "name order without ORDERBY SEQUENCE";
    pugi::xml_node planB = project.select_node("KMLevel/KMItem[2]").node();
    EXPECT_EQ(property(planB, "Service Plan Name"), "Plan B");
    EXPECT_EQ(property(planB, "Start Date"), "20230101");
    EXPECT_EQ(property(planB, "Completion Date"), "20240601");
}

} // namespace
