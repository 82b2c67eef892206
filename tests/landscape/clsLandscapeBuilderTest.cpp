// BuildLandscape and RefreshLandscape through the facade, on a real encyclopedia with the scripted
// front end answering the landscape dialogs.
#include "LandscapeTest.h"
#include <gmock/gmock.h>

namespace {

using km::rt::Long;
using km::test::Box;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* vaidMessage =
    "You must select a vaid symbol to populate. Rectangles, Text and Doc Blocks are not valid.";
constexpr const char* deletedSymbol = "You have selected a symbol that was deleted by the tool as it was inside "
                                      "another symbol you selected to populate. The results may be unexpected.";

class LandscapeBuilderTest : public km::test::LandscapeTest {
protected:
    void SetUp() override {
        landscapeTemplate("Providers", km::test::providersScript);
        landscapeTemplate("Providers in plan", km::test::planProvidersScript);
        diagram->setProperty("Min Number Of Cols Per Symbol", "2");
        diagram->save();
    }
    /// The dialogs shown, without the status window.
    std::vector<std::string> formsShown() {
        std::vector<std::string> names;
        for (const auto& form : bench.ui().formsShown()) {
            if (form.name != "frmStatus") {
                names.push_back(form.name);
            }
        }
        return names;
    }
    void build(const std::string& templateName = "Providers") {
        chooseTemplate(templateName);
        bench.run("BuildLandscape");
    }
};

TEST_F(LandscapeBuilderTest, RefusesWithoutAValidSelection) {
    bench.addSymbol(*diagram, "A note", 1);
    service("Billing", {"Ledger"});
    bench.run("BuildLandscape");
    auto plain = bench.createDiagram("Plain", km::test::landscapeDiagram);
    bench.addSymbol(*plain, "Payments", km::test::serviceSymbol);
    bench.run("BuildLandscape");
    auto explorer = bench.createDiagram("Explorer", 186);
    bench.run("BuildLandscape");
    bench.encyclopedia().setCurrentDiagram(0);
    bench.run("BuildLandscape");
    EXPECT_THAT(prompts(), ElementsAre(vaidMessage, "You must select a symbol to populate.",
                                       "This tool does not work with Explorer diagrams.",
                                       "You must open a Service Hierarchy diagram."));
    EXPECT_EQ(bench.ui().messages()[2].style, 64);
    EXPECT_TRUE(formsShown().empty());
    EXPECT_FALSE(bench.encyclopedia().openobjectsasreadonly());
}

TEST_F(LandscapeBuilderTest, PopulatesTheSelectedContainersAndIgnoresRectangles) {
    auto billing = service("Billing", {"Ledger", "Invoicer", "Archive"});
    auto box = symbolAt("Frame", 2, 900, 900, 200, 200);
    select(*billing);
    select(*box);
    build();
    EXPECT_THAT(nestedNames(*stored("Billing")), ElementsAre("Archive", "Invoicer", "Ledger"));
    EXPECT_TRUE(nestedNames(*stored("Frame", 2)).empty());
    EXPECT_EQ(stored("Billing")->GetProperty("Application Landscape Report"), "Providers\r\n");
    EXPECT_EQ(stored("Billing")->GetProperty("Parameter1"), "");
    EXPECT_THAT(formsShown(), ElementsAre("frmLAATemplateSelect"));
    EXPECT_EQ(lastStatus(), "complete");
    EXPECT_TRUE(noSymbolsOverlap());
}

TEST_F(LandscapeBuilderTest, ATemplateWithAParameterAsksForTheFilterAndStoresIt) {
    auto billing = service("Billing", {"Ledger", "Invoicer", "Archive"});
    auto retire = plan("Retire ledgers", {"Ledger", "Archive"});
    select(*billing);
    chooseFilter("Project/Service Plan", "Retire ledgers");
    build("Providers in plan");
    EXPECT_THAT(nestedNames(*stored("Billing")), ElementsAre("Archive", "Ledger"));
    EXPECT_EQ(stored("Billing")->GetProperty("Parameter1"), std::to_string(retire->ddid()));
    EXPECT_THAT(formsShown(), ElementsAre("frmLAATemplateSelect", "frmLAAFilterSelect"));
    EXPECT_EQ(bench.ui().formsShown()[1].caption, "Select the Application Landscape Report template 11.3.1.3");

    // Refreshing uses the stored template and filter without asking.
    plan("Other plan", {"Invoicer"});
    auto changed = bench.encyclopedia().definitionNamed(624, "Retire ledgers");
    changed->setProperty("Application", "Invoicer\r\n");
    changed->save();
    bench.run("RefreshLandscape");
    EXPECT_THAT(nestedNames(*stored("Billing")), ElementsAre("Invoicer"));
    EXPECT_EQ(formsShown().size(), 2u);
}

TEST_F(LandscapeBuilderTest, CancellingADialogChangesNothing) {
    auto billing = service("Billing", {"Ledger"});
    select(*billing);
    bench.run("BuildLandscape"); // the template dialog is closed
    bench.ui().addFormScript("frmLAAFilterSelect", "click Cancel");
    build("Providers in plan");
    diagram->setProperty("Min Number Of Cols Per Symbol", "");
    diagram->save();
    bench.ui().addFormScript("frmNoOfCols", "type cboNumber \"-3\"; click OK; click Cancel");
    build();
    EXPECT_TRUE(nestedNames(*stored("Billing")).empty());
    EXPECT_THAT(hostStatus(), ElementsAre("cancelled", "cancelled", "cancelled"));
    EXPECT_THAT(prompts(), ElementsAre("You must have at least 1 column"));
    EXPECT_EQ(stored("Billing")->GetProperty("Application Landscape Report"), "");
}

TEST_F(LandscapeBuilderTest, AStoredColumnCountSkipsTheColumnDialog) {
    struct Case {
        const char* stored;
        bool asks;
    };
    for (const Case& c : {Case{"3", false}, Case{"0", true}, Case{"", true}, Case{"abc", true}}) {
        diagram->setProperty("Min Number Of Cols Per Symbol", c.stored);
        diagram->save();
        auto billing = service(std::string("Billing ") + c.stored, {"Ledger"});
        select(*billing);
        std::size_t shown = formsShown().size();
        if (c.asks) {
            chooseColumns("4");
        }
        build();
        select(*billing, false);
        EXPECT_EQ(formsShown().size() - shown, c.asks ? 2u : 1u) << "stored \"" << c.stored << "\"";
        EXPECT_EQ(formsShown().back(), c.asks ? "frmNoOfCols" : "frmLAATemplateSelect");
        EXPECT_EQ(diagram->GetProperty("Min Number Of Cols Per Symbol"), c.asks ? "4" : "3");
        EXPECT_EQ(nestedNames(*billing), std::vector<std::string>{"Ledger"});
    }
}

TEST_F(LandscapeBuilderTest, AContainerSelectedBeforeItsInnerSymbolDeletesItAndStops) {
    auto outer = service("Billing", {"Ledger", "Invoicer"}, 600, 400, 500, 300);
    auto inner = service("Payments", {"Card Gateway"}, 300, 300, 150, 100);
    select(*outer);
    select(*inner);
    build();
    EXPECT_FALSE(stored("Payments"));
    EXPECT_THAT(errorLog(), HasSubstr(std::string(deletedSymbol) + "\r\n"));
    EXPECT_THAT(prompts(), ElementsAre("There were errors, review the error log."));
    // Stacked in one column, not sized: 496 wide, (300 - 6) / 2 = 147 high.
    EXPECT_EQ(boxOf(*stored("Ledger")), (Box{102, 250, 598, 397}));
    EXPECT_EQ(boxOf(*stored("Invoicer")), (Box{102, 103, 598, 250}));
    EXPECT_NE(lastStatus(), "complete");
    EXPECT_NE(lastStatus(), "cancelled");
}

TEST_F(LandscapeBuilderTest, AnInnerSymbolSelectedBeforeItsContainerIsPopulatedThenReplaced) {
    auto inner = service("Payments", {"Card Gateway"}, 300, 300, 150, 100);
    auto outer = service("Billing", {"Ledger", "Invoicer"}, 600, 400, 500, 300);
    select(*inner);
    select(*outer);
    build();
    EXPECT_FALSE(stored("Payments"));
    EXPECT_FALSE(stored("Card Gateway"));
    EXPECT_THAT(nestedNames(*stored("Billing")), ElementsAre("Invoicer", "Ledger"));
    EXPECT_EQ(lastStatus(), "complete");
    EXPECT_TRUE(errorLog().empty());
}

TEST_F(LandscapeBuilderTest, FourObjectsAreStackedInAParentOfHeight100) {
    auto billing = service("Billing", {"A1", "A2", "A3", "A4"}, 400, 300, 300, 100);
    select(*billing);
    // "Populating symbol Billing" and four "Creating symbol" lines; Cancel is pressed at the next
    // status line, "Resizing symbols", so the symbols stay stacked as populated: h = 94 / 4 = 23.5, rounded to even 24.
    bench.ui().cancelStatusAfter(6);
    build();
    const Long base = 300 - 97;
    for (Long i = 0; i < 4; ++i) {
        auto symbol = stored("A" + std::to_string(i + 1));
        ASSERT_TRUE(symbol);
        EXPECT_EQ(boxOf(*symbol), (Box{102, base + 24 * i, 398, base + 24 + 24 * i})) << symbol->Name();
    }
    EXPECT_EQ(lastStatus(), "cancelled");
}

TEST_F(LandscapeBuilderTest, SymbolsNeverGetNoOrNegativeSize) {
    auto flat = service("Flat", {"A1", "A2"}, 400, 300, 300, 5);
    select(*flat);
    build();
    auto wide = service("Wide", {"B1", "B2"}, 900, 600, 300, 200);
    select(*flat, false);
    select(*wide);
    diagram->setProperty("Min Number Of Cols Per Symbol", "");
    diagram->save();
    chooseColumns("100000");
    build();
    for (const std::string name : {"A1", "A2", "B1", "B2"}) {
        auto symbol = stored(name);
        ASSERT_TRUE(symbol) << name;
        EXPECT_GE(symbol->XSize(), 1) << name;
        EXPECT_GE(symbol->YSize(), 1) << name;
    }
}

TEST_F(LandscapeBuilderTest, RefreshingANeverPopulatedSymbolChangesNothing) {
    auto billing = service("Billing", {"Ledger"});
    select(*billing);
    Box before = boxOf(*billing);
    bench.run("RefreshLandscape");
    EXPECT_EQ(boxOf(*stored("Billing")), before);
    EXPECT_TRUE(nestedNames(*stored("Billing")).empty());
    EXPECT_EQ(stored("Billing")->GetProperty("Application Landscape Report"), "");
    EXPECT_EQ(lastStatus(), "complete");
    EXPECT_TRUE(prompts().empty());
}

} // namespace
