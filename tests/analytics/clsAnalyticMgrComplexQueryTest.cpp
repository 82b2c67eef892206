// The complex analytic end to end through the facade: colouring by report, by group and group
// boxes, run for every symbol with a stored report.
#include "AnalyticsBench.h"

namespace {

using km::rt::Long;
using km::test::greenColour;
using km::test::redColour;
using km::test::whiteColour;

constexpr const char* colouringError = "There was an unknown error colouring symbols. Contact your administrator\r\n";

Long rgb(Long red, Long green, Long blue) {
    return red + 256 * green + 65536 * blue;
}

// Ledger provides Zebra; Payroll provides Accounts and Zebra; Billing provides Payments; Archive
// provides nothing. Grouping therefore meets Zebra first, then Accounts, then Payments.
class ComplexQueryTest : public km::test::AnalyticsTest {
protected:
    void SetUp() override {
        application("Ledger");
        application("Payroll");
        application("Billing");
        application("Archive");
        service("Zebra", {"Ledger", "Payroll"});
        service("Accounts", {"Payroll"});
        service("Payments", {"Billing"});
        report("Providers", km::test::servicesScript);
    }
    std::string complexQuery(const std::string& report, const std::string& executeIfNull, const std::string& colour,
                             const std::string& keyTitle = "", const std::string& grouping = "",
                             const std::string& boxes = "", const std::string& symbolType = "Application") {
        return bench.run("ComplexQuery", {report, executeIfNull, colour, symbolType, keyTitle, grouping, boxes});
    }
    bool hasError() {
        for (const std::string& prompt : prompts()) {
            if (prompt.rfind(colouringError, 0) == 0) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(ComplexQueryTest, ColourByReportColoursTheSymbolsWhoseReportFindsSomething) {
    EXPECT_EQ(complexQuery("Providers", "false", "red", "Providers"), "False");
    EXPECT_EQ(colourOf("Ledger"), redColour);
    EXPECT_EQ(colourOf("Payroll"), redColour);
    EXPECT_EQ(colourOf("Billing"), redColour);
    EXPECT_EQ(colourOf("Archive"), whiteColour);
    EXPECT_EQ(status(), "3 symbols were coloured red");
    EXPECT_EQ(labels(), std::vector<std::string>{"Providers"});
    EXPECT_EQ(menuCommands(), (std::vector<Long>{71, 75}));
    EXPECT_TRUE(prompts().empty());
}

TEST_F(ComplexQueryTest, ExecuteIfNullColoursTheSymbolsWhoseReportFindsNothing) {
    complexQuery("Providers", "TRUE", "green");
    EXPECT_EQ(colourOf("Archive"), greenColour);
    EXPECT_EQ(colourOf("Ledger"), whiteColour);
    EXPECT_EQ(status(), "1 symbols were coloured green");

    auto rectangle = bench.addSymbol(*diagram, "Note", 2);
    complexQuery("Providers", "true", "green", "", "", "", "Rectangle");
    EXPECT_EQ(rectangle->FillColor(), whiteColour) << "a symbol without a definition is never coloured";
}

TEST_F(ComplexQueryTest, TheAnalysedTypeIsRememberedOnce) {
    complexQuery("Providers", "false", "red");
    complexQuery("Providers", "false", "red", "", "true");
    complexQuery("Providers", "false", "red", "", "true", "true");
    EXPECT_EQ(savedProperty("Previous Analytics"), "Application");
    complexQuery("Providers", "false", "red", "", "", "", "Project");
    EXPECT_EQ(savedProperty("Previous Analytics"), "Application//Project");
}

TEST_F(ComplexQueryTest, BoxesWithoutGroupingColourByReport) {
    complexQuery("Providers", "false", "red", "Boxed", "false", "true");
    EXPECT_EQ(colourOf("Ledger"), redColour);
    EXPECT_FALSE(symbol("Boxed - Zebra", 2));
}

TEST_F(ComplexQueryTest, GroupsColourTheirSymbolsAndEachGetsOneKeyEntry) {
    complexQuery("Providers", "false", "red", "Services", "true");
    Long zebra = rgb(254, 63, 64), payments = rgb(63, 64, 254);
    EXPECT_EQ(colourOf("Ledger"), zebra);
    EXPECT_EQ(colourOf("Payroll"), zebra) << "the group met first over all symbols, not the symbol's first item";
    EXPECT_EQ(colourOf("Billing"), payments);
    EXPECT_EQ(colourOf("Archive"), whiteColour);
    EXPECT_EQ(labels(), (std::vector<std::string>{"Services - Zebra", "Services - Payments"}))
        << "Accounts is nobody's first group";
    EXPECT_EQ(symbol("Services - Zebra", 2)->FillColor(), zebra);
    EXPECT_EQ(status(), "3 symbols were coloured");
    EXPECT_EQ(menuCommands(), (std::vector<Long>{71, 75}));
    EXPECT_TRUE(prompts().empty());
}

TEST_F(ComplexQueryTest, WithoutATitleTheKeyEntriesAreTheItemNames) {
    complexQuery("Providers", "false", "red", "", "true");
    EXPECT_EQ(labels(), (std::vector<std::string>{"Zebra", "Payments"}));
}

TEST_F(ComplexQueryTest, AGroupedReportThatFindsNothingColoursNothingAndSaysSo) {
    // Only the starting definition: no symbol has a related item, so there are no groups.
    report("Only itself", "TABULAR 1\n{\nSELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Identity\" = #DDIDS#\n}\n");
    complexQuery("Only itself", "false", "red", "Services", "true");
    EXPECT_FALSE(hasError()) << "an empty result is not an error";
    EXPECT_TRUE(prompts().empty());
    EXPECT_EQ(status(), "0 symbols were coloured");
    for (const char* name : {"Ledger", "Payroll", "Billing", "Archive"}) {
        EXPECT_EQ(colourOf(name), whiteColour) << name;
    }
    EXPECT_TRUE(labels().empty());
    EXPECT_EQ(menuCommands(), (std::vector<Long>{71, 75}));

    complexQuery("Providers", "false", "red", "Services", "true", "", "Project");
    EXPECT_TRUE(prompts().empty()) << "no symbol of the type at all";
    EXPECT_EQ(status(), "0 symbols were coloured");
}

TEST_F(ComplexQueryTest, AOneSymbolGroupGetsABoxAroundIt) {
    auto boxes = bench.createDiagram("Boxes", 140);
    auto solo = bench.addSymbol(*boxes, "Billing", km::test::applicationSymbol);
    placeAt(*solo, 100, 100, 40, 20);
    complexQuery("Providers", "false", "red", "Services", "true", "true");
    auto box = boxes->GetFilteredSymbols("Services - Payments", 2)->Item(1);
    EXPECT_EQ(box->XPos(), 105);
    EXPECT_EQ(box->ypos(), 105);
    EXPECT_EQ(box->XSize(), 50);
    EXPECT_EQ(box->YSize(), 60);
    EXPECT_EQ(box->FillColor(), 15132390);
    EXPECT_EQ(solo->FillColor(), whiteColour) << "boxes colour no symbol";
    EXPECT_EQ(status(), "0 symbols were coloured");
    EXPECT_EQ(boxes->GetFilteredSymbols("", 1)->count(), 0) << "and draw no key";
}

TEST_F(ComplexQueryTest, AGroupBoxSpansAllItsSymbols) {
    complexQuery("Providers", "false", "red", "", "true", "true");
    // Ledger spans 0..100 and Payroll 120..220, both 50..100 high.
    auto zebra = symbol(" - Zebra", 2);
    ASSERT_TRUE(zebra) << "the separator stays without a title";
    EXPECT_EQ(zebra->XPos(), 225);
    EXPECT_EQ(zebra->ypos(), 105);
    EXPECT_EQ(zebra->XSize(), 230);
    EXPECT_EQ(zebra->YSize(), 90);
    EXPECT_TRUE(symbol(" - Accounts", 2)) << "every group gets a box";
    EXPECT_TRUE(symbol(" - Payments", 2));
}

TEST_F(ComplexQueryTest, GroupsFarFromTheOriginAreFramedAsClosely) {
    placeAt(*symbol("Billing", km::test::applicationSymbol), -400, -300, 100, 50);
    placeAt(*symbol("Ledger", km::test::applicationSymbol), 1500100, 1200050, 100, 50);
    placeAt(*symbol("Payroll", km::test::applicationSymbol), 1500300, 1200050, 100, 50);
    complexQuery("Providers", "false", "red", "Box", "true", "true");
    auto payments = symbol("Box - Payments", 2);
    EXPECT_EQ(payments->XPos(), -395);
    EXPECT_EQ(payments->ypos(), -295);
    EXPECT_EQ(payments->XSize(), 110);
    EXPECT_EQ(payments->YSize(), 90);
    auto zebra = symbol("Box - Zebra", 2);
    EXPECT_EQ(zebra->XPos(), 1500305);
    EXPECT_EQ(zebra->ypos(), 1200055);
    EXPECT_EQ(zebra->XSize(), 310);
    EXPECT_EQ(zebra->YSize(), 90);
}

TEST_F(ComplexQueryTest, AMissingReportColoursNothing) {
    complexQuery("No such report", "false", "red", "Missing");
    EXPECT_EQ(status(), "0 symbols were coloured red");
    EXPECT_TRUE(prompts().empty());
}

TEST_F(ComplexQueryTest, AWildcardInTheReportNameTakesOnlyTheReportOfThatName) {
    complexQuery("Prov*", "false", "red");
    EXPECT_EQ(colourOf("Ledger"), whiteColour) << "\"Providers\" must not be run for \"Prov*\"";
    report("Prov*", km::test::servicesScript);
    complexQuery("Prov*", "false", "red");
    EXPECT_EQ(colourOf("Ledger"), redColour);
}

TEST_F(ComplexQueryTest, AReportThatDoesNotParseFindsNothing) {
    report("Broken", "TABULAR 1\n{\nWHERE WHERE\n}\n");
    complexQuery("Broken", "false", "red");
    EXPECT_EQ(status(), "0 symbols were coloured red");
    EXPECT_TRUE(prompts().empty());
}

TEST_F(ComplexQueryTest, WithoutAnOpenDiagramEachModeShowsTheColouringError) {
    bench.encyclopedia().setCurrentDiagram(0);
    complexQuery("Providers", "false", "red");
    complexQuery("Providers", "false", "red", "", "true");
    complexQuery("Providers", "false", "red", "", "true", "true");
    ASSERT_EQ(prompts().size(), 3u);
    for (const std::string& prompt : prompts()) {
        EXPECT_EQ(prompt.rfind(colouringError, 0), 0u) << prompt;
    }
    EXPECT_EQ(menuCommands(), (std::vector<Long>{75, 75, 75}));
}

} // namespace
