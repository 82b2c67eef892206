#include "SqliteStore.h"
#include "SqliteErrors.h"
#include "host/HostError.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <filesystem>
#include <limits>

namespace km::kemora {

namespace {

constexpr std::int64_t fileApplicationId = 0x4B4D4442; // "KMDB"
constexpr int schemaVersion = 1;

[[noreturn]] void storageError(const std::string& what) {
    throw StorageError(StorageFailure::Other, 0, what);
}

// A unique violation of the name index: the name is taken within the class and type.
[[noreturn]] void rethrowTakenName(const StorageError& error, const std::string& name) {
    if (error.isUniqueViolation()) {
        throw host::HostError(host::HostErrorCode::DuplicateName,
                              "An object of that type named \"" + name + "\" exists already.");
    }
    throw error;
}

bool isMemory(const std::string& path) {
    return path == ":memory:" || path.empty();
}

OpenMode checkedMode(const std::string& path, OpenMode mode) {
    if (isMemory(path)) {
        return OpenMode::Create;
    }
    bool exists = std::filesystem::exists(path);
    if (mode == OpenMode::Create && exists) {
        storageError("Cannot create the encyclopedia \"" + path + "\": the file exists already.");
    }
    if (mode == OpenMode::Open && !exists) {
        storageError("Cannot open the encyclopedia \"" + path + "\": there is no such file.");
    }
    return exists ? OpenMode::Open : OpenMode::Create;
}

// A name pattern as a GLOB over the folded name column: '*' stays a wildcard, the GLOB
// specials '?' and '[' are matched literally.
std::string globPattern(const std::string& pattern) {
    std::string folded = rt::foldCase(pattern), out;
    for (char c : folded) {
        if (c == '?') {
            out += "[?]";
        } else if (c == '[') {
            out += "[[]";
        } else {
            out += c;
        }
    }
    return out;
}

const char* schema = R"SQL(
CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE objects(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    class INTEGER NOT NULL,
    type INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    diagram INTEGER REFERENCES objects(id) ON DELETE CASCADE,
    definition INTEGER);
CREATE UNIQUE INDEX objects_by_name ON objects(class, type, fold) WHERE class <> 2;
CREATE INDEX objects_by_fold ON objects(class, fold) WHERE class <> 2;
CREATE INDEX symbols_by_diagram ON objects(diagram, type) WHERE class = 2;
CREATE INDEX symbols_by_definition ON objects(definition) WHERE class = 2;
CREATE TABLE symbols(
    id INTEGER PRIMARY KEY REFERENCES objects(id) ON DELETE CASCADE,
    xpos INTEGER NOT NULL, ypos INTEGER NOT NULL, xsize INTEGER NOT NULL, ysize INTEGER NOT NULL,
    fill INTEGER NOT NULL, selected INTEGER NOT NULL);
CREATE VIRTUAL TABLE symbol_boxes USING rtree_i32(id, minx, maxx, miny, maxy, +diagram);
CREATE TABLE propnames(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);
CREATE TABLE props(
    object INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
    prop INTEGER NOT NULL,
    value TEXT NOT NULL,
    PRIMARY KEY(object, prop)) WITHOUT ROWID;
CREATE TABLE lists(
    owner INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
    prop INTEGER NOT NULL,
    seq INTEGER NOT NULL,
    item INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
    PRIMARY KEY(owner, prop, seq)) WITHOUT ROWID;
CREATE INDEX lists_by_item ON lists(item, prop);
CREATE TABLE fields(
    symbol INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
    number INTEGER NOT NULL,
    value TEXT NOT NULL,
    PRIMARY KEY(symbol, number)) WITHOUT ROWID;
CREATE TABLE hierarchy(
    child INTEGER PRIMARY KEY REFERENCES objects(id) ON DELETE CASCADE,
    parent INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
    seq INTEGER NOT NULL);
CREATE INDEX hierarchy_by_parent ON hierarchy(parent, seq);
CREATE TABLE files(name TEXT PRIMARY KEY COLLATE NOCASE, content BLOB NOT NULL);
CREATE TABLE locks(object INTEGER PRIMARY KEY, owner TEXT NOT NULL, since TEXT NOT NULL);
)SQL";

// The name indexes leave symbols out (their names repeat). SQLite uses a partial index only when
// the query repeats the index's condition word for word, so name lookups of definitions and
// diagrams state it; without it they scan the whole table.
const char* namedClassesOnly(StoredClass cls) {
    return cls == StoredClass::Symbol ? "" : " AND class <> 2";
}

constexpr const char* objectColumns = "id, class, type, name, diagram, definition";
constexpr const char* symbolSelect =
    "SELECT o.id, o.class, o.type, o.name, o.diagram, o.definition, s.xpos, s.ypos, s.xsize, s.ysize, s.fill, "
    "s.selected FROM objects o JOIN symbols s ON s.id = o.id";

} // namespace

SqliteStore::SqliteStore(const std::string& path, OpenMode mode)
    : m_path(path), m_created(checkedMode(path, mode) == OpenMode::Create),
      m_db(isMemory(path) ? ":memory:" : path, !m_created) {
    m_db.exec("PRAGMA foreign_keys = ON");
    if (!isMemory(path)) {
        m_db.exec("PRAGMA journal_mode = WAL");
        m_db.exec("PRAGMA synchronous = NORMAL");
    }
    if (m_created) {
        createSchema();
    } else {
        checkSchema();
    }
}

SqliteStore::~SqliteStore() {
    m_readDepth = 0;
    while (m_depth > 0) {
        try {
            rollback();
        } catch (...) {
            break;
        }
    }
}

void SqliteStore::createSchema() {
    Transaction transaction(*this);
    m_db.exec(schema);
    m_db.exec("PRAGMA application_id = " + std::to_string(fileApplicationId));
    m_db.exec("PRAGMA user_version = " + std::to_string(schemaVersion));
    transaction.commit();
}

void SqliteStore::checkSchema() {
    auto pragma = [this](const char* name) {
        Statement stmt = m_db.prepare(std::string("PRAGMA ") + name);
        return stmt.step() ? stmt.integer(0) : 0;
    };
    std::int64_t applicationId = 0;
    try {
        applicationId = pragma("application_id");
    } catch (const host::HostError&) {
        storageError("\"" + m_path + "\" is not an encyclopedia (not a database file).");
    }
    if (applicationId != fileApplicationId) {
        storageError("\"" + m_path + "\" is not an encyclopedia.");
    }
    if (pragma("user_version") > schemaVersion) {
        storageError("\"" + m_path + "\" was written by a newer workbench (format " +
                     std::to_string(pragma("user_version")) + ").");
    }
}

void SqliteStore::control(const std::string& sql) {
    // Prepared once and kept, like every other statement: savepoints come and go with every
    // mutating call of several statements.
    m_db.prepare(sql).run();
}

void SqliteStore::begin() {
    // Writes inside a read snapshot nest as savepoints of the snapshot's transaction.
    if (m_depth == 0 && m_readDepth == 0) {
        control("BEGIN IMMEDIATE");
    } else {
        control("SAVEPOINT s" + std::to_string(m_depth));
    }
    ++m_depth;
}

void SqliteStore::commit() {
    if (m_depth == 0) {
        storageError("Encyclopedia storage error: commit without a transaction.");
    }
    --m_depth;
    if (m_depth == 0 && m_readDepth == 0) {
        control("COMMIT");
    } else {
        control("RELEASE s" + std::to_string(m_depth));
    }
}

void SqliteStore::rollback() {
    if (m_depth == 0) {
        return;
    }
    // Property names interned inside the rolled back work may be gone again.
    m_propertyIds.clear();
    --m_depth;
    if (m_depth == 0 && m_readDepth == 0) {
        if (!sqlite3_get_autocommit(m_db.handle())) {
            control("ROLLBACK");
        }
    } else {
        std::string name = "s" + std::to_string(m_depth);
        control("ROLLBACK TO " + name);
        control("RELEASE " + name);
    }
}

void SqliteStore::requireTransaction(const char* call) const {
    if (m_depth == 0) {
        throw StorageError(StorageFailure::OutsideTransaction, 0,
                           std::string("Encyclopedia storage error: ") + call + " needs an open transaction.");
    }
}

void SqliteStore::beginRead() {
    if (m_depth == 0 && m_readDepth == 0) {
        control("BEGIN DEFERRED");
    }
    ++m_readDepth;
}

void SqliteStore::endRead() {
    if (m_readDepth == 0) {
        return;
    }
    --m_readDepth;
    if (m_depth == 0 && m_readDepth == 0 && !sqlite3_get_autocommit(m_db.handle())) {
        control("COMMIT");
    }
}

ObjectRow SqliteStore::readObject(const Statement& stmt, int first) {
    ObjectRow row;
    row.id = stmt.longValue(first);
    row.cls = static_cast<StoredClass>(stmt.integer(first + 1));
    row.type = stmt.longValue(first + 2);
    row.name = stmt.text(first + 3);
    row.diagram = stmt.longValue(first + 4);
    row.definition = stmt.longValue(first + 5);
    return row;
}

SymbolRow SqliteStore::readSymbol(const Statement& stmt) {
    SymbolRow row;
    row.object = readObject(stmt, 0);
    row.geometry = {stmt.longValue(6), stmt.longValue(7), stmt.longValue(8), stmt.longValue(9)};
    row.fillColor = stmt.longValue(10);
    row.selected = stmt.integer(11) != 0;
    return row;
}

Long SqliteStore::insertObject(const ObjectRow& row) {
    requireTransaction("insertObject");
    Statement stmt =
        m_db.prepare("INSERT INTO objects(class, type, name, fold, diagram, definition) VALUES (?, ?, ?, ?, ?, ?)");
    stmt.bind(1, static_cast<int>(row.cls)).bind(2, row.type).bind(3, row.name).bind(4, rt::foldCase(row.name));
    if (row.diagram) {
        stmt.bind(5, row.diagram);
    } else {
        stmt.bindNull(5);
    }
    stmt.bind(6, row.definition);
    try {
        stmt.run();
    } catch (const StorageError& error) {
        rethrowTakenName(error, row.name);
    }
    std::int64_t id = m_db.lastInsertId();
    if (id > std::numeric_limits<Long>::max()) {
        storageError("Encyclopedia storage error: the encyclopedia has run out of object ids.");
    }
    return static_cast<Long>(id);
}

std::optional<ObjectRow> SqliteStore::object(Long id) {
    Statement stmt = m_db.prepare(std::string("SELECT ") + objectColumns + " FROM objects WHERE id = ?");
    stmt.bind(1, id);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return readObject(stmt, 0);
}

void SqliteStore::renameObject(Long id, const std::string& name) {
    requireTransaction("renameObject");
    Statement stmt = m_db.prepare("UPDATE objects SET name = ?, fold = ? WHERE id = ?");
    stmt.bind(1, name).bind(2, rt::foldCase(name)).bind(3, id);
    try {
        stmt.run();
    } catch (const StorageError& error) {
        rethrowTakenName(error, name);
    }
}

void SqliteStore::deleteObject(Long id) {
    requireTransaction("deleteObject");
    Transaction transaction(*this);
    // Symbols of a diagram go with it; their boxes must go from the spatial index by hand since
    // virtual tables take no part in cascades.
    m_db.prepare("DELETE FROM symbol_boxes WHERE id IN (SELECT id FROM objects WHERE diagram = ?1) OR id = ?1")
        .bind(1, id)
        .run();
    m_db.prepare("DELETE FROM locks WHERE object = ?").bind(1, id).run();
    m_db.prepare("DELETE FROM objects WHERE id = ?").bind(1, id).run();
    transaction.commit();
}

std::optional<Long> SqliteStore::objectByName(StoredClass cls, Long type, const std::string& name) {
    Statement stmt = m_db.prepare(std::string("SELECT id FROM objects WHERE class = ? AND type = ? AND fold = ?") +
                                  namedClassesOnly(cls));
    stmt.bind(1, static_cast<int>(cls)).bind(2, type).bind(3, rt::foldCase(name));
    if (!stmt.step()) {
        return std::nullopt;
    }
    return stmt.longValue(0);
}

std::vector<Long> SqliteStore::objectsOfType(StoredClass cls, Long type, const std::string& pattern) {
    std::string sql = std::string("SELECT id FROM objects WHERE class = ?1") + namedClassesOnly(cls);
    if (type != 0) {
        sql += " AND type = ?2";
    }
    bool wildcard = pattern.find('*') != std::string::npos;
    if (!pattern.empty()) {
        sql += wildcard ? " AND fold GLOB ?3" : " AND fold = ?3";
    }
    sql += " ORDER BY fold, id";
    Statement stmt = m_db.prepare(sql);
    stmt.bind(1, static_cast<int>(cls));
    if (type != 0) {
        stmt.bind(2, type);
    }
    if (!pattern.empty()) {
        stmt.bind(3, wildcard ? globPattern(pattern) : rt::foldCase(pattern));
    }
    std::vector<Long> ids;
    while (stmt.step()) {
        ids.push_back(stmt.longValue(0));
    }
    return ids;
}

std::vector<ObjectRow> SqliteStore::objects(const std::vector<Long>& ids) {
    std::vector<ObjectRow> rows;
    rows.reserve(ids.size());
    for (Long id : ids) {
        if (auto row = object(id)) {
            rows.push_back(std::move(*row));
        }
    }
    return rows;
}

Long SqliteStore::countObjects(StoredClass cls) {
    Statement stmt = m_db.prepare("SELECT count(*) FROM objects WHERE class = ?");
    stmt.bind(1, static_cast<int>(cls));
    stmt.step();
    return stmt.longValue(0);
}

Long SqliteStore::insertSymbol(const SymbolRow& row) {
    requireTransaction("insertSymbol");
    Transaction transaction(*this);
    ObjectRow object = row.object;
    object.cls = StoredClass::Symbol;
    Long id = insertObject(object);
    SymbolRow stored = row;
    stored.object.id = id;
    m_db.prepare("INSERT INTO symbols(id, xpos, ypos, xsize, ysize, fill, selected) VALUES (?, 0, 0, 0, 0, 0, 0)")
        .bind(1, id)
        .run();
    m_db.prepare("INSERT INTO symbol_boxes(id, minx, maxx, miny, maxy, diagram) VALUES (?, 0, 0, 0, 0, ?)")
        .bind(1, id)
        .bind(2, row.object.diagram)
        .run();
    updateSymbol(stored);
    transaction.commit();
    return id;
}

std::optional<SymbolRow> SqliteStore::symbol(Long id) {
    Statement stmt = m_db.prepare(std::string(symbolSelect) + " WHERE o.id = ?");
    stmt.bind(1, id);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return readSymbol(stmt);
}

void SqliteStore::updateSymbol(const SymbolRow& row) {
    requireTransaction("updateSymbol");
    Transaction transaction(*this);
    const Geometry& g = row.geometry;
    m_db.prepare("UPDATE symbols SET xpos = ?, ypos = ?, xsize = ?, ysize = ?, fill = ?, selected = ? WHERE id = ?")
        .bind(1, g.xpos)
        .bind(2, g.ypos)
        .bind(3, g.xsize)
        .bind(4, g.ysize)
        .bind(5, row.fillColor)
        .bind(6, row.selected ? 1 : 0)
        .bind(7, row.object.id)
        .run();
    // The spatial index holds the normalised rectangle (a negative size flips the edges).
    Long x1 = g.xpos, x2 = g.left(), y1 = g.ypos, y2 = g.top();
    m_db.prepare("UPDATE symbol_boxes SET minx = ?, maxx = ?, miny = ?, maxy = ? WHERE id = ?")
        .bind(1, std::min(x1, x2))
        .bind(2, std::max(x1, x2))
        .bind(3, std::min(y1, y2))
        .bind(4, std::max(y1, y2))
        .bind(5, row.object.id)
        .run();
    m_db.prepare("UPDATE objects SET name = ?, fold = ?, type = ? WHERE id = ?")
        .bind(1, row.object.name)
        .bind(2, rt::foldCase(row.object.name))
        .bind(3, row.object.type)
        .bind(4, row.object.id)
        .run();
    transaction.commit();
}

std::vector<Long> SqliteStore::symbolsOfDiagram(Long diagram, Long type, const std::string& name) {
    std::string sql = "SELECT id FROM objects WHERE class = 2 AND diagram = ?1";
    if (type != 0) {
        sql += " AND type = ?2";
    }
    if (!name.empty()) {
        sql += " AND fold = ?3";
    }
    sql += " ORDER BY id";
    Statement stmt = m_db.prepare(sql);
    stmt.bind(1, diagram);
    if (type != 0) {
        stmt.bind(2, type);
    }
    if (!name.empty()) {
        stmt.bind(3, rt::foldCase(name));
    }
    std::vector<Long> ids;
    while (stmt.step()) {
        ids.push_back(stmt.longValue(0));
    }
    return ids;
}

std::vector<SymbolRow> SqliteStore::symbolsInBox(const std::string& where, Long diagram, const Geometry& area) {
    Long minx = std::min(area.left(), area.xpos), maxx = std::max(area.left(), area.xpos);
    Long miny = std::min(area.top(), area.ypos), maxy = std::max(area.top(), area.ypos);
    Statement stmt = m_db.prepare(std::string(symbolSelect) + " JOIN symbol_boxes b ON b.id = o.id WHERE " + where +
                                  " AND b.diagram = ?5 ORDER BY o.id");
    stmt.bind(1, minx).bind(2, maxx).bind(3, miny).bind(4, maxy).bind(5, diagram);
    std::vector<SymbolRow> rows;
    while (stmt.step()) {
        rows.push_back(readSymbol(stmt));
    }
    return rows;
}

std::vector<SymbolRow> SqliteStore::symbolsWithin(Long diagram, const Geometry& area) {
    return symbolsInBox("b.minx >= ?1 AND b.maxx <= ?2 AND b.miny >= ?3 AND b.maxy <= ?4", diagram, area);
}

std::vector<SymbolRow> SqliteStore::symbolsContaining(Long diagram, const Geometry& area) {
    return symbolsInBox("b.minx <= ?1 AND b.maxx >= ?2 AND b.miny <= ?3 AND b.maxy >= ?4", diagram, area);
}

std::vector<Long> SqliteStore::symbolsOfDefinition(Long definition) {
    Statement stmt = m_db.prepare("SELECT id FROM objects WHERE class = 2 AND definition = ? ORDER BY id");
    stmt.bind(1, definition);
    std::vector<Long> ids;
    while (stmt.step()) {
        ids.push_back(stmt.longValue(0));
    }
    return ids;
}

std::optional<Long> SqliteStore::propertyId(const std::string& name, bool create) {
    if (auto found = m_propertyIds.find(name); found != m_propertyIds.end()) {
        return found->second;
    }
    Statement select = m_db.prepare("SELECT id FROM propnames WHERE name = ?");
    select.bind(1, name);
    if (select.step()) {
        Long id = select.longValue(0);
        m_propertyIds.emplace(name, id);
        return id;
    }
    if (!create) {
        return std::nullopt;
    }
    m_db.prepare("INSERT INTO propnames(name) VALUES (?)").bind(1, name).run();
    Long id = static_cast<Long>(m_db.lastInsertId());
    // Not cached: a rollback of the surrounding transaction would take the row away again.
    return id;
}

std::optional<std::string> SqliteStore::property(Long id, const std::string& name) {
    auto prop = propertyId(name, false);
    if (!prop) {
        return std::nullopt;
    }
    Statement stmt = m_db.prepare("SELECT value FROM props WHERE object = ? AND prop = ?");
    stmt.bind(1, id).bind(2, *prop);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return stmt.text(0);
}

std::map<std::string, std::string> SqliteStore::properties(Long id) {
    Statement stmt =
        m_db.prepare("SELECT n.name, p.value FROM props p JOIN propnames n ON n.id = p.prop WHERE p.object = ?");
    stmt.bind(1, id);
    std::map<std::string, std::string> values;
    while (stmt.step()) {
        values.emplace(stmt.text(0), stmt.text(1));
    }
    return values;
}

void SqliteStore::setProperty(Long id, const std::string& name, const std::string& value) {
    requireTransaction("setProperty");
    if (value.empty()) {
        if (auto prop = propertyId(name, false)) {
            m_db.prepare("DELETE FROM props WHERE object = ? AND prop = ?").bind(1, id).bind(2, *prop).run();
        }
        return;
    }
    Long prop = *propertyId(name, true);
    m_db.prepare("INSERT OR REPLACE INTO props(object, prop, value) VALUES (?, ?, ?)")
        .bind(1, id)
        .bind(2, prop)
        .bind(3, value)
        .run();
}

std::vector<Long> SqliteStore::listItems(Long owner, const std::string& property) {
    std::vector<Long> items;
    for (const RelatedRow& row : listEntries(owner, property)) {
        items.push_back(row.id);
    }
    return items;
}

std::vector<RelatedRow> SqliteStore::listEntries(Long owner, const std::string& property) {
    return listRows("SELECT item, seq FROM lists WHERE owner = ? AND prop = ? ORDER BY seq", owner, property);
}

std::vector<RelatedRow> SqliteStore::listRows(const std::string& sql, Long id, const std::string& property) {
    std::vector<RelatedRow> rows;
    auto prop = propertyId(property, false);
    if (!prop) {
        return rows;
    }
    Statement stmt = m_db.prepare(sql);
    stmt.bind(1, id).bind(2, *prop);
    while (stmt.step()) {
        rows.push_back({stmt.longValue(0), stmt.longValue(1)});
    }
    return rows;
}

void SqliteStore::setListItems(Long owner, const std::string& property, const std::vector<Long>& items) {
    requireTransaction("setListItems");
    Transaction transaction(*this);
    Long prop = *propertyId(property, true);
    m_db.prepare("DELETE FROM lists WHERE owner = ? AND prop = ?").bind(1, owner).bind(2, prop).run();
    Long seq = 0;
    for (Long item : items) {
        m_db.prepare("INSERT INTO lists(owner, prop, seq, item) VALUES (?, ?, ?, ?)")
            .bind(1, owner)
            .bind(2, prop)
            .bind(3, ++seq)
            .bind(4, item)
            .run();
    }
    transaction.commit();
}

std::vector<RelatedRow> SqliteStore::listOwners(Long item, const std::string& property) {
    return listRows("SELECT owner, seq FROM lists WHERE item = ? AND prop = ? ORDER BY owner, seq", item, property);
}

std::optional<std::string> SqliteStore::field(Long symbol, Long number) {
    Statement stmt = m_db.prepare("SELECT value FROM fields WHERE symbol = ? AND number = ?");
    stmt.bind(1, symbol).bind(2, number);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return stmt.text(0);
}

void SqliteStore::setField(Long symbol, Long number, const std::string& value) {
    requireTransaction("setField");
    m_db.prepare("INSERT OR REPLACE INTO fields(symbol, number, value) VALUES (?, ?, ?)")
        .bind(1, symbol)
        .bind(2, number)
        .bind(3, value)
        .run();
}

std::map<Long, std::string> SqliteStore::fields(Long symbol) {
    Statement stmt = m_db.prepare("SELECT number, value FROM fields WHERE symbol = ? ORDER BY number");
    stmt.bind(1, symbol);
    std::map<Long, std::string> values;
    while (stmt.step()) {
        values[stmt.longValue(0)] = stmt.text(1);
    }
    return values;
}

std::vector<Long> SqliteStore::hierarchyChildren(Long parent) {
    Statement stmt = m_db.prepare("SELECT child FROM hierarchy WHERE parent = ? ORDER BY seq, child");
    stmt.bind(1, parent);
    std::vector<Long> ids;
    while (stmt.step()) {
        ids.push_back(stmt.longValue(0));
    }
    return ids;
}

std::optional<Long> SqliteStore::hierarchyParent(Long child) {
    Statement stmt = m_db.prepare("SELECT parent FROM hierarchy WHERE child = ?");
    stmt.bind(1, child);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return stmt.longValue(0);
}

void SqliteStore::setHierarchyParent(Long child, Long parent, Long after) {
    requireTransaction("setHierarchyParent");
    Transaction transaction(*this);
    m_db.prepare("DELETE FROM hierarchy WHERE child = ?").bind(1, child).run();
    // Renumber the siblings so that the new child slots in right after \p after (or first).
    std::vector<Long> siblings = hierarchyChildren(parent);
    auto position = siblings.begin();
    if (after != 0) {
        position = std::find(siblings.begin(), siblings.end(), after);
        position = position == siblings.end() ? siblings.end() : position + 1;
    }
    siblings.insert(position, child);
    m_db.prepare("DELETE FROM hierarchy WHERE parent = ?").bind(1, parent).run();
    Long seq = 0;
    for (Long sibling : siblings) {
        m_db.prepare("INSERT INTO hierarchy(child, parent, seq) VALUES (?, ?, ?)")
            .bind(1, sibling)
            .bind(2, parent)
            .bind(3, ++seq)
            .run();
    }
    transaction.commit();
}

bool SqliteStore::fileExists(const std::string& name) {
    Statement stmt = m_db.prepare("SELECT 1 FROM files WHERE name = ?");
    stmt.bind(1, name);
    return stmt.step();
}

std::optional<std::string> SqliteStore::readFile(const std::string& name) {
    Statement stmt = m_db.prepare("SELECT content FROM files WHERE name = ?");
    stmt.bind(1, name);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return stmt.text(0);
}

void SqliteStore::writeFile(const std::string& name, const std::string& content) {
    requireTransaction("writeFile");
    m_db.prepare("INSERT OR REPLACE INTO files(name, content) VALUES (?, ?)").bind(1, name).bindBlob(2, content).run();
}

void SqliteStore::deleteFile(const std::string& name) {
    requireTransaction("deleteFile");
    m_db.prepare("DELETE FROM files WHERE name = ?").bind(1, name).run();
}

std::vector<std::string> SqliteStore::fileNames() {
    Statement stmt = m_db.prepare("SELECT name FROM files ORDER BY name COLLATE NOCASE");
    std::vector<std::string> names;
    while (stmt.step()) {
        names.push_back(stmt.text(0));
    }
    return names;
}

std::optional<std::string> SqliteStore::lockOwner(Long id) {
    Statement stmt = m_db.prepare("SELECT owner FROM locks WHERE object = ?");
    stmt.bind(1, id);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return stmt.text(0);
}

void SqliteStore::lock(Long id, const std::string& owner) {
    requireTransaction("lock");
    if (auto holder = lockOwner(id); holder && *holder != owner) {
        throw host::HostError(host::HostErrorCode::Locked,
                              "Object " + std::to_string(id) + " is locked by " + *holder + ".");
    }
    m_db.prepare("INSERT OR REPLACE INTO locks(object, owner, since) VALUES (?, ?, datetime('now'))")
        .bind(1, id)
        .bind(2, owner)
        .run();
}

void SqliteStore::unlock(Long id) {
    requireTransaction("unlock");
    m_db.prepare("DELETE FROM locks WHERE object = ?").bind(1, id).run();
}

} // namespace km::kemora
