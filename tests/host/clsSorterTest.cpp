#include "landscape/clsSorter.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/IMetaModel.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "support/AddinTestBench.h"
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

using km::rt::Long;
using km::test::AddinTestBench;
using KM_SLN_SOA::clsSorter;
using KM_SLN_SOA::SortTextArray;
using Names = std::vector<std::string>;

// Add-in objects sort by strName, held as a member or answered by an accessor.
struct NodeWithMember {
    std::string strName;
};
class NodeWithAccessor {
public:
    explicit NodeWithAccessor(std::string name) : m_name(std::move(name)) {}
    std::string strName() const { return m_name; }

private:
    std::string m_name;
};
// Anything with a Name sorts by it.
struct NamedItem {
    std::string Name() const { return name; }
    std::string name;
    int serial = 0;
};

template <class T> using Collection = km::rt::Collection<std::shared_ptr<T>>;

template <class T, class Text> Names texts(const Collection<T>& collection, Text text) {
    Names result;
    for (const auto& item : collection) {
        result.push_back(text(*item));
    }
    return result;
}

Names namesOf(const Collection<km::host::IDefinition>& collection) {
    return texts(collection, [](km::host::IDefinition& item) { return item.Name(); });
}

class clsSorterTest : public ::testing::Test {
protected:
    std::shared_ptr<km::host::IDefinition> definition(const std::string& name, Long type) {
        return bench.createDefinition(name, type);
    }

    AddinTestBench bench;
    clsSorter sorter;
};

// ---- Sorted insertion by Name and TypeName ----

TEST_F(clsSorterTest, InsertionIsOrdinalAndDropsARepeatedNameWhileAnsweringTrue) {
    Collection<km::host::IDefinition> sorted;
    EXPECT_TRUE(sorter.AddKMObjToSortedCollection(sorted, definition("Beta", 309)));
    EXPECT_TRUE(sorter.AddKMObjToSortedCollection(sorted, definition("alpha", 662)));
    EXPECT_TRUE(sorter.AddKMObjToSortedCollection(sorted, definition("Alpha", 626)));
    auto secondBeta = definition("Beta", 812);
    EXPECT_TRUE(sorter.AddKMObjToSortedCollection(sorted, secondBeta));
    EXPECT_EQ(namesOf(sorted), (Names{"Alpha", "Beta", "alpha"}));
    EXPECT_EQ(sorted.Item(2)->kmtype(), 309) << "the first Beta stays";
}

TEST_F(clsSorterTest, InsertionComparesBytesNotLetters) {
    Collection<km::host::IDefinition> sorted;
    // Names are unique per type without regard to case, so each comes from another type.
    for (auto [name, type] : std::vector<std::pair<std::string, Long>>{
             {"\xC3\x84rger", 309}, {"zebra", 662}, {"Zebra", 626}, {"apple", 812}}) {
        ASSERT_TRUE(sorter.AddKMObjToSortedCollection(sorted, definition(name, type)));
    }
    EXPECT_EQ(namesOf(sorted), (Names{"Zebra", "apple", "zebra", "\xC3\x84rger"}));
}

// The platform orders by UTF-16 code units: a character above U+FFFF (a surrogate pair) sorts
// before U+E000..U+FFFF, although its UTF-8 bytes sort after theirs. Every way of sorting agrees.
TEST_F(clsSorterTest, EveryOrderFollowsUtf16CodeUnits) {
    const Names utf16Order{"z", "\xF0\x9F\x98\x80", "\xEE\x80\x80", "\xEF\xBF\xBD"}; // U+1F600 U+E000 U+FFFD
    const Names given{utf16Order[3], utf16Order[2], utf16Order[1], utf16Order[0]};

    Collection<km::host::IDefinition> inserted;
    auto collection = std::make_shared<Collection<km::host::IDefinition>>();
    Collection<NodeWithMember> keyed;
    for (const std::string& name : given) {
        auto object = definition(name, 309);
        ASSERT_TRUE(sorter.AddKMObjToSortedCollection(inserted, object));
        collection->Add(object);
        ASSERT_TRUE(sorter.dhAddToSortedCollection(keyed, std::make_shared<NodeWithMember>(NodeWithMember{name}), ""));
    }
    EXPECT_EQ(namesOf(inserted), utf16Order);
    ASSERT_TRUE(sorter.SortCollection(collection));
    EXPECT_EQ(namesOf(*sorter.SortCollection(collection)), utf16Order);
    EXPECT_EQ(texts(keyed, [](NodeWithMember& node) { return node.strName; }), utf16Order);

    SortTextArray array(1, 4, 1);
    for (Long row = 1; row <= 4; ++row) {
        array.Item(row, 1) = given[static_cast<std::size_t>(row - 1)];
    }
    Long left = -2;
    Long right = -2;
    sorter.dhQuickSortArray(array, left, right);
    for (Long row = 1; row <= 4; ++row) {
        EXPECT_EQ(array.Item(row, 1), utf16Order[static_cast<std::size_t>(row - 1)]) << row;
    }
}

TEST_F(clsSorterTest, InsertingNothingAnswersFalseAndChangesNothing) {
    Collection<km::host::IDefinition> sorted;
    sorter.AddKMObjToSortedCollection(sorted, definition("Beta", 309));
    EXPECT_FALSE(sorter.AddKMObjToSortedCollection(sorted, std::shared_ptr<km::host::IDefinition>()));
    EXPECT_EQ(namesOf(sorted), (Names{"Beta"}));
}

TEST_F(clsSorterTest, InsertionWalksTheCollectionAsItStands) {
    // A collection not built by the sorter: the new object goes before the first greater entry.
    Collection<km::host::IDefinition> unsorted;
    unsorted.Add(definition("Delta", 309));
    unsorted.Add(definition("Bravo", 309));
    ASSERT_TRUE(sorter.AddKMObjToSortedCollection(unsorted, definition("Charlie", 309)));
    EXPECT_EQ(namesOf(unsorted), (Names{"Charlie", "Delta", "Bravo"}));
}

TEST_F(clsSorterTest, MetamodelTypesSortByTypeNameEachOnce) {
    auto types = bench.encyclopedia().MetaModel()->MetaClasses(3)->SupportedMetaItems();
    Collection<km::host::IMetaItem> sorted;
    for (auto type : types) {
        ASSERT_TRUE(sorter.AddKMMetaObjToSortedCollection(sorted, type));
    }
    ASSERT_TRUE(sorter.AddKMMetaObjToSortedCollection(sorted, types->Item(1))) << "a repeat is dropped quietly";
    Names typeNames = texts(sorted, [](km::host::IMetaItem& item) { return item.TypeName(); });
    ASSERT_EQ(typeNames.size(), static_cast<std::size_t>(types->count()));
    EXPECT_TRUE(std::is_sorted(typeNames.begin(), typeNames.end()));
    EXPECT_NE(std::find(typeNames.begin(), typeNames.end(), "Application"), typeNames.end());
}

// ---- Sorted copies ----

TEST_F(clsSorterTest, ASortedCopyKeepsTheFirstObjectOfEachName) {
    auto collection = std::make_shared<Collection<km::host::IDefinition>>();
    for (auto [name, type] : std::vector<std::pair<std::string, Long>>{
             {"Beta", 309}, {"alpha", 662}, {"Alpha", 626}, {"Beta", 812}, {"Alpha", 309}}) {
        collection->Add(definition(name, type));
    }
    auto sorted = sorter.SortCollection(collection);
    ASSERT_TRUE(sorted);
    EXPECT_EQ(namesOf(*sorted), (Names{"Alpha", "Beta", "alpha"}));
    EXPECT_EQ(sorted->Item(1)->kmtype(), 626);
    EXPECT_EQ(sorted->Item(2)->kmtype(), 309);
    EXPECT_EQ(collection->count(), 5) << "the original stays as it was";
}

TEST_F(clsSorterTest, ASortedCopyOfNothingIsEmptyOrNothing) {
    auto empty = sorter.SortCollection(std::make_shared<Collection<km::host::IDefinition>>());
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->count(), 0);
    EXPECT_FALSE(sorter.SortCollection(std::shared_ptr<Collection<km::host::IDefinition>>()));
    auto withHole = std::make_shared<Collection<km::host::IDefinition>>();
    withHole->Add(definition("Beta", 309));
    withHole->Add(nullptr);
    EXPECT_FALSE(sorter.SortCollection(withHole)) << "an error answers nothing";
}

TEST(clsSorterLarge, CollectionsBeyondSixteenBitPositionsSort) {
    constexpr int rowCount = 70000;
    auto collection = std::make_shared<Collection<NamedItem>>();
    std::mt19937 random(7);
    for (int i = 0; i < rowCount; ++i) {
        collection->Add(std::make_shared<NamedItem>(NamedItem{"n" + std::to_string(random() % 50000), i}));
    }
    auto sorted = clsSorter().SortCollection(collection);
    ASSERT_TRUE(sorted);
    Names names = texts(*sorted, [](NamedItem& item) { return item.Name(); });
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "each name once";
    // The first item of every name wins.
    std::map<std::string, int> firstSerial;
    for (const auto& item : *collection) {
        firstSerial.emplace(item->name, item->serial);
    }
    EXPECT_EQ(static_cast<std::size_t>(sorted->count()), firstSerial.size());
    for (const auto& item : *sorted) {
        ASSERT_EQ(item->serial, firstSerial[item->name]) << item->name;
    }
}

TEST(clsSorterLarge, InsertionBeyondSixteenBitPositions) {
    Collection<NodeWithMember> sorted;
    clsSorter sorter;
    for (int i = 0; i < 33000; ++i) {
        sorted.Add(std::make_shared<NodeWithMember>(NodeWithMember{"b"}));
    }
    ASSERT_TRUE(sorter.dhAddToSortedCollection(sorted, std::make_shared<NodeWithMember>(NodeWithMember{"c"}), ""));
    ASSERT_TRUE(sorter.dhAddToSortedCollection(sorted, std::make_shared<NodeWithMember>(NodeWithMember{"a"}), "k"));
    EXPECT_EQ(sorted.count(), 33002);
    EXPECT_EQ(sorted.Item(1)->strName, "a");
    EXPECT_EQ(sorted.Item(33002)->strName, "c");
    EXPECT_EQ(sorted.Item("K")->strName, "a");
}

// ---- Keyed insertion by strName ----

TEST(clsSorterKeyed, EqualNamesStayInTheOrderTheyCame) {
    Collection<NodeWithMember> sorted;
    clsSorter sorter;
    auto first = std::make_shared<NodeWithMember>(NodeWithMember{"Same"});
    auto second = std::make_shared<NodeWithMember>(NodeWithMember{"Same"});
    ASSERT_TRUE(sorter.dhAddToSortedCollection(sorted, first, ""));
    ASSERT_TRUE(sorter.dhAddToSortedCollection(sorted, std::make_shared<NodeWithMember>(NodeWithMember{"Top"}), ""));
    ASSERT_TRUE(sorter.dhAddToSortedCollection(sorted, second, ""));
    ASSERT_TRUE(sorter.dhAddToSortedCollection(sorted, std::make_shared<NodeWithMember>(NodeWithMember{"Low"}), ""));
    EXPECT_EQ(texts(sorted, [](NodeWithMember& node) { return node.strName; }), (Names{"Low", "Same", "Same", "Top"}));
    EXPECT_EQ(sorted.Item(2), first);
    EXPECT_EQ(sorted.Item(3), second);
    EXPECT_EQ(sorted.keyAt(2), "") << "an empty key adds without key";
}

TEST(clsSorterKeyed, AKeyInUseAnswersFalseAndLeavesTheCollectionAlone) {
    Collection<NodeWithAccessor> sorted;
    clsSorter sorter;
    ASSERT_TRUE(sorter.dhAddToSortedCollection(sorted, std::make_shared<NodeWithAccessor>("Payroll"), "K1"));
    ASSERT_TRUE(sorter.dhAddToSortedCollection(sorted, std::make_shared<NodeWithAccessor>("Billing"), "K2"));
    EXPECT_FALSE(sorter.dhAddToSortedCollection(sorted, std::make_shared<NodeWithAccessor>("Archive"), "k1"))
        << "keys compare without regard to case";
    EXPECT_FALSE(sorter.dhAddToSortedCollection(sorted, std::make_shared<NodeWithAccessor>("Zulu"), "K2"));
    EXPECT_FALSE(sorter.dhAddToSortedCollection(sorted, std::shared_ptr<NodeWithAccessor>(), "K3"));
    ASSERT_EQ(sorted.count(), 2);
    EXPECT_EQ(sorted.Item(1)->strName(), "Billing");
    EXPECT_EQ(sorted.Item("K1")->strName(), "Payroll");
}

// ---- The quicksort of a text array ----

SortTextArray arrayOf(const Names& names, Long lower = 1, Long columns = 2) {
    SortTextArray array(lower, lower + static_cast<Long>(names.size()) - 1, columns);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Long row = lower + static_cast<Long>(i);
        array.Item(row, 1) = names[i];
        if (columns == 2) {
            array.Item(row, 2) = std::to_string(row);
        }
    }
    return array;
}

Names column(const SortTextArray& array, Long number) {
    Names result;
    for (Long row = array.LBound(); row <= array.UBound(); ++row) {
        result.push_back(array.Item(row, number));
    }
    return result;
}

TEST(clsSorterArray, RowsSortByColumnOneCarryingColumnTwoAndBoundsAreWrittenBack) {
    SortTextArray array = arrayOf({"delta", "Bravo", "alpha", "Charlie", "bravo"});
    Long left = -2;
    Long right = -2;
    clsSorter().dhQuickSortArray(array, left, right);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 5);
    EXPECT_EQ(column(array, 1), (Names{"Bravo", "Charlie", "alpha", "bravo", "delta"}));
    EXPECT_EQ(column(array, 2), (Names{"2", "4", "3", "5", "1"}));
}

TEST(clsSorterArray, OnlyTheGivenRowsMoveAndAnyLowerBoundWorks) {
    SortTextArray array = arrayOf({"e", "d", "c", "b", "a"}, 0);
    Long left = 1;
    Long right = 3;
    clsSorter().dhQuickSortArray(array, left, right);
    EXPECT_EQ(column(array, 1), (Names{"e", "b", "c", "d", "a"}));
    EXPECT_EQ(column(array, 2), (Names{"0", "3", "2", "1", "4"}));
    Long all = -2;
    Long end = -2;
    clsSorter().dhQuickSortArray(array, all, end);
    EXPECT_EQ(all, 0);
    EXPECT_EQ(column(array, 1), (Names{"a", "b", "c", "d", "e"}));
}

TEST(clsSorterArray, OneRowOrOneColumn) {
    SortTextArray single = arrayOf({"only"});
    Long left = -2;
    Long right = -2;
    clsSorter().dhQuickSortArray(single, left, right);
    EXPECT_EQ(column(single, 1), (Names{"only"}));
    EXPECT_EQ(column(single, 2), (Names{"1"}));

    SortTextArray narrow = arrayOf({"b", "c", "a"}, 1, 1);
    left = right = -2;
    clsSorter().dhQuickSortArray(narrow, left, right);
    EXPECT_EQ(column(narrow, 1), (Names{"a", "b", "c"}));
    EXPECT_THROW(narrow.Item(1, 2), km::rt::RuntimeError) << "there is no second column";
}

TEST(clsSorterArray, AnEmptyArrayAndAnEmptyRangeChangeNothing) {
    SortTextArray empty(1, 0);
    Long left = -2;
    Long right = -2;
    clsSorter().dhQuickSortArray(empty, left, right);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 0);
}

TEST(clsSorterArray, RowsOutsideTheArrayRaise) {
    SortTextArray array = arrayOf({"b", "a"});
    Long left = 1;
    Long right = 3;
    try {
        clsSorter().dhQuickSortArray(array, left, right);
        FAIL() << "row 3 does not exist";
    } catch (const km::rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), 9);
    }
}

TEST(clsSorterArray, LargeOrderedReversedAndEqualInputsSort) {
    constexpr Long totalRows = 100000;
    for (int pattern = 0; pattern < 3; ++pattern) {
        SortTextArray array(1, totalRows, 2);
        for (Long row = 1; row <= totalRows; ++row) {
            char text[16];
            const Long key = pattern == 0 ? row : pattern == 1 ? totalRows - row : 7;
            std::snprintf(text, sizeof text, "%08d", static_cast<int>(key));
            array.Item(row, 1) = text;
            array.Item(row, 2) = std::to_string(row);
        }
        Long left = -2;
        Long right = -2;
        clsSorter().dhQuickSortArray(array, left, right);
        Names sorted = column(array, 1);
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end())) << "pattern " << pattern;
        Names rows = column(array, 2);
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(std::adjacent_find(rows.begin(), rows.end()), rows.end()) << "every row once";
    }
}

// ---- Symbols of a diagram ----

TEST_F(clsSorterTest, SymbolsOfATypeComeInNameOrder) {
    auto diagram = bench.createDiagram("Landscape");
    for (const char* name : {"Payroll", "ledger", "Billing", "Payroll"}) {
        bench.addSymbol(*diagram, name, 160);
    }
    bench.addSymbol(*diagram, "Another note", 1);
    auto sorted = sorter.SortSymbols(160, diagram);
    ASSERT_TRUE(sorted);
    EXPECT_EQ(texts(*sorted, [](km::host::ISymbol& symbol) { return symbol.Name(); }),
              (Names{"Billing", "Payroll", "Payroll", "ledger"}));
    auto empty = sorter.SortSymbols(818, diagram);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->count(), 0);
    EXPECT_FALSE(sorter.SortSymbols(160, nullptr));
}

} // namespace
