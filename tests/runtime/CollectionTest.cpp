#include "platform/runtime/Collection.h"
#include "support/ExpectError.h"
#include <gtest/gtest.h>
#include <memory>

using namespace km::rt;
using km::test::expectError;

namespace {

std::vector<std::string> itemsOf(const Collection<std::string>& collection) {
    return std::vector<std::string>(collection.begin(), collection.end());
}
} // namespace

TEST(CollectionTest, AddsInOrderAndFindsByPositionAndKey) {
    Collection<std::string> collection;
    EXPECT_EQ(collection.count(), 0);
    collection.Add("one", "k1");
    collection.Add("two");
    collection.Add("three", "k3");
    EXPECT_EQ(collection.count(), 3);
    EXPECT_EQ(collection.Item(1), "one");
    EXPECT_EQ(collection.Item(2), "two");
    EXPECT_EQ(collection.Item("k3"), "three");
    EXPECT_EQ(collection.keyAt(2), "");
    EXPECT_EQ(collection.keyAt(3), "k3");
    EXPECT_EQ(itemsOf(collection), (std::vector<std::string>{"one", "two", "three"}));
    collection.Item("k1") = "uno";
    EXPECT_EQ(collection.Item(1), "uno");
}

TEST(CollectionTest, KeysCompareWithoutRegardToCase) {
    Collection<int> collection;
    collection.Add(1, "Straße");
    collection.Add(2, "Élan");
    EXPECT_EQ(collection.Item("STRAßE"), 1);
    EXPECT_EQ(collection.Item("élan"), 2);
    EXPECT_TRUE(collection.contains("ÉLAN"));
    EXPECT_EQ(collection.keyAt(2), "Élan"); // the key as given
    expectError(457, [&] { collection.Add(3, "éLAN"); });
    EXPECT_EQ(collection.count(), 2); // the refused item was not added
}

TEST(CollectionTest, InsertsBeforeAndAfterPositions) {
    Collection<std::string> collection;
    collection.Add("b");
    collection.Add("d");
    collection.Add("a", "ka", 1);
    collection.Add("c", "", 0, 2);
    collection.Add("e", "", 0, 4);
    EXPECT_EQ(itemsOf(collection), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(collection.Item("ka"), "a");
    collection.Add("x", "", 5);
    EXPECT_EQ(collection.Item(5), "x");
    EXPECT_EQ(collection.Item(6), "e");
}

TEST(CollectionTest, BadInsertionPositionsAreRefused) {
    Collection<int> collection;
    expectError(5, [&] { collection.Add(1, "", 1); }); // nothing to insert before yet
    collection.Add(1);
    expectError(5, [&] { collection.Add(2, "", 2); });
    expectError(5, [&] { collection.Add(2, "", 0, 2); });
    expectError(5, [&] { collection.Add(2, "", -1); });
    expectError(5, [&] { collection.Add(2, "", 1, 1); });
    expectError(5, [&] { collection.Add(2, "k", 7); });
    EXPECT_EQ(collection.count(), 1);
    EXPECT_FALSE(collection.contains("k")); // a refused insertion keeps no key
}

TEST(CollectionTest, MissingKeysAndBadIndexes) {
    Collection<int> collection;
    collection.Add(10, "a");
    expectError(5, [&] { collection.Item("missing"); });
    expectError(5, [&] { collection.Item(""); });
    expectError(5, [&] { collection.Remove("missing"); });
    expectError(9, [&] { collection.Item(0); });
    expectError(9, [&] { collection.Item(2); });
    expectError(9, [&] { collection.Remove(2); });
    expectError(9, [&] { collection.keyAt(-1); });
    EXPECT_EQ(collection.find("missing"), nullptr);
    EXPECT_EQ(collection.find(""), nullptr);
    ASSERT_NE(collection.find("A"), nullptr);
    EXPECT_EQ(*collection.find("A"), 10);
}

TEST(CollectionTest, RemoveShiftsPositionsAndFreesTheKey) {
    Collection<std::string> collection;
    collection.Add("a", "ka");
    collection.Add("b", "kb");
    collection.Add("c", "kc");
    collection.Remove(1);
    EXPECT_EQ(collection.Item(1), "b");
    EXPECT_FALSE(collection.contains("ka"));
    collection.Remove("KC");
    EXPECT_EQ(collection.count(), 1);
    EXPECT_EQ(collection.Item("kb"), "b");
    collection.Add("a again", "ka");
    collection.Add("c again", "kc", 1);
    EXPECT_EQ(itemsOf(collection), (std::vector<std::string>{"c again", "b", "a again"}));
    EXPECT_EQ(collection.indexOf("KA"), 3);
    EXPECT_EQ(collection.indexOf("kb"), 2);
    EXPECT_EQ(collection.indexOf("gone"), 0);
    collection.clear();
    EXPECT_EQ(collection.count(), 0);
    EXPECT_FALSE(collection.contains("kb"));
}

TEST(CollectionTest, CopiesAreIndependent) {
    Collection<std::string> original;
    original.Add("a", "ka");
    Collection<std::string> copy = original;
    copy.Item("ka") = "changed";
    copy.Add("b", "kb");
    EXPECT_EQ(original.Item("ka"), "a");
    EXPECT_FALSE(original.contains("kb"));
    Collection<std::string> moved = std::move(copy);
    EXPECT_EQ(moved.Item("KA"), "changed");
}

TEST(CollectionTest, HoldsSharedObjectsAndStaysConsistentWhenLarge) {
    Collection<std::shared_ptr<int>> collection;
    for (int i = 0; i < 20000; ++i) {
        collection.Add(std::make_shared<int>(i), "Key" + std::to_string(i));
    }
    for (int i = 0; i < 20000; i += 2) {
        collection.Remove("KEY" + std::to_string(i));
    }
    EXPECT_EQ(collection.count(), 10000);
    EXPECT_EQ(*collection.Item(1), 1);
    EXPECT_EQ(*collection.Item("key19999"), 19999);
    EXPECT_EQ(collection.keyAt(10000), "Key19999");
    EXPECT_EQ(collection.indexOf("key10001"), 5001);
    collection.Add(std::make_shared<int>(-1), "front", 1);
    EXPECT_EQ(collection.indexOf("key10001"), 5002);
    collection.Remove("front");
    int expected = 1;
    for (const auto& item : collection) {
        EXPECT_EQ(*item, expected);
        expected += 2;
    }
}
