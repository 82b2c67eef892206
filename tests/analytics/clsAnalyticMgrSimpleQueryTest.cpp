// The simple analytic end to end through the facade: the comparison of every operator and value
// kind, the colours, the key entry, the status line and the host commands that follow.
#include "AnalyticsBench.h"
#include "analytics/clsAnalyticMgr.h"

namespace {

using km::rt::Long;
using km::test::greenColour;
using km::test::redColour;
using km::test::whiteColour;
namespace addin = KM_SLN_SOA;

class SimpleQueryTest : public km::test::AnalyticsTest {
protected:
    // Applications whose "Decommission Date" (a date property, stored "yyyymmdd"), "Version" (a
    // text holding numbers) and "Description" differ.
    void SetUp() override {
        application("Ledger", {{"Decommission Date", "20261130"}, {"Version", "9.5"}, {"Description", "Books"}});
        application("Payroll", {{"Decommission Date", "20271231"}, {"Version", "10"}, {"Description", "Pay"}});
        application("Billing", {{"Decommission Date", "20280115"}, {"Version", "10.0 beta"}});
        application("Archive", {{"Description", "Old papers"}});
    }

    /// The applications a query coloured red, in symbol order.
    std::vector<std::string> colouredBy(const std::string& property, const std::string& value, const std::string& op) {
        for (const char* name : {"Ledger", "Payroll", "Billing", "Archive"}) {
            auto symbol = this->symbol(name, km::test::applicationSymbol);
            symbol->FillColor(whiteColour);
            symbol->save();
        }
        simpleQuery(property, value, op);
        std::vector<std::string> names;
        for (const char* name : {"Ledger", "Payroll", "Billing", "Archive"}) {
            if (colourOf(name) == redColour) {
                names.push_back(name);
            }
        }
        return names;
    }
    using Names = std::vector<std::string>;
};

TEST_F(SimpleQueryTest, RepositoryDatesCompareAsDatesAndAnEmptyDateNeverMatches) {
    EXPECT_EQ(colouredBy("Decommission Date", "20271231", "<"), Names{"Ledger"});
    EXPECT_EQ(colouredBy("Decommission Date", "20271231", ">"), Names{"Billing"});
    EXPECT_EQ(colouredBy("Decommission Date", "20271231", "<="), (Names{"Ledger", "Payroll"}));
    EXPECT_EQ(colouredBy("Decommission Date", "20271231", ">="), (Names{"Payroll", "Billing"}));
    EXPECT_EQ(colouredBy("Decommission Date", "20271231", "="), Names{"Payroll"}) << "'=' compares the texts";
    EXPECT_EQ(colouredBy("Decommission Date", "20271231", "<>"), (Names{"Ledger", "Billing", "Archive"}))
        << "'<>' compares the texts, so an empty date differs";
}

TEST_F(SimpleQueryTest, TypedDatesCompareWithTheStoredDates) {
    EXPECT_EQ(colouredBy("Decommission Date", "2027-12-31", "="), Names{"Payroll"});
    EXPECT_EQ(colouredBy("Decommission Date", "31/12/2027", "<"), Names{"Ledger"});
    EXPECT_EQ(colouredBy("Decommission Date", "31 December 2027", ">"), Names{"Billing"});
    EXPECT_EQ(colouredBy("Decommission Date", "2027-12-31", ">="), (Names{"Payroll", "Billing"}));
    EXPECT_EQ(colouredBy("Decommission Date", "2027-12-31", "<="), (Names{"Ledger", "Payroll"}));
    EXPECT_EQ(colouredBy("Decommission Date", "2027-12-31", "<>"), (Names{"Ledger", "Billing", "Archive"}))
        << "an empty date is the zero date, which differs";
    EXPECT_TRUE(prompts().empty());
}

TEST_F(SimpleQueryTest, ATextComparedAsADateShowsNoMessagePerSymbol) {
    simpleQuery("Version", "2027-12-31", "<");
    simpleQuery("Description", "20271231", ">");
    EXPECT_TRUE(prompts().empty());
    EXPECT_FALSE(addin::goStatusMgr) << "the command ended normally";
}

TEST_F(SimpleQueryTest, NumbersCompareByTheirLeadingNumberAndAnEmptyValueCountsAsZero) {
    EXPECT_EQ(colouredBy("Version", "9.75", ">"), (Names{"Payroll", "Billing"})) << "\"10.0 beta\" reads as 10";
    EXPECT_EQ(colouredBy("Version", "9.75", "<"), (Names{"Ledger", "Archive"})) << "no version reads as 0";
    EXPECT_EQ(colouredBy("Version", "10", ">="), (Names{"Payroll", "Billing"}));
    EXPECT_EQ(colouredBy("Version", "10", "<="), (Names{"Ledger", "Payroll", "Billing", "Archive"}));
    EXPECT_EQ(colouredBy("Version", "-1", ">"), (Names{"Ledger", "Payroll", "Billing", "Archive"}));
    EXPECT_EQ(colouredBy("Version", "10", "="), Names{"Payroll"}) << "'=' compares the texts";
}

TEST_F(SimpleQueryTest, TextsCompareOrdinallyAndCaseSensitively) {
    EXPECT_EQ(colouredBy("Description", "Old", ">"), (Names{"Payroll", "Archive"}))
        << "\"Pay\" and \"Old papers\" sort after \"Old\"";
    EXPECT_EQ(colouredBy("Description", "Old", "<"), (Names{"Ledger", "Billing"}))
        << "\"Books\" and the empty text sort before \"Old\"";
    EXPECT_EQ(colouredBy("Description", "old", "<"), (Names{"Ledger", "Payroll", "Billing", "Archive"}))
        << "upper case sorts before lower case";
    EXPECT_EQ(colouredBy("Description", "Pay", ">="), Names{"Payroll"});
    EXPECT_EQ(colouredBy("Description", "books", "="), Names{});
    EXPECT_EQ(colouredBy("Description", "Books", "="), Names{"Ledger"});
    EXPECT_EQ(colouredBy("Description", "Books", "<>"), (Names{"Payroll", "Billing", "Archive"}));
}

TEST_F(SimpleQueryTest, TextsCompareByUtf16CodeUnits) {
    for (auto [name, description] : {std::pair{"Ledger", "\xF0\x9F\x93\x9A"}, std::pair{"Payroll", "\xEF\xBC\x84"}}) {
        auto definition = symbol(name, km::test::applicationSymbol)->definition(); // U+1F4DA, U+FF04
        definition->setProperty("Description", description);
        definition->save();
    }
    EXPECT_EQ(colouredBy("Description", "\xEE\x80\x80", "<"), (Names{"Ledger", "Billing", "Archive"}))
        << "below U+E000: the character above U+FFFF, the empty text and \"Old papers\"";
    EXPECT_EQ(colouredBy("Description", "\xEE\x80\x80", ">"), Names{"Payroll"});
}

TEST_F(SimpleQueryTest, StartsWithNullTestsAndUnknownOperators) {
    EXPECT_EQ(colouredBy("Description", "Old", "starts with"), Names{"Archive"});
    EXPECT_EQ(colouredBy("Description", "old", "starts with"), Names{});
    EXPECT_EQ(colouredBy("Description", "", "starts with"), (Names{"Ledger", "Payroll", "Billing", "Archive"}));
    EXPECT_EQ(colouredBy("Description", "", "is NULL"), Names{"Billing"});
    EXPECT_EQ(colouredBy("Description", "", "is NOT NULL"), (Names{"Ledger", "Payroll", "Archive"}));
    EXPECT_EQ(colouredBy("No Such Property", "", "is NULL"), (Names{"Ledger", "Payroll", "Billing", "Archive"}))
        << "a property the definition lacks reads as empty";
    EXPECT_EQ(colouredBy("Description", "", "IS NULL"), Names{}) << "operators are case-sensitive";
    EXPECT_EQ(colouredBy("Description", "Books", "between"), Names{});
    EXPECT_EQ(colouredBy("Description", "Books", ""), Names{});
}

TEST_F(SimpleQueryTest, OnlySymbolsOfTheNamedTypeAreTested) {
    bench.createDefinition("Bookkeeping", 662, {{"Description", "Books"}});
    auto project = bench.addSymbol(*diagram, "Bookkeeping", 162);
    bench.run("SimpleQuery", {"Description", "Books", "red", "Application", "="});
    EXPECT_EQ(colourOf("Ledger"), redColour);
    EXPECT_EQ(project->FillColor(), whiteColour) << "its definition passes the test, but it is a project";

    bench.run("SimpleQuery", {"Description", "Books", "green", "application", "="});
    EXPECT_EQ(colourOf("Ledger"), redColour) << "the type name compares exactly";
    bench.run("SimpleQuery", {"Description", "Books", "green", "Project", "="});
    EXPECT_EQ(project->FillColor(), greenColour);
}

TEST_F(SimpleQueryTest, ReferenceSymbolsAreTestedThroughTheDefinitionTheyReferTo) {
    auto architecture = bench.createDiagram("Architecture", 131);
    auto reference = bench.addSymbol(*architecture, "Ref", 818);
    reference->setProperty("References", "Ledger");
    reference->save();
    bench.run("SimpleQuery", {"Version", "9.5", "red", "Reference", "="});
    EXPECT_EQ(reference->FillColor(), redColour);
}

TEST_F(SimpleQueryTest, ColoursStatusLineKeyAndHostCommands) {
    EXPECT_EQ(simpleQuery("Version", "9.75", ">", "Green", "Newer releases"), "False");
    EXPECT_EQ(colourOf("Payroll"), greenColour);
    EXPECT_EQ(status(), "2 symbols were coloured Green") << "the colour text is shown as given";
    EXPECT_EQ(menuCommands(), (std::vector<Long>{71, 75}));
    EXPECT_TRUE(bench.workbench().diagramDirty());
    EXPECT_EQ(labels(), std::vector<std::string>{"Newer releases"});
    EXPECT_EQ(symbol("Newer releases", 2)->FillColor(), greenColour);
    EXPECT_TRUE(prompts().empty());
}

TEST_F(SimpleQueryTest, ColourNumbersAndUnknownColourNames) {
    simpleQuery("Version", "10", "=", "16711680");
    EXPECT_EQ(colourOf("Payroll"), 16711680);
    simpleQuery("Version", "10", "=", "mauve");
    EXPECT_EQ(colourOf("Payroll"), 14474495);
    simpleQuery("Version", "10", "=", "DARK blue");
    EXPECT_EQ(colourOf("Payroll"), 11817040);
}

TEST_F(SimpleQueryTest, NoMatchStillAddsTheKeyEntryAndReportsZero) {
    simpleQuery("Version", "99", ">", "red", "Far future");
    EXPECT_EQ(status(), "0 symbols were coloured red");
    EXPECT_EQ(labels(), std::vector<std::string>{"Far future"});
}

TEST_F(SimpleQueryTest, WithoutATitleNoKeyIsCreated) {
    simpleQuery("Version", "0", ">", "red", "");
    EXPECT_FALSE(symbol("Key", 2));
    EXPECT_TRUE(labels().empty());
}

TEST_F(SimpleQueryTest, FourArgumentsTestForEquality) {
    bench.run("SimpleQuery", {"Version", "10", "red", "Application"});
    EXPECT_EQ(colourOf("Payroll"), redColour);
    EXPECT_EQ(colourOf("Billing"), whiteColour);
    EXPECT_FALSE(symbol("Key", 2));
}

TEST_F(SimpleQueryTest, WithoutAnOpenDiagramTheColouringErrorIsShown) {
    bench.encyclopedia().setCurrentDiagram(0);
    simpleQuery("Version", "10", "=");
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_EQ(prompts()[0].rfind("There was an unknown error colouring symbols. Contact your administrator\r\n", 0),
              0u);
    EXPECT_EQ(bench.ui().lastMessage().style, 16);
    EXPECT_EQ(bench.ui().lastMessage().title, km::test::titleText);
    EXPECT_TRUE(menuCommands().empty());
}

TEST_F(SimpleQueryTest, AColourNumberTooLargeEndsTheColouringWithItsMessage) {
    simpleQuery("Version", "10", "=", "99999999999");
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_EQ(prompts()[0], "There was an unknown error colouring symbols. Contact your administrator\r\nOverflow");
    EXPECT_EQ(colourOf("Payroll"), whiteColour);
}

TEST(ColourValueTest, NamesAnyCaseNumbersAndTheFallback) {
    EXPECT_EQ(addin::clsAnalyticMgr::GetColourValue("Red"), 3289855);
    EXPECT_EQ(addin::clsAnalyticMgr::GetColourValue("RED"), 3289855);
    EXPECT_EQ(addin::clsAnalyticMgr::GetColourValue("red"), 3289855);
    EXPECT_EQ(addin::clsAnalyticMgr::GetColourValue("16711680"), 16711680);
    EXPECT_EQ(addin::clsAnalyticMgr::GetColourValue("2.5"), 2) << "numbers round half to even";
    EXPECT_EQ(addin::clsAnalyticMgr::GetColourValue(""), 14474495);
    EXPECT_EQ(addin::clsAnalyticMgr::GetColourValue("red "), 14474495) << "names compare exactly";
    const std::vector<std::pair<std::string, Long>> table = {{"dark red", 180},
                                                             {"yellow", 65535},
                                                             {"pink", 10526975},
                                                             {"green", 3335730},
                                                             {"light green", 8585110},
                                                             {"dark green", 2007040},
                                                             {"orange", 3978495},
                                                             {"brown", 4302255},
                                                             {"purple", 13274809},
                                                             {"blue", 16724530},
                                                             {"light blue", 16757940},
                                                             {"dark blue", 11817040},
                                                             {"white", 16777215},
                                                             {"grey", 11184810},
                                                             {"light grey", 14474460},
                                                             {"dark grey", 6579300},
                                                             {"black", 0}};
    for (const auto& [name, colour] : table) {
        EXPECT_EQ(addin::clsAnalyticMgr::GetColourValue(name), colour) << name;
    }
}

} // namespace
