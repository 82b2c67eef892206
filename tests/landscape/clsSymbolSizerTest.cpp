// The symbol sizer on containers laid out by hand: the shared cell size, the column and row
// choices, the row search and the label text sizes.
#include "landscape/clsSymbolSizer.h"
#include "LandscapeTest.h"

namespace {

using km::rt::Long;
using km::test::Box;
using KM_SLN_SOA::clsSymbolSizer;
using KM_SLN_SOA::SymbolCollection;

class SymbolSizerTest : public km::test::LandscapeTest {
protected:
    SymbolSizerTest() { bench.initialiseObjects(); }
    ~SymbolSizerTest() override { bench.destroyObjects(); }

    /// A container with \p count small application symbols lying inside it, side by side.
    std::shared_ptr<km::host::ISymbol> container(const std::string& name, Long right, Long bottom, Long width,
                                                 Long height, int count) {
        auto symbol = symbolAt(name, km::test::serviceSymbol, right, bottom, width, height);
        for (int i = 0; i < count; ++i) {
            symbolAt(name + " app " + std::to_string(i + 1), km::test::applicationSymbol,
                     right - width + 2 + 3 * (i + 1), bottom - 1, 2, 2);
        }
        containers.Add(symbol);
        return symbol;
    }
    Box box(const std::string& name) { return boxOf(*stored(name)); }
    void size(Long columns) { clsSymbolSizer().SizeCollections(containers, columns); }

    SymbolCollection containers;
};

TEST_F(SymbolSizerTest, TheNarrowestContainerGetsTheChosenColumnsAndTheWiderOnesMore) {
    // 200 wide: 2 columns of 198 / 2 - 2 = 97; 450 wide: (450 - 50) / 200 x 2 = 4 columns of 110.
    // 5 symbols in 2 columns need 3 rows of 100 / 3 - 3 = 30.33; in 4 columns 2 rows of 97.
    container("Narrow", 200, 135, 200, 135, 5);
    container("Wide", 1000, 235, 450, 235, 5);
    size(2);
    EXPECT_EQ(box("Narrow app 1"), (Box{2, 32, 99, 62}));
    EXPECT_EQ(box("Narrow app 2"), (Box{101, 32, 198, 62}));
    EXPECT_EQ(box("Narrow app 3"), (Box{2, 65, 99, 95}));
    EXPECT_EQ(box("Narrow app 5"), (Box{2, 98, 99, 128}));
    EXPECT_EQ(box("Wide app 4"), (Box{849, 32, 946, 62})) << "four cells fit in a row of the wide one";
    EXPECT_EQ(box("Wide app 5"), (Box{552, 65, 649, 95}));
    EXPECT_EQ(bench.workbench().menuCommands(), std::vector<Long>{71});
}

TEST_F(SymbolSizerTest, TenSymbolsInFourColumnsTakeThreeRows) {
    // 10 / 4 = 2.5 rounds to 2 rows, which hold only 8: a third row; (155 - 35) / 3 - 3 = 37.
    container("Ten", 402, 155, 402, 155, 10);
    size(4);
    EXPECT_EQ(box("Ten app 1"), (Box{2, 32, 100, 69}));
    EXPECT_EQ(box("Ten app 5"), (Box{2, 72, 100, 109}));
    EXPECT_EQ(box("Ten app 10"), (Box{102, 112, 200, 149}));
}

TEST_F(SymbolSizerTest, CellsAndLabelsOfTheSmallExample) {
    // 102 wide, 2 columns, 5 symbols, 135 high: 100 / 2 - 2 = 48 wide, 100 / 3 - 3 = 30 high.
    auto symbol = container("Small", 102, 135, 102, 135, 0);
    const std::string longName = "Twenty-five characters!!!";
    ASSERT_EQ(longName.size(), 25u);
    for (int i = 0; i < 5; ++i) {
        symbolAt(i == 0 ? longName : "S" + std::to_string(i), km::test::applicationSymbol, 5 + 3 * i, 134, 2, 2);
    }
    size(2);
    EXPECT_EQ(box(longName), (Box{2, 32, 50, 62}));
    EXPECT_EQ(stored(longName)->GetField(15), "0x002D");
    EXPECT_EQ(stored("S1")->GetField(15), "0x0032") << "a short name in a 48 x 30 cell gets 50";
}

TEST_F(SymbolSizerTest, ContainersInsideAContainerKeepTheirPlaceButLowerTheSharedSize) {
    // "Outer" holds only a container: it takes no cell, but the outer's grid (1 column, 1 row of
    // 198 - 2 wide and 65 - 35 - 3 = 27 high) lowers the cells of "Other".
    auto outer = container("Outer", 200, 65, 200, 65, 0);
    auto inner = symbolAt("Inner", km::test::serviceSymbol, 150, 60, 100, 20);
    symbolAt("Inner app", km::test::applicationSymbol, 120, 55, 5, 5);
    container("Other", 800, 500, 400, 400, 1);
    size(1);
    EXPECT_EQ(box("Inner"), (Box{50, 40, 150, 60}));
    EXPECT_EQ(box("Inner app"), (Box{115, 50, 120, 55}));
    EXPECT_EQ(box("Other app 1"), (Box{402, 132, 598, 159}));
}

TEST_F(SymbolSizerTest, TheRowSearchEndsWhenACellIsWiderThanItsContainer) {
    // A container of width 0 makes every size computation fail, so the cells keep 500 x 250 and
    // fit nowhere: each goes to the first column of its own row.
    container("Zero", 50, 50, 0, 20, 0);
    container("Tight", 300, 100, 200, 100, 3);
    size(2);
    EXPECT_EQ(box("Tight app 1"), (Box{102, 32, 602, 282}));
    EXPECT_EQ(box("Tight app 2"), (Box{102, 285, 602, 535}));
    EXPECT_EQ(box("Tight app 3"), (Box{102, 538, 602, 788}));
}

TEST_F(SymbolSizerTest, CellsNeverGetNoOrNegativeSize) {
    // More columns than units of width, and a container lower than its header room.
    container("Crowded", 300, 100, 200, 100, 3);
    container("Flat", 900, 20, 200, 20, 2);
    size(100000);
    for (const std::string name : {"Crowded app 1", "Crowded app 3", "Flat app 2"}) {
        auto symbol = stored(name);
        EXPECT_EQ(symbol->XSize(), 1) << name;
        EXPECT_EQ(symbol->YSize(), 1) << name;
    }
}

struct TextSizeCase {
    Long width, height, nameLength, size;
    const char* field;
};

TEST(SymbolSizerTextTest, TextSizeByCellAndNameLength) {
    const TextSizeCase cases[] = {
        {48, 30, 25, 45, "0x002D"},   {200, 60, 51, 100, "0x0064"}, {89, 16, 20, 50, "0x0032"},
        {89, 15, 21, 35, "0x0023"},   {89, 15, 0, 20, "0x0014"},    {90, 26, 30, 65, "0x0041"},
        {90, 25, 1, 70, "0x0046"},    {179, 25, 50, 60, "0x003C"},  {180, 51, 31, 120, "0x0078"},
        {180, 50, 20, 120, "0x0078"}, {180, 50, 21, 100, "0x0064"}, {180, 51, 1, 160, "0x00A0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clsSymbolSizer::TextSizeFor(c.width, c.height, c.nameLength), c.size)
            << c.width << " x " << c.height << ", " << c.nameLength << " characters";
        EXPECT_EQ(clsSymbolSizer::TextSizeField(c.size), c.field);
    }
}

} // namespace
