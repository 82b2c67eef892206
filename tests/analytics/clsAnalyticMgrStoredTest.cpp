// Stored analytics: the layout of analytic and parameter definitions, reading them back, and
// running the analytics a diagram lists in "Analytics To Run".
#include "AnalyticsBench.h"
#include "addin/clsDisplay.h"
#include "analytics/clsAnalyticMgr.h"
#include "host/IPropertyCollection.h"
#include "platform/kemora/objects/Definition.h"

namespace {

using km::rt::Long;
using km::test::CommandScope;
using km::test::greenColour;
using km::test::redColour;
using km::test::whiteColour;
namespace addin = KM_SLN_SOA;

class StoredAnalyticTest : public km::test::AnalyticsTest {
protected:
    std::shared_ptr<km::host::IDefinition> analytic(const std::string& name) {
        return bench.encyclopedia().definitionNamed(798, name);
    }
    /// The parameters of an analytic as "name=value", in list order.
    std::vector<std::string> parameters(const std::string& name) {
        std::vector<std::string> items;
        for (auto parameter : analytic(name)->getpropertyascollection("Parameters")) {
            items.push_back(parameter->Name() + "=" + parameter->GetProperty("Default Value"));
        }
        return items;
    }
    void createSimple(const std::string& name, const std::string& property, const std::string& op,
                      const std::string& value, Long colour, const std::string& symbolType = "Application") {
        CommandScope command(bench);
        addin::clsAnalyticMgr().CreateSimpleAnalytic(name, symbolType, property, op, value, colour);
    }
    void createComplex(const std::string& name, const std::string& report, const std::string& executeIfNull,
                       Long colour) {
        CommandScope command(bench);
        addin::clsAnalyticMgr().CreateComplexAnalytic(name, "Application", report, executeIfNull, colour);
    }
    /// Attaches one more parameter to a stored analytic, as another tool might have.
    void attachParameter(const std::string& name, const std::string& parameter, const std::string& value) {
        auto definition = bench.createDefinition("\"" + name + "\"." + parameter, 799, {{"Default Value", value}});
        auto owner = analytic(name);
        auto list = owner->getpropertyascollection("Parameters");
        list->Add(definition);
        list->setProperty();
        owner->save();
    }
    void runOnDiagram(const std::string& analytics) {
        diagram->setProperty("Analytics To Run", analytics);
        diagram->save();
        bench.run("ExecuteAnalyticsForDiagram");
    }
};

TEST_F(StoredAnalyticTest, ASimpleAnalyticStoresItsSixParametersInOrder) {
    createSimple("Retiring by 2027", "Decommission Date", "<", "20271231", 255);
    auto definition = analytic("Retiring by 2027");
    ASSERT_TRUE(definition);
    EXPECT_EQ(definition->GetProperty("Project"), "KM_SLN_SOA");
    EXPECT_EQ(definition->GetProperty("Module"), "basMain");
    EXPECT_EQ(definition->GetProperty("Function"), "RunSimpleAnalytic");
    EXPECT_EQ(definition->GetProperty("Auto Run"), "T");
    EXPECT_EQ(
        parameters("Retiring by 2027"),
        (std::vector<std::string>{"propname=Decommission Date", "propvalue=20271231", "color=255",
                                  "symboltypename=Application", "booleanoperator=<", "keytitle=Retiring by 2027"}));
    auto first = definition->getpropertyascollection("Parameters")->Item(1);
    EXPECT_EQ(first->QualifiedName(), "\"Retiring by 2027\".propname") << "each part quoted when needed";
    EXPECT_TRUE(prompts().empty());
    EXPECT_GT(bench.workbench().browserRefreshes(), 0);
}

TEST_F(StoredAnalyticTest, ASimpleAnalyticReadsBack) {
    createSimple("Old", "Version", ">=", "10", 3289855);
    std::string title, symbolType, property, value, op;
    Long colour = -1;
    CommandScope command(bench);
    addin::clsAnalyticMgr manager;
    EXPECT_TRUE(manager.IsThisAnalyticSimple(analytic("Old")));
    ASSERT_TRUE(manager.GetSimplePropsFromAnalytic(analytic("Old"), title, symbolType, colour, property, value, op));
    EXPECT_EQ(title, "Old");
    EXPECT_EQ(symbolType, "Application");
    EXPECT_EQ(colour, 3289855);
    EXPECT_EQ(property, "Version");
    EXPECT_EQ(value, "10");
    EXPECT_EQ(op, ">=");
}

TEST_F(StoredAnalyticTest, ASimpleAnalyticsTitleIsItsNameAndABadColourReadsAsZero) {
    createSimple("Old", "Version", ">", "10", 255);
    auto keyTitle = bench.encyclopedia().definitionNamed(799, "Old.keytitle");
    keyTitle->setProperty("Default Value", "Something else");
    keyTitle->save();
    auto colour = bench.encyclopedia().definitionNamed(799, "Old.color");
    colour->setProperty("Default Value", "reddish");
    colour->save();

    std::string title, symbolType, property, value, op;
    Long number = -1;
    CommandScope command(bench);
    ASSERT_TRUE(addin::clsAnalyticMgr().GetSimplePropsFromAnalytic(analytic("Old"), title, symbolType, number, property,
                                                                   value, op));
    EXPECT_EQ(title, "Old");
    EXPECT_EQ(number, 0);
}

TEST_F(StoredAnalyticTest, AComplexAnalyticStoresFiveParametersAndReadsBackWithoutGrouping) {
    createComplex("Unsupported", "Apps without services", "True", 180);
    EXPECT_EQ(analytic("Unsupported")->GetProperty("Function"), "RunComplexAnalytic");
    EXPECT_EQ(parameters("Unsupported"),
              (std::vector<std::string>{"analyticreportname=Apps without services", "executeifnull=true", "color=180",
                                        "symboltypename=Application", "keytitle=Unsupported"}));

    std::string title, symbolType, report;
    Long colour = -1;
    bool executeIfNull = false, grouping = true, boxes = true;
    CommandScope command(bench);
    addin::clsAnalyticMgr manager;
    EXPECT_FALSE(manager.IsThisAnalyticSimple(analytic("Unsupported")));
    EXPECT_FALSE(manager.IsThisAnalyticSimple(nullptr));
    ASSERT_TRUE(manager.GetComplexPropsFromAnalytic(analytic("Unsupported"), title, symbolType, colour, report,
                                                    executeIfNull, grouping, boxes));
    EXPECT_EQ(title, "Unsupported");
    EXPECT_EQ(symbolType, "Application");
    EXPECT_EQ(colour, 180);
    EXPECT_EQ(report, "Apps without services");
    EXPECT_TRUE(executeIfNull);
    EXPECT_FALSE(grouping);
    EXPECT_FALSE(boxes);
}

TEST_F(StoredAnalyticTest, ExecuteIfNullIsTrueOnlyForTheTextTrueInAnyCase) {
    const std::vector<std::pair<std::string, bool>> cases = {{"True", true}, {"TRUE", true}, {"true", true},
                                                             {"yes", false}, {"", false},    {"1", false}};
    for (const auto& [given, expected] : cases) {
        createComplex("Flag", "Report", given, 0);
        std::string title, symbolType, report;
        Long colour = 0;
        bool executeIfNull = !expected, grouping = false, boxes = false;
        CommandScope command(bench);
        addin::clsAnalyticMgr().GetComplexPropsFromAnalytic(analytic("Flag"), title, symbolType, colour, report,
                                                            executeIfNull, grouping, boxes);
        EXPECT_EQ(executeIfNull, expected) << '"' << given << '"';
    }
}

TEST_F(StoredAnalyticTest, AComplexAnalyticWithoutColourKeepsTheCallersColourAndABadColourFails) {
    createComplex("Grouped", "Report", "false", 180);
    attachParameter("Grouped", "dogrouping", "TRUE");
    attachParameter("Grouped", "drawboxes", "true");
    auto colour = bench.encyclopedia().definitionNamed(799, "Grouped.color");
    colour->setProperty("Default Value", "");
    colour->save();

    std::string title, symbolType, report;
    Long number = 4242;
    bool executeIfNull = true, grouping = false, boxes = false;
    {
        CommandScope command(bench);
        ASSERT_TRUE(addin::clsAnalyticMgr().GetComplexPropsFromAnalytic(analytic("Grouped"), title, symbolType, number,
                                                                        report, executeIfNull, grouping, boxes));
    }
    EXPECT_EQ(number, 4242);
    EXPECT_FALSE(executeIfNull);
    EXPECT_TRUE(grouping);
    EXPECT_TRUE(boxes);

    colour->setProperty("Default Value", "reddish");
    colour->save();
    CommandScope command(bench);
    EXPECT_FALSE(addin::clsAnalyticMgr().GetComplexPropsFromAnalytic(analytic("Grouped"), title, symbolType, number,
                                                                     report, executeIfNull, grouping, boxes));
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_EQ(prompts()[0], "An error occurred:\r\nType mismatch");
}

TEST_F(StoredAnalyticTest, ReplacingAnAnalyticReusesItsParameterDefinitions) {
    createSimple("Watch", "Version", "=", "1", 255);
    Long oldId = analytic("Watch")->ddid();
    Long propnameId = bench.encyclopedia().definitionNamed(799, "Watch.propname")->ddid();

    createSimple("WATCH", "Description", "starts with", "Pay", 0);
    auto replaced = analytic("Watch");
    ASSERT_TRUE(replaced);
    EXPECT_NE(replaced->ddid(), oldId) << "the old analytic is deleted, not updated";
    EXPECT_EQ(replaced->Name(), "WATCH");
    EXPECT_EQ(bench.encyclopedia().definitionNamed(799, "Watch.propname")->ddid(), propnameId);
    EXPECT_EQ(parameters("Watch"), (std::vector<std::string>{"propname=Description", "propvalue=Pay", "color=0",
                                                             "symboltypename=Application",
                                                             "booleanoperator=starts with", "keytitle=WATCH"}));
    EXPECT_EQ(bench.encyclopedia().getfiltereddefinitions("", 798)->count(), 1);
}

TEST_F(StoredAnalyticTest, ReplacingAnAnalyticKeepsItsPlaceInTheDiagramsThatRunIt) {
    createSimple("First", "Version", "=", "1", 255);
    createSimple("Watch", "Version", "=", "1", 255);
    createSimple("Last", "Version", "=", "1", 255);
    auto other = bench.createDiagram("Other", 140, false);
    other->setProperty("Analytics To Run", "Watch\r\n");
    other->save();
    diagram->setProperty("Analytics To Run", "First\r\nWatch\r\nLast\r\n");
    diagram->save();

    createSimple("Watch", "Version", "=", "2", 255);
    EXPECT_EQ(bench.encyclopedia().store().listItems(diagram->ddid(), "Analytics To Run"),
              (std::vector<Long>{analytic("First")->ddid(), analytic("Watch")->ddid(), analytic("Last")->ddid()}));
    EXPECT_EQ(bench.encyclopedia().store().listItems(other->ddid(), "Analytics To Run"),
              std::vector<Long>{analytic("Watch")->ddid()});
    EXPECT_TRUE(prompts().empty());
}

TEST_F(StoredAnalyticTest, AWildcardInTheNameReplacesOnlyTheAnalyticOfThatName) {
    createSimple("Apps 2027", "Version", "=", "1", 255);
    createSimple("Apps *", "Version", "=", "2", 255);
    createSimple("Apps *", "Version", "=", "3", 255);
    ASSERT_TRUE(analytic("Apps 2027")) << "the pattern must not pick another analytic to delete";
    EXPECT_EQ(parameters("Apps 2027")[1], "propvalue=1");
    EXPECT_EQ(parameters("Apps *")[1], "propvalue=3");
    EXPECT_EQ(bench.encyclopedia().getfiltereddefinitions("", 798)->count(), 2);
}

TEST_F(StoredAnalyticTest, AParameterThatCannotBeCreatedIsReportedAndSkipped) {
    // The analytic's name fits, but its parameters' qualified names exceed the name limit.
    std::string name(4092, 'n');
    createSimple(name, "Version", "=", "1", 255);
    EXPECT_TRUE(analytic(name));
    ASSERT_EQ(prompts().size(), 6u) << "one message per parameter";
    EXPECT_EQ(prompts()[0], "Could not create analytic parameter definition.");
    EXPECT_EQ(bench.ui().lastMessage().style, 64);
    EXPECT_EQ(bench.ui().lastMessage().title, km::test::titleText);
    EXPECT_TRUE(parameters(name).empty());
}

TEST_F(StoredAnalyticTest, ALockedParameterCannotBeReadAndSaysSo) {
    createSimple("Locked", "Version", "=", "1", 255);
    Long id = bench.encyclopedia().definitionNamed(799, "Locked.propvalue")->ddid();
    auto& store = bench.encyclopedia().store();
    km::kemora::inTransaction(store, [&] { store.lock(id, "pat@desk"); });
    std::string title, symbolType, property, value, op;
    Long colour = 0;
    CommandScope command(bench);
    EXPECT_FALSE(addin::clsAnalyticMgr().GetSimplePropsFromAnalytic(analytic("Locked"), title, symbolType, colour,
                                                                    property, value, op));
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_EQ(prompts()[0], "One of more of the Analytic Parameter definition for the Analytic is locked and could not "
                            "be read. Check that it is not locked and try again");
    EXPECT_EQ(bench.ui().lastMessage().style, 16);
}

TEST(StoredAnalyticWithoutSolutionTest, AnAnalyticCannotBeCreated) {
    km::test::AddinTestBench plain;
    plain.initialiseObjects();
    addin::clsAnalyticMgr().CreateSimpleAnalytic("A", "Application", "Version", "=", "1", 255);
    ASSERT_EQ(plain.messagePrompts().size(), 1u);
    EXPECT_EQ(plain.messagePrompts()[0].rfind("An error occurred:\r\n", 0), 0u);
    plain.destroyObjects();
}

// ----------------------------------------------------------------------------------------------
// Running a diagram's analytics

class DiagramAnalyticsTest : public StoredAnalyticTest {
protected:
    void SetUp() override {
        application("Ledger", {{"Version", "9"}});
        application("Payroll", {{"Version", "10"}});
        application("Billing", {{"Version", "11"}});
        bench.createDefinition("Billing service", 765);
        auto billing = bench.encyclopedia().definitionNamed(309, "Billing");
        billing->setProperty("Provides Services", "Billing service");
        billing->save();
        report("Providers", km::test::servicesScript);
    }
};

TEST_F(DiagramAnalyticsTest, TheDiagramsAnalyticsRunInTheirListedOrder) {
    createSimple("Old", "Version", "<", "11", redColour);
    createSimple("Oldest", "Version", "<", "10", greenColour);
    runOnDiagram("Oldest\r\nOld\r\n");
    EXPECT_EQ(colourOf("Ledger"), redColour) << "\"Old\" runs last";
    EXPECT_EQ(colourOf("Payroll"), redColour);
    EXPECT_EQ(colourOf("Billing"), whiteColour);
    EXPECT_EQ(labels(), (std::vector<std::string>{"Oldest", "Old"}));

    runOnDiagram("Old\r\nOldest\r\n");
    EXPECT_EQ(colourOf("Ledger"), greenColour);
    EXPECT_TRUE(prompts().empty());
}

TEST_F(DiagramAnalyticsTest, StoredComplexAnalyticsColourByReportEvenWhenTheyAskForGroups) {
    createComplex("Service providers", "Providers", "false", greenColour);
    attachParameter("Service providers", "dogrouping", "true");
    runOnDiagram("\"Service providers\"\r\n");
    EXPECT_EQ(colourOf("Billing"), greenColour);
    EXPECT_EQ(colourOf("Ledger"), whiteColour);
    EXPECT_EQ(labels(), std::vector<std::string>{"Service providers"});
    EXPECT_EQ(savedProperty("Previous Analytics"), "Application");
    EXPECT_EQ(status(), "1 symbols were coloured " + std::to_string(greenColour));
}

TEST_F(DiagramAnalyticsTest, AnalyticsOfAnotherProjectAndTemplatesOfTheDiagramAreSkipped) {
    createSimple("Foreign", "Version", "<", "11", redColour);
    auto foreign = analytic("Foreign");
    foreign->setProperty("Project", "OTHER");
    foreign->save();
    bench.createDefinition("Template", 625, {{"Content", km::test::servicesScript}});
    diagram->setProperty("Landscape Reports", "Template");
    runOnDiagram("Foreign\r\n");
    EXPECT_EQ(colourOf("Ledger"), whiteColour);
    EXPECT_TRUE(prompts().empty());
    EXPECT_TRUE(menuCommands().empty());
}

TEST_F(DiagramAnalyticsTest, ADiagramWithoutAnalyticsSaysSo) {
    bench.run("ExecuteAnalyticsForDiagram");
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_EQ(prompts()[0], "Could not find any Analytic definitions assigned to this diagram to execute.");
    EXPECT_EQ(bench.ui().lastMessage().style, 16);
    EXPECT_EQ(colourOf("Ledger"), whiteColour);
}

TEST_F(DiagramAnalyticsTest, EachAnalyticRunIsTraced) {
    createSimple("Old", "Version", "<", "11", redColour);
    diagram->setProperty("Analytics To Run", "Old");
    diagram->save();
    CommandScope command(bench);
    addin::goDisplay->StartLogging("Analytics");
    addin::clsAnalyticMgr().ExecuteAnalyticsForDiagram(diagram);
    EXPECT_NE(bench.traceText("Analytics").find("Executing Analytic - \"Old\"\r\n"), std::string::npos);
}

} // namespace
