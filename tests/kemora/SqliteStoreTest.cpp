#include "platform/kemora/storage/SqliteStore.h"
#include "host/HostError.h"
#include "platform/kemora/storage/SqliteErrors.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace km::kemora;
using km::host::HostError;
using km::host::HostErrorCode;

namespace {

ObjectRow definitionRow(Long type, const std::string& name) {
    ObjectRow row;
    row.cls = StoredClass::Definition;
    row.type = type;
    row.name = name;
    return row;
}

Long addDefinition(IStore& store, Long type, const std::string& name) {
    Transaction transaction(store);
    Long id = store.insertObject(definitionRow(type, name));
    transaction.commit();
    return id;
}

} // namespace

TEST(SqliteStoreTest, RoundTripSurvivesReopening) {
    km::test::TempFolder folder;
    std::string path = folder.file("team.kmdb");
    Long app = 0, service = 0;
    {
        SqliteStore store(path, OpenMode::Create);
        EXPECT_TRUE(store.created());
        Transaction transaction(store);
        app = store.insertObject(definitionRow(309, "Billing"));
        service = store.insertObject(definitionRow(765, "Invoicing"));
        store.setProperty(app, "Commission Date", "20240101");
        store.setListItems(app, "Provides Services", {service});
        store.writeFile("kmprops.cfg", std::string("a\0b", 3));
        transaction.commit();
    }
    SqliteStore store(path, OpenMode::Open);
    EXPECT_FALSE(store.created());
    ASSERT_TRUE(store.object(app));
    EXPECT_EQ(store.object(app)->name, "Billing");
    EXPECT_EQ(store.property(app, "Commission Date"), "20240101");
    EXPECT_EQ(store.listItems(app, "Provides Services"), std::vector<Long>{service});
    ASSERT_EQ(store.listOwners(service, "Provides Services").size(), 1u);
    EXPECT_EQ(store.listOwners(service, "Provides Services")[0].id, app);
    EXPECT_EQ(store.readFile("KMPROPS.CFG"), std::string("a\0b", 3)) << "file names ignore case, content is binary";
}

TEST(SqliteStoreTest, RefusesMissingForeignAndExistingFiles) {
    km::test::TempFolder folder;
    EXPECT_THROW(SqliteStore(folder.file("missing.kmdb"), OpenMode::Open), HostError);
    std::string junk = folder.write("junk.kmdb", "this is not a database at all, just text");
    EXPECT_THROW(SqliteStore(junk, OpenMode::Open), HostError);
    std::string existing = folder.file("x.kmdb");
    { SqliteStore store(existing, OpenMode::Create); }
    EXPECT_THROW(SqliteStore(existing, OpenMode::Create), HostError) << "never overwrite an encyclopedia";
}

TEST(SqliteStoreTest, FailedTransactionLeavesTheFileAsBefore) {
    km::test::TempFolder folder;
    std::string path = folder.file("team.kmdb");
    Long app = 0;
    {
        SqliteStore store(path, OpenMode::Create);
        app = addDefinition(store, 309, "Billing");
        Transaction transaction(store);
        store.setProperty(app, "Description", "before");
        transaction.commit();
    }
    {
        SqliteStore store(path, OpenMode::Open);
        try {
            Transaction transaction(store);
            store.setProperty(app, "Description", "after");
            store.insertObject(definitionRow(309, "Payroll"));
            store.insertObject(definitionRow(309, "BILLING")); // duplicate name: fails
            transaction.commit();
            FAIL() << "duplicate accepted";
        } catch (const HostError& error) {
            EXPECT_EQ(error.code(), HostErrorCode::DuplicateName);
        }
    }
    SqliteStore store(path, OpenMode::Open);
    EXPECT_EQ(store.property(app, "Description"), "before");
    EXPECT_FALSE(store.objectByName(StoredClass::Definition, 309, "Payroll"));
    EXPECT_EQ(store.countObjects(StoredClass::Definition), 1);
}

TEST(SqliteStoreTest, NestedTransactionsRollBackOnlyTheirOwnWork) {
    SqliteStore store(":memory:", OpenMode::Create);
    Transaction outer(store);
    Long kept = store.insertObject(definitionRow(309, "Kept"));
    {
        Transaction inner(store);
        store.insertObject(definitionRow(309, "Dropped"));
    } // rolled back
    outer.commit();
    EXPECT_TRUE(store.object(kept));
    EXPECT_FALSE(store.objectByName(StoredClass::Definition, 309, "Dropped"));
}

TEST(SqliteStoreTest, NamesAreUniquePerTypeWithoutRegardToCaseAndFilterable) {
    SqliteStore store(":memory:", OpenMode::Create);
    Long a = addDefinition(store, 309, "Beta");
    Long b = addDefinition(store, 309, "alpha");
    Long c = addDefinition(store, 765, "beta"); // another type: allowed
    EXPECT_THROW(addDefinition(store, 309, "BETA"), HostError);
    EXPECT_EQ(store.objectByName(StoredClass::Definition, 309, "bEtA"), a);
    EXPECT_EQ(store.objectsOfType(StoredClass::Definition, 309, ""), (std::vector<Long>{b, a}));
    EXPECT_EQ(store.objectsOfType(StoredClass::Definition, 0, "b*"), (std::vector<Long>{a, c}));
    Long odd = addDefinition(store, 309, "What? [draft]");
    EXPECT_EQ(store.objectsOfType(StoredClass::Definition, 309, "what? [*"), std::vector<Long>{odd})
        << "glob specials in names match literally";
}

TEST(SqliteStoreTest, DeletingAnObjectRemovesItsPropertiesListsAndBothRelationEnds) {
    SqliteStore store(":memory:", OpenMode::Create);
    Long app = addDefinition(store, 309, "Billing");
    Long s1 = addDefinition(store, 765, "S1"), s2 = addDefinition(store, 765, "S2");
    inTransaction(store, [&] {
        store.setListItems(app, "Provides Services", {s1, s2});
        store.setProperty(s1, "Description", "x");
        store.deleteObject(s1);
    });
    EXPECT_EQ(store.listItems(app, "Provides Services"), std::vector<Long>{s2});
    EXPECT_FALSE(store.property(s1, "Description"));
    inTransaction(store, [&] { store.deleteObject(app); });
    EXPECT_TRUE(store.listOwners(s2, "Provides Services").empty());
}

TEST(SqliteStoreTest, LocksAreRecordedPerObject) {
    SqliteStore store(":memory:", OpenMode::Create);
    Long app = addDefinition(store, 309, "Billing");
    EXPECT_FALSE(store.lockOwner(app));
    inTransaction(store, [&] { store.lock(app, "pat@desk"); });
    EXPECT_EQ(store.lockOwner(app), "pat@desk");
    inTransaction(store, [&] { store.unlock(app); });
    EXPECT_FALSE(store.lockOwner(app));
}

TEST(SqliteStoreTest, SpatialQueriesFindSymbolsWithinAndAround) {
    SqliteStore store(":memory:", OpenMode::Create);
    Transaction transaction(store);
    ObjectRow diagram = definitionRow(131, "D");
    diagram.cls = StoredClass::Diagram;
    Long d = store.insertObject(diagram);
    auto add = [&](const std::string& name, Geometry g) {
        SymbolRow row;
        row.object.type = 2;
        row.object.name = name;
        row.object.diagram = d;
        row.geometry = g;
        return store.insertSymbol(row);
    };
    Long outer = add("outer", {200, 200, 200, 200});
    Long inner = add("inner", {150, 150, 50, 50});
    Long apart = add("apart", {500, 500, 10, 10});
    transaction.commit();
    auto ids = [](const std::vector<SymbolRow>& rows) {
        std::vector<Long> out;
        for (const auto& r : rows) {
            out.push_back(r.object.id);
        }
        return out;
    };
    EXPECT_EQ(ids(store.symbolsWithin(d, {200, 200, 200, 200})), (std::vector<Long>{outer, inner}));
    EXPECT_EQ(ids(store.symbolsContaining(d, {150, 150, 50, 50})), (std::vector<Long>{outer, inner}));
    inTransaction(store, [&] { store.deleteObject(d); });
    EXPECT_FALSE(store.symbol(apart)) << "a diagram's symbols go with it";
    EXPECT_TRUE(store.symbolsWithin(d, {1000, 1000, 1000, 1000}).empty()) << "and leave the spatial index";
}

TEST(SqliteStoreTest, HierarchyChildrenKeepTheirOrder) {
    SqliteStore store(":memory:", OpenMode::Create);
    Long p = addDefinition(store, 309, "p"), a = addDefinition(store, 309, "a"), b = addDefinition(store, 309, "b"),
         c = addDefinition(store, 309, "c");
    inTransaction(store, [&] {
        store.setHierarchyParent(a, p, 0);
        store.setHierarchyParent(b, p, a);
        store.setHierarchyParent(c, p, 0); // first
    });
    EXPECT_EQ(store.hierarchyChildren(p), (std::vector<Long>{c, a, b}));
    inTransaction(store, [&] { store.setHierarchyParent(c, p, b); }); // moved to the end
    EXPECT_EQ(store.hierarchyChildren(p), (std::vector<Long>{a, b, c}));
    EXPECT_EQ(store.hierarchyParent(c), p);
}

TEST(SqliteStoreTest, TwoProcessesWritingOneFileLoseNothing) {
    km::test::TempFolder folder;
    std::string path = folder.file("shared.kmdb");
    { SqliteStore store(path, OpenMode::Create); }
    constexpr int perProcess = 200;
    pid_t child = fork();
    ASSERT_NE(child, -1);
    bool isChild = child == 0;
    {
        SqliteStore store(path, OpenMode::Open);
        for (int i = 0; i < perProcess; ++i) {
            addDefinition(store, 309, (isChild ? "child " : "parent ") + std::to_string(i));
        }
    }
    if (isChild) {
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    SqliteStore store(path, OpenMode::Open);
    EXPECT_EQ(store.countObjects(StoredClass::Definition), 2 * perProcess);
}

TEST(SqliteStoreTest, ReadSnapshotsSeeOneStateAndDoNotHoldWritersBack) {
    km::test::TempFolder folder;
    std::string path = folder.file("shared.kmdb");
    SqliteStore reader(path, OpenMode::Create);
    SqliteStore writer(path, OpenMode::Open);
    addDefinition(reader, 309, "Before");
    {
        ReadSnapshot snapshot(reader);
        EXPECT_EQ(reader.countObjects(StoredClass::Definition), 1);
        addDefinition(writer, 309, "During"); // would wait 10 s and fail if the snapshot held the write lock
        EXPECT_EQ(reader.countObjects(StoredClass::Definition), 1) << "one committed state for the whole snapshot";
    }
    EXPECT_EQ(reader.countObjects(StoredClass::Definition), 2);
}

TEST(SqliteStoreTest, ResultCodesTranslateToTheKindOfFailure) {
    const std::pair<int, StorageFailure> cases[] = {
        {SQLITE_CONSTRAINT_UNIQUE, StorageFailure::UniqueViolation},
        {SQLITE_CONSTRAINT_PRIMARYKEY, StorageFailure::UniqueViolation},
        {SQLITE_CONSTRAINT_FOREIGNKEY, StorageFailure::Other},
        {SQLITE_CONSTRAINT_NOTNULL, StorageFailure::Other},
        {SQLITE_BUSY, StorageFailure::Busy},
        {SQLITE_BUSY_SNAPSHOT, StorageFailure::Busy},
        {SQLITE_ERROR, StorageFailure::Other},
    };
    for (const auto& [code, failure] : cases) {
        EXPECT_EQ(sqliteFailure(code), failure) << code;
    }
}

TEST(SqliteStoreTest, StorageErrorsCarryTheDriversCode) {
    Database db(":memory:", false);
    db.exec("CREATE TABLE t(x INTEGER UNIQUE, y INTEGER NOT NULL)");
    db.prepare("INSERT INTO t(x, y) VALUES (1, 1)").run();
    struct Case {
        const char* sql;
        int code;
    };
    const Case cases[] = {
        {"INSERT INTO t(x, y) VALUES (1, 2)", SQLITE_CONSTRAINT_UNIQUE},
        {"INSERT INTO t(x, y) VALUES (2, NULL)", SQLITE_CONSTRAINT_NOTNULL},
    };
    for (const Case& c : cases) {
        for (bool prepared : {true, false}) {
            try {
                prepared ? db.prepare(c.sql).run() : db.exec(c.sql);
                ADD_FAILURE() << c.sql;
            } catch (const StorageError& error) {
                EXPECT_EQ(error.driverCode(), c.code) << c.sql;
                EXPECT_EQ(error.isUniqueViolation(), c.code == SQLITE_CONSTRAINT_UNIQUE) << c.sql;
                EXPECT_EQ(error.code(), HostErrorCode::Storage);
            }
        }
    }
}

TEST(SqliteStoreTest, HierarchyPositionsAreIntegersAndOlderRealPositionsStillWork) {
    km::test::TempFolder folder;
    std::string path = folder.file("older.kmdb");
    Long p = 0, a = 0, b = 0, c = 0;
    {
        SqliteStore store(path, OpenMode::Create);
        p = addDefinition(store, 309, "p"), a = addDefinition(store, 309, "a"), b = addDefinition(store, 309, "b");
        c = addDefinition(store, 309, "c");
    }
    {
        Database db(path, true);
        Statement type = db.prepare("SELECT type FROM pragma_table_info('hierarchy') WHERE name = 'seq'");
        ASSERT_TRUE(type.step());
        EXPECT_EQ(type.text(0), "INTEGER");
    }
    {
        // The hierarchy table as files written before held it.
        Database db(path, true);
        db.exec("DROP TABLE hierarchy; CREATE TABLE hierarchy(child INTEGER PRIMARY KEY REFERENCES objects(id) ON "
                "DELETE CASCADE, parent INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE, seq REAL NOT "
                "NULL); CREATE INDEX hierarchy_by_parent ON hierarchy(parent, seq);");
        db.exec("INSERT INTO hierarchy(child, parent, seq) VALUES (" + std::to_string(b) + ", " + std::to_string(p) +
                ", 2.0), (" + std::to_string(a) + ", " + std::to_string(p) + ", 10.0)");
    }
    SqliteStore store(path, OpenMode::Open);
    EXPECT_EQ(store.hierarchyChildren(p), (std::vector<Long>{b, a})) << "ordered by number, not by text";
    inTransaction(store, [&] { store.setHierarchyParent(c, p, b); });
    EXPECT_EQ(store.hierarchyChildren(p), (std::vector<Long>{b, c, a}));
    EXPECT_EQ(store.hierarchyParent(c), p);
}
