// The colour key that analytics draw, and clearing analytics, which whitens the analysed symbol
// types and removes the key.
#include "AnalyticsBench.h"

namespace {

using km::rt::Long;
using km::test::greenColour;
using km::test::redColour;
using km::test::whiteColour;

class ColourKeyTest : public km::test::AnalyticsTest {
protected:
    // Three applications, the rightmost with its right edge at 340 and its middle at 75.
    void SetUp() override {
        application("Ledger", {{"Version", "9"}});
        application("Payroll", {{"Version", "10"}});
        application("Billing", {{"Version", "11"}});
        bench.createDefinition("Payments", 765);
        auto billing = bench.encyclopedia().definitionNamed(309, "Billing");
        billing->setProperty("Provides Services", "Payments");
        billing->save();
        report("Providers", km::test::servicesScript);
    }
    void addEntry(const std::string& text, const std::string& colour = "red") {
        simpleQuery("Version", "0", ">", colour, text);
    }
    struct Box {
        Long x, y, width, height;
        bool operator==(const Box&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Box& box) {
            return out << "XPos " << box.x << ", ypos " << box.y << ", " << box.width << " x " << box.height;
        }
    };
    static Box boxOf(km::host::ISymbol& symbol) {
        return {symbol.XPos(), symbol.ypos(), symbol.XSize(), symbol.YSize()};
    }
    Long symbolCount() { return diagram->GetAllSymbols()->count(); }
};

TEST_F(ColourKeyTest, TheFirstEntryCreatesTheFrameBesideTheRightmostSymbol) {
    addEntry("Old", "green");
    auto key = symbol("Key", 2);
    ASSERT_TRUE(key);
    EXPECT_EQ(boxOf(*key), (Box{890, 100, 500, 50})) << "right of 340 + 500 + 50, bottom 75 + one row of 25";

    auto swatch = symbol("Old", 2);
    EXPECT_EQ(boxOf(*swatch), (Box{420, 95, 25, 25}));
    EXPECT_EQ(swatch->FillColor(), greenColour);
    EXPECT_EQ(swatch->GetField(121), "0xfefd");
    EXPECT_EQ(swatch->GetField(120), "-1");

    auto label = symbol("Old", 1);
    EXPECT_EQ(label->XPos(), 440) << "2 right of the swatch plus the label's own width of 3 x 6";
    EXPECT_EQ(label->ypos(), 95);
    EXPECT_EQ(label->GetProperty("Description"), "Old");
    EXPECT_EQ(label->GetField(22), "440 95");
    EXPECT_EQ(label->GetField(20), "18 12");
    EXPECT_EQ(label->GetField(16), "0x0000");
    EXPECT_EQ(label->GetField(15), "0x0064");
    EXPECT_EQ(label->GetField(18), "0x0421");
}

TEST_F(ColourKeyTest, LaterEntriesGrowTheFrameDownwardsWhereverItWasMoved) {
    addEntry("Old");
    addEntry("Newer apps");
    auto key = symbol("Key", 2);
    EXPECT_EQ(boxOf(*key), (Box{890, 125, 500, 75}));
    EXPECT_EQ(boxOf(*symbol("Newer apps", 2)), (Box{420, 120, 25, 25}));
    EXPECT_EQ(symbol("Newer apps", 1)->XPos(), 482);

    key->XPos(2000);
    key->ypos(500);
    key->save();
    addEntry("Moved");
    EXPECT_EQ(boxOf(*key), (Box{2000, 525, 500, 100}));
    EXPECT_EQ(boxOf(*symbol("Moved", 2)), (Box{1530, 520, 25, 25}));
    EXPECT_EQ(diagram->GetFilteredSymbols("Key", 2)->count(), 1) << "one frame";
}

TEST_F(ColourKeyTest, AnEntryIsNotAddedTwice) {
    addEntry("Old");
    Long symbols = symbolCount();
    addEntry("Old", "green");
    EXPECT_EQ(symbolCount(), symbols);
    EXPECT_EQ(symbol("Key", 2)->YSize(), 50) << "the frame does not grow";
    EXPECT_EQ(symbol("Old", 2)->FillColor(), redColour) << "the existing entry keeps its colour";
}

TEST_F(ColourKeyTest, LongTextsAreCutToEightyCharactersForTheLabelOnly) {
    std::string text = std::string(79, 'a') + "\xC3\xA9" + std::string(20, 'b'); // 100 characters
    std::string cut = std::string(79, 'a') + "\xC3\xA9";
    addEntry(text);
    ASSERT_TRUE(symbol(text, 2)) << "the swatch keeps the whole text";
    auto label = symbol(cut, 1);
    ASSERT_TRUE(label) << "the label is named after the first 80 characters";
    EXPECT_EQ(label->GetProperty("Description"), text);
    EXPECT_EQ(label->GetField(20), "600 12") << "the width is that of the whole text";
    EXPECT_EQ(label->XPos(), 420 + 2 + 480);

    std::string sameStart = cut + "ccc";
    addEntry(sameStart);
    EXPECT_FALSE(symbol(sameStart, 2)) << "an entry whose first 80 characters are in use is not added";
}

TEST_F(ColourKeyTest, AnEntryThatCannotBeDrawnIsReported) {
    addEntry(std::string(5000, 'x'));
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_EQ(prompts()[0], "An unknown error occured. \r\nA symbol name is limited to 4096 bytes.");
    EXPECT_EQ(bench.ui().lastMessage().style, 16);
    EXPECT_EQ(status(), "3 symbols were coloured red") << "the colouring itself goes on";
}

TEST_F(ColourKeyTest, ClearingWhitensTheAnalysedTypesAndRemovesTheKey) {
    bench.createDefinition("Plan", 662);
    auto project = bench.addSymbol(*diagram, "Plan", 162);
    project->FillColor(greenColour);
    project->save();
    std::string longText(100, 'z');
    addEntry(longText);
    bench.run("ComplexQuery", {"Providers", "false", "red", "Application", "Providers"});
    ASSERT_EQ(savedProperty("Previous Analytics"), "Application");
    auto ledger = symbol("Ledger", km::test::applicationSymbol);
    ASSERT_EQ(ledger->FillColor(), redColour) << "coloured by the simple analytic";

    bench.run("ClearAnalytics");
    EXPECT_EQ(ledger->FillColor(), whiteColour) << "every symbol of a remembered type turns white";
    EXPECT_EQ(colourOf("Billing"), whiteColour);
    EXPECT_EQ(project->FillColor(), greenColour) << "other types keep their colour";
    EXPECT_EQ(savedProperty("Previous Analytics"), "");
    EXPECT_FALSE(symbol("Key", 2));
    EXPECT_TRUE(labels().empty()) << "labels outside the frame go as well";
    EXPECT_EQ(symbolCount(), 4) << "only the applications and the project are left";
    EXPECT_EQ(menuCommands().back(), 71);
    EXPECT_TRUE(prompts().empty());
}

TEST_F(ColourKeyTest, ClearingAfterSimpleAnalyticsOnlyKeepsTheirColoursButRemovesTheKey) {
    addEntry("Old");
    bench.run("ClearAnalytics");
    EXPECT_EQ(colourOf("Ledger"), redColour);
    EXPECT_FALSE(symbol("Key", 2));
    EXPECT_EQ(symbolCount(), 3);
}

TEST_F(ColourKeyTest, ClearingADiagramWithoutKeyOrAnalyticsDoesNothing) {
    bench.run("ClearAnalytics");
    EXPECT_TRUE(prompts().empty());
    EXPECT_EQ(symbolCount(), 3);
    EXPECT_EQ(menuCommands(), std::vector<Long>{71});

    bench.encyclopedia().setCurrentDiagram(0);
    bench.run("ClearAnalytics");
    EXPECT_TRUE(prompts().empty()) << "no diagram open: nothing to clear";
}

TEST_F(ColourKeyTest, SymbolsMovedUnderTheKeySurviveClearing) {
    addEntry("Old");
    auto key = symbol("Key", 2);
    auto note = bench.addSymbol(*diagram, "Keep me", 1);
    placeAt(*note, key->XPos() - 20, key->ypos() - 2, 60, 12);
    auto ledger = symbol("Ledger", km::test::applicationSymbol);
    placeAt(*ledger, key->XPos() - 100, key->ypos() - 2, 100, 20);
    bench.run("ClearAnalytics");
    EXPECT_FALSE(symbol("Key", 2));
    EXPECT_TRUE(symbol("Keep me", 1));
    EXPECT_TRUE(symbol("Ledger", km::test::applicationSymbol));
    EXPECT_EQ(symbolCount(), 4);
}

TEST_F(ColourKeyTest, AKeyCanBeDrawnAgainAfterClearing) {
    addEntry("Old");
    bench.run("ClearAnalytics");
    addEntry("Old", "green");
    EXPECT_EQ(symbol("Old", 2)->FillColor(), greenColour);
    EXPECT_EQ(symbol("Key", 2)->YSize(), 50);
}

} // namespace
