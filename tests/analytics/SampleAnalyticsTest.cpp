// The sample analytics shipped in samples/: stored exactly as the add-in stores analytics, and
// colouring the sample diagrams as the demo shows them.
#include "AnalyticsBench.h"
#include "analytics/clsAnalyticMgr.h"

namespace {

using km::rt::Long;
using km::test::CommandScope;
namespace addin = KM_SLN_SOA;

constexpr Long orange = 3978495, lightGreen = 8585110;

class SampleAnalyticsTest : public km::test::AnalyticsTest {
protected:
    void SetUp() override {
        bench.encyclopedia().setxml(std::string(KM_SOURCE_DIR) + "/samples/kestrel-bay.xml", false, false);
        bench.encyclopedia().setxml(std::string(KM_SOURCE_DIR) + "/samples/kestrel-bay-analytics.xml", false, false);
    }

    /// Everything stored for an analytic: its own properties, then each parameter's qualified
    /// name and value, in list order.
    std::vector<std::string> stored(const std::string& name) {
        auto analytic = bench.encyclopedia().definitionNamed(798, name);
        std::vector<std::string> lines = {analytic->Name()};
        for (const char* property : {"Project", "Module", "Function", "Auto Run"}) {
            lines.push_back(std::string(property) + "=" + analytic->GetProperty(property));
        }
        for (auto parameter : analytic->getpropertyascollection("Parameters")) {
            lines.push_back(parameter->QualifiedName() + "=" + parameter->GetProperty("Default Value"));
        }
        return lines;
    }

    void openDiagram(const std::string& name) {
        auto id = bench.encyclopedia().store().objectByName(km::kemora::StoredClass::Diagram, 140, name);
        ASSERT_TRUE(id) << name;
        bench.encyclopedia().setCurrentDiagram(*id);
        diagram = bench.encyclopedia().getcurrentdiagram();
    }
};

TEST_F(SampleAnalyticsTest, TheSampleAnalyticsAreStoredAsTheAddinStoresThem) {
    for (const char* name : {"Commissioned since 2020", "Retiring by 2027"}) {
        std::vector<std::string> sample = stored(name);
        std::string title, symbolType, property, value, op;
        Long colour = 0;
        {
            CommandScope command(bench);
            addin::clsAnalyticMgr manager;
            ASSERT_TRUE(manager.IsThisAnalyticSimple(bench.encyclopedia().definitionNamed(798, name)));
            manager.GetSimplePropsFromAnalytic(bench.encyclopedia().definitionNamed(798, name), title, symbolType,
                                               colour, property, value, op);
            manager.CreateSimpleAnalytic(title, symbolType, property, op, value, colour);
        }
        EXPECT_EQ(stored(name), sample) << name;
    }

    std::vector<std::string> sample = stored("In an open service plan");
    std::string title, symbolType, report;
    Long colour = 0;
    bool executeIfNull = true, grouping = false, boxes = false;
    CommandScope command(bench);
    addin::clsAnalyticMgr manager;
    manager.GetComplexPropsFromAnalytic(bench.encyclopedia().definitionNamed(798, "In an open service plan"), title,
                                        symbolType, colour, report, executeIfNull, grouping, boxes);
    manager.CreateComplexAnalytic(title, symbolType, report, executeIfNull ? "True" : "False", colour);
    EXPECT_EQ(stored("In an open service plan"), sample);
    EXPECT_TRUE(prompts().empty());
}

TEST_F(SampleAnalyticsTest, TheHealthViewRunsItsAnalyticsInOrder) {
    openDiagram("Kestrel Bay Application Health");
    bench.run("ExecuteAnalyticsForDiagram");
    EXPECT_TRUE(prompts().empty());
    EXPECT_EQ(colourOf("Ledger One"), orange) << "only in an open plan";
    EXPECT_EQ(colourOf("Compass Customer Cloud"), lightGreen) << "in an open plan, but new";
    EXPECT_EQ(colourOf("Harbour CRM"), km::test::redColour) << "in an open plan, but retiring";
    EXPECT_EQ(colourOf("RateBook"), km::test::redColour) << "retiring on the last day of 2027";
    EXPECT_EQ(colourOf("PayDay"), km::test::whiteColour);
    EXPECT_EQ(labels(),
              (std::vector<std::string>{"In an open service plan", "Commissioned since 2020", "Retiring by 2027"}));
    EXPECT_EQ(savedProperty("Previous Analytics"), "Application");
}

TEST_F(SampleAnalyticsTest, TheOpenPlansAreGroupedAndBoxedByPlan) {
    openDiagram("Kestrel Bay Open Service Plans");
    std::vector<std::string> plans = {
        "Applications in open service plans", "false", "red", "Application", "Plan", "true"};
    bench.run("ComplexQuery", plans);
    EXPECT_EQ(status(), "11 symbols were coloured");
    EXPECT_EQ(colourOf("Compass Customer Cloud"), colourOf("Harbour CRM"));
    EXPECT_NE(colourOf("Nova WMS"), colourOf("Harbour CRM"));
    EXPECT_EQ(labels().size(), 7u) << "one key entry per plan";

    plans.push_back("true");
    bench.run("ComplexQuery", plans);
    // The key's swatch of the plan carries the same name; the box came after it.
    auto named = diagram->GetFilteredSymbols("Plan - WMS Replacement", 2);
    ASSERT_EQ(named->count(), 2);
    auto box = named->Item(2);
    // Nova WMS and StockLedger WMS span 40..360 across and 150..190 down.
    EXPECT_EQ(box->XPos(), 365);
    EXPECT_EQ(box->ypos(), 195);
    EXPECT_EQ(box->XSize(), 330);
    EXPECT_EQ(box->YSize(), 80);
    EXPECT_TRUE(prompts().empty());
}

} // namespace
