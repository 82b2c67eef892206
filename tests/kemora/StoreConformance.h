#pragma once
// The conformance suite every IStore implementation must pass. An implementation instantiates it
// with a factory type of its own:
//
//     struct MyStoreFactory {
//         std::unique_ptr<IStore> create();       // a new, empty store (once per test)
//         std::unique_ptr<IStore> connectAgain(); // another connection to that store, or nullptr
//     };
//     using MyStores = ::testing::Types<MyStoreFactory>;
//     INSTANTIATE_TYPED_TEST_SUITE_P(My, StoreConformanceTest, MyStores);
//
// Tests that need a second connection (snapshots, what other processes see) skip themselves
// when connectAgain answers nullptr.
#include "host/HostError.h"
#include "platform/kemora/storage/IStore.h"
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace km::kemora::conformance {

using host::HostError;
using host::HostErrorCode;

inline Long add(IStore& store, StoredClass cls, Long type, const std::string& name) {
    ObjectRow row;
    row.cls = cls;
    row.type = type;
    row.name = name;
    return inTransaction(store, [&] { return store.insertObject(row); });
}

inline Long addSymbol(IStore& store, Long diagram, const std::string& name, Geometry geometry, Long type = 2,
                      Long definition = 0) {
    SymbolRow row;
    row.object.type = type;
    row.object.name = name;
    row.object.diagram = diagram;
    row.object.definition = definition;
    row.geometry = geometry;
    return inTransaction(store, [&] { return store.insertSymbol(row); });
}

inline std::vector<Long> idsOf(const std::vector<SymbolRow>& rows) {
    std::vector<Long> ids;
    for (const SymbolRow& row : rows) {
        ids.push_back(row.object.id);
    }
    return ids;
}

/// Everything the store holds about \p ids (rows, properties, list "L", fields, hierarchy
/// parent, lock) and its files, as text: equal dumps, equal contents.
inline std::string dump(IStore& store, const std::vector<Long>& ids) {
    std::ostringstream out;
    for (const ObjectRow& row : store.objects(ids)) {
        out << row.id << ' ' << static_cast<int>(row.cls) << ' ' << row.type << " '" << row.name << "'\n";
        for (const auto& [name, value] : store.properties(row.id)) {
            out << "  " << name << '=' << value << '\n';
        }
        for (const RelatedRow& entry : store.listEntries(row.id, "L")) {
            out << "  L " << entry.sequence << ':' << entry.id << '\n';
        }
        for (const auto& [number, value] : store.fields(row.id)) {
            out << "  field " << number << '=' << value << '\n';
        }
        out << "  parent " << store.hierarchyParent(row.id).value_or(0) << " lock "
            << store.lockOwner(row.id).value_or("-") << '\n';
    }
    for (const std::string& name : store.fileNames()) {
        out << "file " << name << '=' << store.readFile(name).value_or("?") << '\n';
    }
    return out.str();
}

/// The error code of what \p call throws (0 when it throws nothing).
inline int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const HostError& error) {
        return error.number();
    }
    return 0;
}

inline int code(HostErrorCode value) {
    return static_cast<int>(value);
}

} // namespace km::kemora::conformance

namespace km::kemora {

template <class Factory> class StoreConformanceTest : public ::testing::Test {
protected:
    void SetUp() override { m_store = m_factory.create(); }
    IStore& store() { return *m_store; }
    /// A second connection to the store, or nullptr (the test then skips itself).
    std::unique_ptr<IStore> connectAgain() { return m_factory.connectAgain(); }

private:
    Factory m_factory;
    std::unique_ptr<IStore> m_store;
};

TYPED_TEST_SUITE_P(StoreConformanceTest);

TYPED_TEST_P(StoreConformanceTest, ObjectsAreStoredRenamedAndDeletedWithoutReusingIds) {
    using namespace conformance;
    IStore& store = this->store();
    Long app = add(store, StoredClass::Definition, 309, "Billing");
    Long diagram = add(store, StoredClass::Diagram, 131, "Landscape");
    ASSERT_TRUE(store.object(app));
    EXPECT_EQ(store.object(app)->cls, StoredClass::Definition);
    EXPECT_EQ(store.object(app)->type, 309);
    EXPECT_EQ(store.object(diagram)->name, "Landscape");
    std::vector<ObjectRow> rows = store.objects({diagram, diagram + 1000, app});
    ASSERT_EQ(rows.size(), 2u) << "missing ids are left out";
    EXPECT_EQ(rows[0].id, diagram);
    EXPECT_EQ(rows[1].id, app);
    EXPECT_EQ(store.countObjects(StoredClass::Definition), 1);
    EXPECT_EQ(store.countObjects(StoredClass::Diagram), 1);

    inTransaction(store, [&] { store.renameObject(app, "Billing Engine"); });
    EXPECT_EQ(store.object(app)->name, "Billing Engine");
    EXPECT_EQ(store.objectByName(StoredClass::Definition, 309, "BILLING engine"), app);
    EXPECT_FALSE(store.objectByName(StoredClass::Definition, 309, "Billing"));

    inTransaction(store, [&] { store.deleteObject(diagram); });
    EXPECT_FALSE(store.object(diagram));
    EXPECT_GT(add(store, StoredClass::Diagram, 131, "Landscape"), diagram) << "ids are never reused";
}

TYPED_TEST_P(StoreConformanceTest, DeletingAnObjectTakesEverythingOfItAlong) {
    using namespace conformance;
    IStore& store = this->store();
    Long app = add(store, StoredClass::Definition, 309, "Billing");
    Long service = add(store, StoredClass::Definition, 765, "Invoicing");
    Long parent = add(store, StoredClass::Definition, 309, "Finance");
    inTransaction(store, [&] {
        store.setProperty(service, "Description", "x");
        store.setListItems(app, "L", {service});
        store.setListItems(service, "L", {app});
        store.setHierarchyParent(service, parent, 0);
        store.lock(service, "pat@desk");
    });
    inTransaction(store, [&] { store.deleteObject(service); });
    EXPECT_FALSE(store.property(service, "Description"));
    EXPECT_TRUE(store.listItems(app, "L").empty()) << "the relation's far end goes too";
    EXPECT_TRUE(store.listOwners(app, "L").empty());
    EXPECT_TRUE(store.hierarchyChildren(parent).empty());
    EXPECT_FALSE(store.lockOwner(service));
}

TYPED_TEST_P(StoreConformanceTest, NamesAreUniquePerClassAndTypeWithoutRegardToCase) {
    using namespace conformance;
    IStore& store = this->store();
    Long beta = add(store, StoredClass::Definition, 309, "Beta");
    struct Case {
        StoredClass cls;
        Long type;
        std::string name;
        bool taken;
    };
    const Case cases[] = {
        {StoredClass::Definition, 309, "BETA", true},    {StoredClass::Definition, 309, "beta", true},
        {StoredClass::Definition, 309, "Beta 2", false}, {StoredClass::Definition, 765, "beta", false},
        {StoredClass::Diagram, 309, "Beta", false},
    };
    int attempt = 0;
    for (const Case& c : cases) {
        ObjectRow row;
        row.cls = c.cls;
        row.type = c.type;
        row.name = c.name;
        Transaction transaction(store);
        Long before = add(store, StoredClass::Definition, 1, "before " + std::to_string(++attempt));
        int error = errorOf([&] { store.insertObject(row); });
        EXPECT_EQ(error, c.taken ? code(HostErrorCode::DuplicateName) : 0) << c.name;
        transaction.commit();
        EXPECT_TRUE(store.object(before)) << "a refused insert leaves the transaction's earlier work: " << c.name;
    }
    Long other = add(store, StoredClass::Definition, 309, "Gamma");
    EXPECT_EQ(errorOf([&] { inTransaction(store, [&] { store.renameObject(other, "bETA"); }); }),
              code(HostErrorCode::DuplicateName));
    EXPECT_EQ(store.object(other)->name, "Gamma");
    inTransaction(store, [&] { store.renameObject(beta, "BETA"); });
    EXPECT_EQ(store.object(beta)->name, "BETA") << "an object may change the case of its own name";

    Long diagram = add(store, StoredClass::Diagram, 131, "D");
    addSymbol(store, diagram, "Same", {100, 50, 100, 50});
    EXPECT_EQ(errorOf([&] { addSymbol(store, diagram, "same", {100, 50, 100, 50}); }), 0) << "symbol names repeat";
}

TYPED_TEST_P(StoreConformanceTest, NamePatternsSelectAndOrderByName) {
    using namespace conformance;
    IStore& store = this->store();
    Long beta = add(store, StoredClass::Definition, 309, "Beta");
    Long alpha = add(store, StoredClass::Definition, 309, "alpha");
    Long other = add(store, StoredClass::Definition, 765, "beta");
    Long odd = add(store, StoredClass::Definition, 309, "What? [draft]");
    add(store, StoredClass::Diagram, 309, "Bravo");
    using Ids = std::vector<Long>;
    EXPECT_EQ(store.objectsOfType(StoredClass::Definition, 309, ""), (Ids{alpha, beta, odd}));
    EXPECT_EQ(store.objectsOfType(StoredClass::Definition, 0, "B*"), (Ids{beta, other}));
    EXPECT_EQ(store.objectsOfType(StoredClass::Definition, 0, "bETA"), (Ids{beta, other}));
    EXPECT_EQ(store.objectsOfType(StoredClass::Definition, 309, "what? [*"), Ids{odd}) << "only '*' is special";
    EXPECT_TRUE(store.objectsOfType(StoredClass::Definition, 309, "what?x*").empty());
}

TYPED_TEST_P(StoreConformanceTest, PropertiesAreSetReplacedAndCleared) {
    using namespace conformance;
    IStore& store = this->store();
    Long app = add(store, StoredClass::Definition, 309, "Billing");
    Long other = add(store, StoredClass::Definition, 309, "Payroll");
    std::string binary("a\0b\r\n", 5);
    inTransaction(store, [&] {
        store.setProperty(app, "Description", "first");
        store.setProperty(app, "Description", "second");
        store.setProperty(app, "Notes", binary);
        store.setProperty(other, "Description", "kept");
    });
    EXPECT_EQ(store.property(app, "Description"), "second");
    EXPECT_EQ(store.properties(app),
              (std::map<std::string, std::string>{{"Description", "second"}, {"Notes", binary}}));
    inTransaction(store, [&] {
        store.setProperty(app, "Description", "");
        store.setProperty(app, "Never Set", "");
    });
    EXPECT_FALSE(store.property(app, "Description")) << "an empty value removes the property";
    EXPECT_FALSE(store.property(app, "Never Set"));
    EXPECT_EQ(store.property(other, "Description"), "kept");
}

TYPED_TEST_P(StoreConformanceTest, ListsKeepTheirOrderAndPositionsFromBothEnds) {
    using namespace conformance;
    IStore& store = this->store();
    Long app = add(store, StoredClass::Definition, 309, "Billing");
    Long app2 = add(store, StoredClass::Definition, 309, "Payroll");
    Long s1 = add(store, StoredClass::Definition, 765, "S1"), s2 = add(store, StoredClass::Definition, 765, "S2");
    inTransaction(store, [&] {
        store.setListItems(app2, "Provides", {s2});
        store.setListItems(app, "Provides", {s2, s1, s2});
        store.setListItems(app, "Uses", {s1});
    });
    EXPECT_EQ(store.listItems(app, "Provides"), (std::vector<Long>{s2, s1, s2})) << "order and repeats kept";
    std::vector<RelatedRow> entries = store.listEntries(app, "Provides");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].sequence, 1);
    EXPECT_EQ(entries[2].sequence, 3);
    std::vector<RelatedRow> owners = store.listOwners(s2, "Provides");
    ASSERT_EQ(owners.size(), 3u) << "ordered by owner, then position";
    EXPECT_EQ((std::vector<Long>{owners[0].id, owners[0].sequence, owners[1].id, owners[1].sequence, owners[2].id,
                                 owners[2].sequence}),
              (std::vector<Long>{app, 1, app, 3, app2, 1}));
    EXPECT_TRUE(store.listItems(app, "Never Stored").empty());
    inTransaction(store, [&] { store.setListItems(app, "Provides", {s1}); });
    EXPECT_EQ(store.listItems(app, "Provides"), std::vector<Long>{s1}) << "a new list replaces the old";
    inTransaction(store, [&] { store.setListItems(app, "Provides", {}); });
    EXPECT_TRUE(store.listItems(app, "Provides").empty());
    EXPECT_EQ(store.listItems(app, "Uses"), std::vector<Long>{s1}) << "other lists stay";
}

TYPED_TEST_P(StoreConformanceTest, HierarchyChildrenKeepTheirOrder) {
    using namespace conformance;
    IStore& store = this->store();
    Long p = add(store, StoredClass::Definition, 309, "p"), q = add(store, StoredClass::Definition, 309, "q");
    Long a = add(store, StoredClass::Definition, 309, "a"), b = add(store, StoredClass::Definition, 309, "b"),
         c = add(store, StoredClass::Definition, 309, "c");
    using Ids = std::vector<Long>;
    inTransaction(store, [&] {
        store.setHierarchyParent(a, p, 0);
        store.setHierarchyParent(b, p, a);
        store.setHierarchyParent(c, p, 0);
    });
    EXPECT_EQ(store.hierarchyChildren(p), (Ids{c, a, b}));
    inTransaction(store, [&] { store.setHierarchyParent(c, p, b); });
    EXPECT_EQ(store.hierarchyChildren(p), (Ids{a, b, c}));
    inTransaction(store, [&] { store.setHierarchyParent(a, p, q); });
    EXPECT_EQ(store.hierarchyChildren(p), (Ids{b, c, a})) << "after an id that is no child: last";
    inTransaction(store, [&] { store.setHierarchyParent(b, q, 0); });
    EXPECT_EQ(store.hierarchyChildren(p), (Ids{c, a})) << "a child has one parent";
    EXPECT_EQ(store.hierarchyParent(b), q);
    EXPECT_FALSE(store.hierarchyParent(p));
}

TYPED_TEST_P(StoreConformanceTest, SymbolsKeepTheirRowsAndFields) {
    using namespace conformance;
    IStore& store = this->store();
    Long app = add(store, StoredClass::Definition, 309, "Billing");
    Long d = add(store, StoredClass::Diagram, 131, "D"), other = add(store, StoredClass::Diagram, 131, "E");
    Long text = addSymbol(store, d, "Note", {60, 12, 60, 12}, 1);
    Long billing = addSymbol(store, d, "Billing", {300, 150, 100, 50}, 2, app);
    Long elsewhere = addSymbol(store, other, "Billing", {300, 150, 100, 50}, 2, app);
    std::optional<SymbolRow> row = store.symbol(billing);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->object.cls, StoredClass::Symbol);
    EXPECT_EQ(row->object.diagram, d);
    EXPECT_EQ(row->object.definition, app);
    EXPECT_EQ(row->geometry.xpos, 300);
    EXPECT_EQ(row->geometry.ysize, 50);
    EXPECT_EQ(row->fillColor, 16777215);
    EXPECT_FALSE(row->selected);
    EXPECT_FALSE(store.symbol(app)) << "a definition is no symbol";

    row->geometry = {400, 250, 120, 60};
    row->fillColor = 255;
    row->selected = true;
    row->object.name = "Billing Engine";
    inTransaction(store, [&] {
        store.updateSymbol(*row);
        store.setField(billing, 21, "100 50");
        store.setField(billing, 15, "0x0064");
        store.setField(billing, 21, "120 60");
    });
    std::optional<SymbolRow> updated = store.symbol(billing);
    EXPECT_EQ(updated->geometry.left(), 280);
    EXPECT_EQ(updated->fillColor, 255);
    EXPECT_TRUE(updated->selected);
    EXPECT_EQ(updated->object.name, "Billing Engine");
    EXPECT_EQ(store.field(billing, 21), "120 60");
    EXPECT_FALSE(store.field(billing, 99));
    EXPECT_EQ(store.fields(billing), (std::map<Long, std::string>{{15, "0x0064"}, {21, "120 60"}}));

    using Ids = std::vector<Long>;
    EXPECT_EQ(store.symbolsOfDiagram(d), (Ids{text, billing}));
    EXPECT_EQ(store.symbolsOfDiagram(d, 1), Ids{text});
    EXPECT_EQ(store.symbolsOfDiagram(d, 0, "BILLING engine"), Ids{billing});
    EXPECT_EQ(store.symbolsOfDefinition(app), (Ids{billing, elsewhere}));
}

TYPED_TEST_P(StoreConformanceTest, SpatialQueriesFindSymbolsWithinAndAroundOnOneDiagram) {
    using namespace conformance;
    IStore& store = this->store();
    Long d = add(store, StoredClass::Diagram, 131, "D"), other = add(store, StoredClass::Diagram, 131, "E");
    Long outer = addSymbol(store, d, "outer", {200, 200, 200, 200});
    Long inner = addSymbol(store, d, "inner", {150, 150, 50, 50});
    Long corner = addSymbol(store, d, "on the edge", {200, 200, 10, 10});
    Long flipped = addSymbol(store, d, "negative size", {50, 50, -20, -20}); // spans 50..70
    Long across = addSymbol(store, d, "across the edge", {250, 100, 100, 10});
    addSymbol(store, other, "other diagram", {150, 150, 50, 50});
    using Ids = std::vector<Long>;
    struct Case {
        const char* what;
        bool within;
        Geometry area;
        Ids expected;
    };
    const Case cases[] = {
        {"within the outer", true, {200, 200, 200, 200}, {outer, inner, corner, flipped}},
        {"within, corners given the other way round", true, {0, 0, -200, -200}, {outer, inner, corner, flipped}},
        {"within the inner", true, {150, 150, 50, 50}, {inner}},
        {"within nothing", true, {1000, 1000, 10, 10}, {}},
        {"containing the inner", false, {150, 150, 50, 50}, {outer, inner}},
        {"containing a point of the flipped", false, {60, 60, 0, 0}, {outer, flipped}},
    };
    for (const Case& c : cases) {
        std::vector<SymbolRow> rows = c.within ? store.symbolsWithin(d, c.area) : store.symbolsContaining(d, c.area);
        EXPECT_EQ(idsOf(rows), c.expected) << c.what;
    }
    std::optional<SymbolRow> moved = store.symbol(inner);
    moved->geometry = {900, 900, 50, 50};
    inTransaction(store, [&] { store.updateSymbol(*moved); });
    EXPECT_EQ(idsOf(store.symbolsWithin(d, {200, 200, 200, 200})), (Ids{outer, corner, flipped})) << "moved out";
    inTransaction(store, [&] { store.deleteObject(corner); });
    EXPECT_EQ(idsOf(store.symbolsWithin(d, {200, 200, 200, 200})), (Ids{outer, flipped})) << "deleted";
    inTransaction(store, [&] { store.deleteObject(d); });
    EXPECT_FALSE(store.symbol(across)) << "a diagram's symbols go with it";
    EXPECT_TRUE(store.symbolsWithin(d, {5000, 5000, 5000, 5000}).empty());
}

TYPED_TEST_P(StoreConformanceTest, FilesArePutReadReplacedAndDeleted) {
    using namespace conformance;
    IStore& store = this->store();
    std::string binary("\x89PNG\0\r\n", 7);
    inTransaction(store, [&] {
        store.writeFile("kmprops.cfg", "first");
        store.writeFile("KMPROPS.CFG", "second");
        store.writeFile("images\\logo.png", binary);
        store.writeFile("Bravo.txt", "");
    });
    EXPECT_TRUE(store.fileExists("KmProps.cfg"));
    EXPECT_EQ(store.readFile("kmprops.CFG"), "second") << "names without regard to case; writing replaces";
    EXPECT_EQ(store.readFile("images\\logo.png"), binary);
    EXPECT_EQ(store.readFile("bravo.txt"), "") << "an empty file exists";
    EXPECT_EQ(store.fileNames().size(), 3u);
    EXPECT_EQ(store.fileNames()[0], "Bravo.txt") << "ordered without regard to case";
    inTransaction(store, [&] {
        store.deleteFile("IMAGES\\LOGO.PNG");
        store.deleteFile("missing.txt");
    });
    EXPECT_FALSE(store.fileExists("images\\logo.png"));
    EXPECT_FALSE(store.readFile("images\\logo.png"));
}

TYPED_TEST_P(StoreConformanceTest, LocksAreTakenRefusedForAnotherOwnerAndCleared) {
    using namespace conformance;
    IStore& store = this->store();
    Long app = add(store, StoredClass::Definition, 309, "Billing");
    Long other = add(store, StoredClass::Definition, 309, "Payroll");
    EXPECT_FALSE(store.lockOwner(app));
    inTransaction(store, [&] { store.lock(app, "pat@desk"); });
    EXPECT_EQ(store.lockOwner(app), "pat@desk");
    EXPECT_EQ(errorOf([&] { inTransaction(store, [&] { store.lock(app, "pat@desk"); }); }), 0) << "again: fine";
    EXPECT_EQ(errorOf([&] { inTransaction(store, [&] { store.lock(app, "sam@home"); }); }),
              code(HostErrorCode::Locked));
    EXPECT_EQ(store.lockOwner(app), "pat@desk") << "a refused lock leaves the holder";
    EXPECT_FALSE(store.lockOwner(other));
    inTransaction(store, [&] { store.unlock(app); });
    EXPECT_FALSE(store.lockOwner(app));
    inTransaction(store, [&] { store.lock(app, "sam@home"); });
    EXPECT_EQ(store.lockOwner(app), "sam@home");
}

TYPED_TEST_P(StoreConformanceTest, CommitKeepsAndRollbackLeavesNothing) {
    using namespace conformance;
    IStore& store = this->store();
    Long app = add(store, StoredClass::Definition, 309, "Billing");
    Long d = add(store, StoredClass::Diagram, 131, "D");
    std::string before = dump(store, {app, d});
    EXPECT_FALSE(store.inTransaction());
    auto work = [&] {
        Long service = store.insertObject({0, StoredClass::Definition, 765, "Invoicing", 0, 0});
        store.setProperty(app, "Description", "changed");
        store.setListItems(app, "L", {service});
        store.setHierarchyParent(service, app, 0);
        store.renameObject(app, "Billing Engine");
        store.writeFile("new.txt", "x");
        store.lock(app, "pat@desk");
        SymbolRow symbol;
        symbol.object.type = 2;
        symbol.object.diagram = d;
        Long id = store.insertSymbol(symbol);
        store.setField(id, 21, "1 1");
        return service;
    };
    store.begin();
    EXPECT_TRUE(store.inTransaction());
    Long service = work();
    store.rollback();
    EXPECT_FALSE(store.inTransaction());
    EXPECT_EQ(dump(store, {app, d, service}), before);
    EXPECT_TRUE(store.symbolsOfDiagram(d).empty());
    EXPECT_FALSE(store.objectByName(StoredClass::Definition, 765, "Invoicing"));

    service = inTransaction(store, work);
    EXPECT_NE(dump(store, {app, d, service}), before);
    EXPECT_EQ(store.listItems(app, "L"), std::vector<Long>{service});
    EXPECT_EQ(store.symbolsOfDiagram(d).size(), 1u);

    {
        Transaction outer(store);
        Long kept = store.insertObject({0, StoredClass::Definition, 309, "Kept", 0, 0});
        {
            Transaction inner(store);
            store.insertObject({0, StoredClass::Definition, 309, "Dropped", 0, 0});
        }
        EXPECT_TRUE(store.inTransaction()) << "the outer transaction stays open";
        outer.commit();
        EXPECT_TRUE(store.object(kept));
    }
    EXPECT_FALSE(store.objectByName(StoredClass::Definition, 309, "Dropped")) << "a nested rollback drops its own";
    EXPECT_EQ(errorOf([&] { store.commit(); }), code(HostErrorCode::Storage)) << "commit without a transaction";
    EXPECT_EQ(errorOf([&] { store.rollback(); }), 0) << "rollback without one does nothing";
}

TYPED_TEST_P(StoreConformanceTest, EveryMutationOutsideATransactionIsRefusedAndChangesNothing) {
    using namespace conformance;
    IStore& store = this->store();
    Long app = add(store, StoredClass::Definition, 309, "Billing");
    Long d = add(store, StoredClass::Diagram, 131, "D");
    Long symbol = addSymbol(store, d, "S", {100, 50, 100, 50});
    inTransaction(store, [&] {
        store.setListItems(app, "L", {d});
        store.lock(symbol, "pat@desk");
        store.writeFile("a.txt", "a");
    });
    SymbolRow row = *store.symbol(symbol);
    row.geometry.xpos = 500;
    ObjectRow newObject{0, StoredClass::Definition, 309, "New", 0, 0};
    const std::vector<std::pair<const char*, std::function<void()>>> mutations = {
        {"insertObject", [&] { store.insertObject(newObject); }},
        {"renameObject", [&] { store.renameObject(app, "Renamed"); }},
        {"deleteObject", [&] { store.deleteObject(app); }},
        {"setProperty", [&] { store.setProperty(app, "Description", "x"); }},
        {"setProperty (clearing)", [&] { store.setProperty(app, "Description", ""); }},
        {"setListItems", [&] { store.setListItems(app, "L", {}); }},
        {"setHierarchyParent", [&] { store.setHierarchyParent(d, app, 0); }},
        {"insertSymbol", [&] { store.insertSymbol(row); }},
        {"updateSymbol", [&] { store.updateSymbol(row); }},
        {"setField", [&] { store.setField(symbol, 21, "1 1"); }},
        {"writeFile", [&] { store.writeFile("b.txt", "b"); }},
        {"deleteFile", [&] { store.deleteFile("a.txt"); }},
        {"lock", [&] { store.lock(app, "pat@desk"); }},
        {"unlock", [&] { store.unlock(symbol); }},
    };
    std::string before = dump(store, {app, d, symbol, symbol + 1});
    for (const auto& [name, mutation] : mutations) {
        for (bool inSnapshot : {false, true}) {
            std::optional<ReadSnapshot> snapshot;
            if (inSnapshot) {
                snapshot.emplace(store);
            }
            try {
                mutation();
                ADD_FAILURE() << name << " accepted outside a transaction";
            } catch (const StorageError& error) {
                EXPECT_EQ(error.failure(), StorageFailure::OutsideTransaction) << name << ": " << error.what();
            }
        }
        EXPECT_EQ(dump(store, {app, d, symbol, symbol + 1}), before) << name;
        EXPECT_EQ(store.symbolsOfDiagram(d).size(), 1u) << name;
    }
}

TYPED_TEST_P(StoreConformanceTest, ASnapshotInsideATransactionOnlyCounts) {
    using namespace conformance;
    IStore& store = this->store();
    Transaction transaction(store);
    Long app = store.insertObject({0, StoredClass::Definition, 309, "Billing", 0, 0});
    {
        ReadSnapshot snapshot(store);
        EXPECT_TRUE(store.object(app)) << "a snapshot sees its own connection's transaction";
        store.setProperty(app, "Description", "x");
    }
    EXPECT_TRUE(store.inTransaction());
    transaction.commit();
    EXPECT_EQ(store.property(app, "Description"), "x");
}

TYPED_TEST_P(StoreConformanceTest, OtherConnectionsSeeCommittedWorkAndSnapshotsSeeOneState) {
    using namespace conformance;
    std::unique_ptr<IStore> writer = this->connectAgain();
    if (!writer) {
        GTEST_SKIP() << "this store has one connection only";
    }
    IStore& reader = this->store();
    add(*writer, StoredClass::Definition, 309, "Before");
    EXPECT_TRUE(reader.objectByName(StoredClass::Definition, 309, "before")) << "committed work is seen";
    {
        Transaction open(*writer);
        writer->insertObject({0, StoredClass::Definition, 309, "Uncommitted", 0, 0});
        EXPECT_EQ(reader.countObjects(StoredClass::Definition), 1) << "uncommitted work is not";
    }
    {
        ReadSnapshot snapshot(reader);
        EXPECT_EQ(reader.countObjects(StoredClass::Definition), 1);
        add(*writer, StoredClass::Definition, 309, "During"); // a snapshot holds no writer back
        EXPECT_EQ(reader.countObjects(StoredClass::Definition), 1) << "one committed state for the whole snapshot";
    }
    EXPECT_EQ(reader.countObjects(StoredClass::Definition), 2);
}

REGISTER_TYPED_TEST_SUITE_P(StoreConformanceTest, ObjectsAreStoredRenamedAndDeletedWithoutReusingIds,
                            DeletingAnObjectTakesEverythingOfItAlong, NamesAreUniquePerClassAndTypeWithoutRegardToCase,
                            NamePatternsSelectAndOrderByName, PropertiesAreSetReplacedAndCleared,
                            ListsKeepTheirOrderAndPositionsFromBothEnds, HierarchyChildrenKeepTheirOrder,
                            SymbolsKeepTheirRowsAndFields, SpatialQueriesFindSymbolsWithinAndAroundOnOneDiagram,
                            FilesArePutReadReplacedAndDeleted, LocksAreTakenRefusedForAnotherOwnerAndCleared,
                            CommitKeepsAndRollbackLeavesNothing,
                            EveryMutationOutsideATransactionIsRefusedAndChangesNothing,
                            ASnapshotInsideATransactionOnlyCounts,
                            OtherConnectionsSeeCommittedWorkAndSnapshotsSeeOneState);

} // namespace km::kemora
