#include "ReportModel.h"
#include "host/HostError.h"
#include "support/ReportScripts.h"
#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace km::kemora;
using km::host::HostError;
using km::host::HostErrorCode;
using test::prepared;
using test::replaced;

namespace {

class ReportEngineTest : public testing::Test {
protected:
    pugi::xml_node report(const std::string& script) {
        m_xml = m_model.run(script);
        const pugi::xml_parse_result parsed = m_document.load_string(m_xml.c_str());
        EXPECT_TRUE(parsed) << parsed.description() << "\n" << m_xml;
        return m_document.child("KMReport");
    }

    /// The Name attributes of the nodes an XPath selects.
    static std::vector<std::string> names(pugi::xml_node node, const char* xpath) {
        std::vector<std::string> result;
        for (const pugi::xpath_node& selected : node.select_nodes(xpath)) {
            result.push_back(selected.node().attribute("Name").value());
        }
        return result;
    }

    /// An item's property value, as the add-in reads it.
    static std::string property(pugi::xml_node item, const std::string& name) {
        pugi::xpath_variable_set variables;
        variables.set("name", name.c_str());
        pugi::xpath_query query("KMProperty[@KMPrpName=$name]", &variables);
        return query.evaluate_node(item).node().attribute("KMPrpValue").value();
    }

    /// The HostError the script raises.
    HostError failure(const std::string& script) {
        try {
            m_model.run(script);
        } catch (const HostError& error) {
            return error;
        }
        ADD_FAILURE() << "no error for " << script;
        return HostError(HostErrorCode::NotFound, "");
    }

    std::string id(const std::string& name) const { return std::to_string(m_model.id(name)); }

    test::ReportModel m_model;
    std::string m_xml;
    pugi::xml_document m_document;
};

const char* const topItems = "KMLevel/KMItem";

} // namespace

TEST_F(ReportEngineTest, ListsADiagramsAnalyticsInTheirStoredSequence) {
    const std::string script = test::diagramUsesScript(m_model.id("Landscape"), 798);
    for (const std::string& text : {script, prepared(script)}) {
        pugi::xml_node root = report(text);
        ASSERT_EQ(names(root, topItems), std::vector<std::string>{"Landscape"});
        pugi::xml_node diagram = root.child("KMLevel").child("KMItem");
        EXPECT_STREQ(diagram.attribute("Class").value(), "1");
        EXPECT_STREQ(diagram.attribute("DDID").value(), id("Landscape").c_str());
        EXPECT_FALSE(diagram.child("KMProperty")) << "the diagram level selects nothing";
        // "Red Apps" before "Amber": the list order, not the name order; templates are left out.
        EXPECT_EQ(names(diagram, topItems), (std::vector<std::string>{"Red Apps", "Amber"}));
        pugi::xml_node analytic = diagram.child("KMLevel").child("KMItem");
        EXPECT_EQ(property(analytic, "KMTargetIdentity"), id("Red Apps"));
        EXPECT_EQ(property(analytic, "KMTargetClass"), "3");
        EXPECT_EQ(property(analytic, "KMTargetType"), "798");
        EXPECT_EQ(property(analytic, "KMTargetName"), "Red Apps");
    }
    pugi::xml_node templates = report(prepared(test::diagramUsesScript(m_model.id("Landscape"), 625)));
    EXPECT_EQ(names(templates, "KMLevel/KMItem/KMLevel/KMItem"),
              (std::vector<std::string>{"Services", "Apps of Component"}));
}

TEST_F(ReportEngineTest, OrdersByNameWithoutRegardToCaseUnlessSequenceIsAsked) {
    const std::string script = replaced(test::diagramUsesScript(m_model.id("Landscape"), 798), "ORDERBY SEQUENCE", "");
    EXPECT_EQ(names(report(script), "KMLevel/KMItem/KMLevel/KMItem"), (std::vector<std::string>{"Amber", "Red Apps"}));
    EXPECT_EQ(names(report("TABULAR 1 { WHERE \"Type Number\" = 765 }"), topItems),
              (std::vector<std::string>{"Archive", "Billing", "Invoicing", "payments"}));
    // ORDERBY SEQUENCE on the first level has no list to follow: name order.
    EXPECT_EQ(names(report("TABULAR 1 { ORDERBY SEQUENCE WHERE \"Type Number\" = 309 }"), topItems),
              (std::vector<std::string>{"Biller", "Ledger", "Old Ledger"}));
}

TEST_F(ReportEngineTest, RunsTheServiceHierarchyScriptsForOneDefinition) {
    const std::string comprises = test::hierarchyScript(619, "comprises", 618);
    for (const std::string& text : {comprises, prepared(comprises)}) {
        pugi::xml_node root = report(replaced(text, "#DDIDS#", id("Finance Domain")));
        EXPECT_EQ(names(root, "KMLevel/KMItem/KMLevel/KMItem"),
                  (std::vector<std::string>{"Empty Component", "Finance Core"}));
        EXPECT_EQ(property(root.select_node("KMLevel/KMItem/KMLevel/KMItem[2]").node(), "KMTargetID"),
                  id("Finance Core"));
    }
    const std::string provides = prepared(test::hierarchyScript(618, "provides", 765));
    EXPECT_EQ(names(report(replaced(provides, "#DDIDS#", id("Finance Core"))), "KMLevel/KMItem/KMLevel/KMItem"),
              (std::vector<std::string>{"Billing", "Invoicing"}));
    // Without PARTIAL a component that provides nothing is left out, and with it the whole report.
    EXPECT_FALSE(report(replaced(provides, "#DDIDS#", id("Empty Component"))).child("KMLevel").child("KMItem"));
    // The wrong type for the id: nothing.
    EXPECT_FALSE(report(replaced(provides, "#DDIDS#", id("Ledger"))).child("KMLevel").child("KMItem"));
}

TEST_F(ReportEngineTest, ComponentReportKeepsEveryComponentThroughPartial) {
    const std::string script = test::componentReport(765);
    for (const std::string& text : {script, prepared(script)}) {
        pugi::xml_node root = report(text);
        EXPECT_EQ(names(root, topItems), (std::vector<std::string>{"Empty Component", "Finance Core"}));
        pugi::xml_node core = root.select_node("KMLevel/KMItem[@Name='Finance Core']").node();
        EXPECT_EQ(property(core, "Component Name"), "Finance Core");
        EXPECT_EQ(names(core, topItems), (std::vector<std::string>{"Billing", "Invoicing"}));
        // "provided by" reaches applications and components; the type condition keeps the applications.
        pugi::xml_node billing = core.select_node("KMLevel/KMItem[@Name='Billing']").node();
        EXPECT_EQ(property(billing, "Service Name"), "Billing");
        EXPECT_EQ(names(billing, topItems), (std::vector<std::string>{"Biller", "Ledger"}));
        pugi::xml_node ledger = billing.select_node("KMLevel/KMItem[@Name='Ledger']").node();
        EXPECT_EQ(property(ledger, "Application Name"), "Ledger");
        EXPECT_EQ(property(ledger, "Commission Date"), "20200101");
        EXPECT_EQ(property(ledger, "Decommission Date"), "20251231");
        pugi::xml_node biller = billing.select_node("KMLevel/KMItem[@Name='Biller']").node();
        EXPECT_EQ(property(biller, "Decommission Date"), "");
        EXPECT_TRUE(biller.select_node("KMProperty[@KMPrpName='Decommission Date']")) << "empty values are written";
    }
}

TEST_F(ReportEngineTest, ServicePlanReportsFollowReverseNamesAndListTheApplications) {
    pugi::xml_node added = report(prepared(test::servicePlanReport(true, 765)));
    ASSERT_EQ(names(added, topItems), std::vector<std::string>{"Billing"});
    pugi::xml_node planA = added.select_node("KMLevel/KMItem/KMLevel/KMItem").node();
    EXPECT_STREQ(planA.attribute("Name").value(), "Plan A");
    EXPECT_EQ(property(planA, "Start Date"), "20220101");
    EXPECT_EQ(property(planA, "Completion Date"), "20220630");
    EXPECT_EQ(property(planA, "Project Complete"), "T");
    EXPECT_EQ(property(planA, "Application"), "Biller\r\n");
    pugi::xml_node related = planA.select_node("KMProperty[@KMPrpName='Application']/KMRelatedItem").node();
    EXPECT_STREQ(related.attribute("DDID").value(), id("Biller").c_str());
    EXPECT_STREQ(related.text().get(), "Biller");
    EXPECT_EQ(names(planA, topItems), std::vector<std::string>{"Modernise"});
    EXPECT_EQ(property(planA.child("KMLevel").child("KMItem"), "Project Name"), "Modernise");

    pugi::xml_node removed = report(test::servicePlanReport(false, 765));
    ASSERT_EQ(names(removed, topItems), std::vector<std::string>{"Invoicing"});
    pugi::xml_node planB = removed.select_node("KMLevel/KMItem/KMLevel/KMItem").node();
    EXPECT_EQ(property(planB, "Application"), "Old Ledger\r\nLedger\r\n");
    std::vector<std::string> listed;
    for (const pugi::xpath_node& item : planB.select_nodes("KMProperty/KMRelatedItem")) {
        listed.push_back(std::string(item.node().attribute("DDID").value()) + ":" + item.node().text().get());
    }
    EXPECT_EQ(listed, (std::vector<std::string>{id("Old Ledger") + ":Old Ledger", id("Ledger") + ":Ledger"}));
    // The lookup the roadmap makes on the result.
    const std::string xpath = "KMLevel/KMItem/KMProperty[@KMPrpName='Application']/KMRelatedItem[@DDID='" +
                              id("Ledger") + "']/parent::KMProperty/parent::KMItem";
    EXPECT_EQ(names(removed.child("KMLevel").child("KMItem"), xpath.c_str()), std::vector<std::string>{"Plan B"});
}

TEST_F(ReportEngineTest, ProjectReportReadsFieldsOnBothLevels) {
    pugi::xml_node root = report(prepared(test::projectReport()));
    ASSERT_EQ(names(root, topItems), std::vector<std::string>{"Modernise"});
    pugi::xml_node project = root.child("KMLevel").child("KMItem");
    EXPECT_EQ(property(project, "Project Name"), "Modernise");
    EXPECT_EQ(property(project, "Start Date"), "20220101");
    EXPECT_EQ(property(project, "Completion Date"), "20231231");
    EXPECT_EQ(names(project, topItems), (std::vector<std::string>{"Plan A", "Plan B"}));
    EXPECT_EQ(property(project.select_node("KMLevel/KMItem[2]").node(), "Service Plan Name"), "Plan B");
    EXPECT_EQ(property(project.select_node("KMLevel/KMItem[2]").node(), "Start Date"), "20230101");
}

TEST_F(ReportEngineTest, PartialMakesLowerLevelsOptionalFromItsLevelDown) {
    const std::string inner = "TABULAR 1 { WHERE \"Type Number\" = 618 JOIN WHERE RELATION = \"provides\" JOIN "
                              "WHERE \"Type Number\" = 765 JOIN WHERE RELATION = \"provided by\" JOIN "
                              "WHERE \"Type Number\" = 309 WHERE \"Name\" = \"Biller\" }";
    // Inner joins: only Finance Core > Billing > Biller survives.
    pugi::xml_node root = report(inner);
    EXPECT_EQ(names(root, topItems), std::vector<std::string>{"Finance Core"});
    EXPECT_EQ(names(root, "KMLevel/KMItem/KMLevel/KMItem"), std::vector<std::string>{"Billing"});
    // PARTIAL on the second level: components still need a service, services need nothing.
    root = report(replaced(inner, "WHERE \"Type Number\" = 765", "PARTIAL WHERE \"Type Number\" = 765"));
    EXPECT_EQ(names(root, topItems), std::vector<std::string>{"Finance Core"});
    EXPECT_EQ(names(root, "KMLevel/KMItem/KMLevel/KMItem"), (std::vector<std::string>{"Billing", "Invoicing"}));
    EXPECT_FALSE(root.select_node("KMLevel/KMItem/KMLevel/KMItem[@Name='Invoicing']/KMLevel"))
        << "an item without related items has no nested level";
    // PARTIAL on the first level: every component.
    root = report(replaced(inner, "{ WHERE \"Type Number\" = 618", "{ PARTIAL WHERE \"Type Number\" = 618"));
    EXPECT_EQ(names(root, topItems), (std::vector<std::string>{"Empty Component", "Finance Core"}));
}

TEST_F(ReportEngineTest, NamesPropertiesBySelectLegendThenFieldLegendThenName) {
    const std::string script = "FIELD \"Since\" { SOURCE PROPERTY \"Commission Date\" LEGEND \"Commissioned\" }\n"
                               "FIELD \"Until\" { SOURCE PROPERTY \"Decommission Date\" }\n"
                               "TABULAR 1 { SELECT \"Since\", \"Since\" LEGEND \"From\", \"Until\", \"Cost\", "
                               "\"Type Name\", \"Unknown Property\" WHERE \"Identity\" = " +
                               id("Ledger") + " }";
    pugi::xml_node item = report(script).child("KMLevel").child("KMItem");
    std::vector<std::string> properties;
    for (pugi::xml_node prop : item.children("KMProperty")) {
        properties.push_back(std::string(prop.attribute("KMPrpName").value()) + "=" +
                             prop.attribute("KMPrpValue").value());
    }
    EXPECT_EQ(properties, (std::vector<std::string>{"Commissioned=20200101", "From=20200101", "Until=20251231",
                                                    "Cost=1200", "Type Name=Application", "Unknown Property="}));
}

TEST_F(ReportEngineTest, ReportsQualifiedNamesByTheirLastPart) {
    pugi::xml_node root = report("TABULAR 1 { SELECT \"Parameters\", \"Name\" WHERE Type = \"Analytic\" "
                                 "JOIN WHERE RELATION = \"has parameter\" JOIN SELECT \"Name\" }");
    pugi::xml_node red = root.select_node("KMLevel/KMItem[@Name='Red Apps']").node();
    EXPECT_EQ(property(red, "Parameters"), "\"Red Apps\".Threshold\r\n");
    EXPECT_STREQ(red.select_node("KMProperty/KMRelatedItem").node().text().get(), "Threshold");
    EXPECT_EQ(names(red, topItems), std::vector<std::string>{"Threshold"});
    EXPECT_EQ(property(red.child("KMLevel").child("KMItem"), "Name"), "Threshold");
}

TEST_F(ReportEngineTest, ComparesPropertiesAsNumbersOrTextsWithoutRegardToCase) {
    auto apps = [&](const std::string& condition) {
        return names(report("TABULAR 1 { WHERE \"Type Number\" = 309 WHERE " + condition + " }"), topItems);
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(apps("\"Name\" = \"LEDGER\""), Names{"Ledger"});
    EXPECT_EQ(apps("\"Name\" <> \"ledger\""), (Names{"Biller", "Old Ledger"}));
    EXPECT_EQ(apps("\"Cost\" > 500"), Names{"Ledger"});
    EXPECT_EQ(apps("\"Cost\" >= 300"), (Names{"Biller", "Ledger"}));
    EXPECT_EQ(apps("\"Cost\" < 1000"), Names{"Biller"}); // 300 < 1000 as numbers (not as texts); unset values never
    EXPECT_EQ(apps("\"Cost\" = \"\""), Names{"Old Ledger"});
    EXPECT_EQ(apps("\"Commission Date\" <= \"20200101\""), Names{"Ledger"});
    EXPECT_EQ(apps("\"Name\" LIKE \"*ledger\""), (Names{"Ledger", "Old Ledger"}));
    EXPECT_EQ(apps("\"Name\" LIKE \"?iller\""), Names{"Biller"});
    EXPECT_EQ(apps("\"Provides Services\" LIKE \"*Invoicing*\""), (Names{"Ledger", "Old Ledger"}));
    EXPECT_EQ(apps("\"Identity\" > " + id("Ledger")), (Names{"Biller", "Old Ledger"}));
    EXPECT_EQ(apps("\"Type Name\" = \"application\""), (Names{"Biller", "Ledger", "Old Ledger"}));
}

TEST_F(ReportEngineTest, SelectsByClassTypeNameAndIdentity) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(names(report("TABULAR 1 { WHERE Class = Diagram }"), topItems), (Names{"Empty Landscape", "Landscape"}));
    EXPECT_EQ(names(report("TABULAR 1 { WHERE Class = Diagram WHERE Type = \"Application Landscape\" }"), topItems),
              (Names{"Empty Landscape", "Landscape"}));
    EXPECT_EQ(names(report("TABULAR 1 { WHERE Type = \"project\" }"), topItems), Names{"Modernise"});
    EXPECT_EQ(names(report("TABULAR 1 { WHERE \"Class Number\" = 3 WHERE \"Type Number\" = 662 }"), topItems),
              Names{"Modernise"});
    EXPECT_TRUE(names(report("TABULAR 1 { WHERE Class = Diagram WHERE \"Type Number\" = 662 }"), topItems).empty());
    EXPECT_TRUE(names(report("TABULAR 1 { WHERE \"Type Number\" = 9999 }"), topItems).empty());
    EXPECT_TRUE(names(report("TABULAR 1 { WHERE \"Identity\" = 99999 }"), topItems).empty());
    EXPECT_TRUE(names(report("TABULAR 1 { WHERE \"Identity\" = 12345678901 }"), topItems).empty());
    EXPECT_TRUE(names(report("TABULAR 1 { WHERE \"Identity\" = 1 WHERE \"Identity\" = 2 }"), topItems).empty());
    EXPECT_TRUE(names(report("TABULAR 1 { WHERE Class = Diagram WHERE Class = Definition }"), topItems).empty());
    EXPECT_EQ(names(report("TABULAR 1 { WHERE \"Identity\" = " + id("Landscape") + " }"), topItems),
              Names{"Landscape"});
    // Without conditions: every definition and diagram.
    EXPECT_EQ(names(report("TABULAR 1 { }"), topItems).size(), 21u);
}

TEST_F(ReportEngineTest, AnObjectListedTwiceAppearsOnce) {
    m_model.list("Finance Core", "Provides Services", {"Billing", "Invoicing", "Billing"});
    const std::string script = "TABULAR 1 { WHERE \"Identity\" = " + id("Finance Core") +
                               " JOIN WHERE RELATION = \"provides\" JOIN ORDERBY SEQUENCE }";
    EXPECT_EQ(names(report(script), "KMLevel/KMItem/KMLevel/KMItem"),
              (std::vector<std::string>{"Billing", "Invoicing"}));
}

TEST_F(ReportEngineTest, FollowsARelationOnlyFromOwnersOfTheDeclaringType) {
    // "comprises" is declared for service domains; an application with a stray "Comprises" list
    // (left from an older metamodel) relates nothing.
    m_model.list("Ledger", "Comprises", {"Finance Core"});
    const std::string script =
        "TABULAR 1 { PARTIAL WHERE \"Type Number\" = 309 JOIN WHERE RELATION = \"comprises\" JOIN }";
    EXPECT_TRUE(report(script).select_nodes("KMLevel/KMItem/KMLevel").empty());
    // Backwards as well: Finance Core is comprised by the domain only.
    EXPECT_EQ(names(report("TABULAR 1 { WHERE \"Identity\" = " + id("Finance Core") +
                           " JOIN WHERE RELATION = \"comprised by\" JOIN }"),
                    "KMLevel/KMItem/KMLevel/KMItem"),
              std::vector<std::string>{"Finance Domain"});
}

TEST_F(ReportEngineTest, EscapesNamesAndValuesInTheXml) {
    m_model.add(765, "R&D <Lab> \"X\"");
    pugi::xml_node root = report("TABULAR 1 { SELECT \"Description\" WHERE \"Type Number\" = 309 "
                                 "WHERE \"Name\" = \"Old Ledger\" }");
    EXPECT_EQ(property(root.child("KMLevel").child("KMItem"), "Description"), "Kept <until> \"2022\" & retired");
    EXPECT_EQ(names(report("TABULAR 1 { WHERE \"Name\" LIKE \"R&D*\" }"), topItems),
              std::vector<std::string>{"R&D <Lab> \"X\""});
}

TEST_F(ReportEngineTest, GivesTheSameResultForCrLfAndLf) {
    const std::string lf = test::componentReport(765);
    EXPECT_EQ(m_model.run(replaced(lf, "\n", "\r\n")), m_model.run(lf));
    EXPECT_EQ(m_model.run(prepared(replaced(lf, "\n", "\r\n"))), m_model.run(lf));
}

TEST_F(ReportEngineTest, AnswersAnEmptyReportForAScriptWithoutQuery) {
    EXPECT_EQ(m_model.run(""), "<KMReport>\n  <KMLevel />\n</KMReport>\n");
    EXPECT_EQ(m_model.run(prepared("")), m_model.run(""));
}

TEST_F(ReportEngineTest, RefusesUnknownTypeAndRelationNamesWithTheirPosition) {
    HostError error = failure("TABULAR 1 {\nWHERE Type = \"Projet\" }");
    EXPECT_EQ(error.code(), HostErrorCode::ReportSyntax);
    EXPECT_STREQ(error.what(), "script:2:14: no definition or diagram type is named \"Projet\"");
    EXPECT_STREQ(failure("TABULAR 1 { WHERE Class = Diagram WHERE Type = \"Project\" }").what(),
                 "script:1:48: no diagram type is named \"Project\"");
    EXPECT_STREQ(failure("TABULAR 1 { JOIN WHERE RELATION = \"provide\" JOIN }").what(),
                 "script:1:35: no relation is named \"provide\"");
    EXPECT_STREQ(failure("TABULAR 1 { WHERE \"Identity\" = \"12\" }").what(),
                 "script:1:32: expected a number for \"Identity\", found \"12\"");
    EXPECT_STREQ(failure("TABULAR 1 { WHERE \"Type Number\" = 7.5 }").what(),
                 "script:1:35: expected a whole number for \"Type Number\", found 7.5");
    EXPECT_STREQ(failure("TABULAR 1 { WHERE \"Identity\" LIKE \"1*\" }").what(),
                 "script:1:19: \"Identity\" is a number: compare it with =, <>, <, >, <= or >=, not LIKE");
}

TEST_F(ReportEngineTest, StopsARunawayReportAtTheItemLimit) {
    const std::string script = "TABULAR 1 { WHERE \"Type Number\" = 765 }";
    EXPECT_NO_THROW(m_model.run(script, 4));
    try {
        m_model.run(script, 3);
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(error.code(), HostErrorCode::NotSupported);
        EXPECT_STREQ(error.what(), "The report yields more than 3 objects; narrow it with conditions.");
    }
}
