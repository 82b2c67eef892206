#include "HandWrittenReport.h"
#include <stdexcept>

namespace km::bench {

namespace {

constexpr int definitionClass = 3;

const char* const forwardQuery = "SELECT o.id, o.name FROM lists l JOIN objects o ON o.id = l.item "
                                 "WHERE l.owner = ?1 AND l.prop = ?2 AND o.class = 3 AND o.type = ?3 ORDER BY l.seq";
// Owners reached backwards follow in name order (folded, then id), each once.
const char* const reverse = "SELECT DISTINCT o.id, o.name, o.fold FROM lists l JOIN objects o ON o.id = l.owner "
                            "WHERE l.item = ?1 AND l.prop = ?2 AND o.class = 3 AND o.type = ?3 "
                            "ORDER BY o.fold, o.id";

} // namespace

HandWrittenReport::HandWrittenReport(const std::string& path, const ReportScenario& scenario) : m_scenario(scenario) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        fail("cannot open " + path);
    }
    m_begin = prepare("BEGIN");
    m_commit = prepare("COMMIT");
    m_owner = prepare("SELECT class, type, name FROM objects WHERE id = ?1");
    m_related = prepare(scenario.forward ? forwardQuery : reverse);
    sqlite3_stmt* property = prepare("SELECT id FROM propnames WHERE name = ?1");
    sqlite3_bind_text(property, 1, scenario.listProperty.c_str(), -1, SQLITE_STATIC);
    if (sqlite3_step(property) == SQLITE_ROW) {
        m_property = sqlite3_column_int64(property, 0);
    }
    sqlite3_finalize(property);
}

HandWrittenReport::~HandWrittenReport() {
    sqlite3_finalize(m_begin);
    sqlite3_finalize(m_commit);
    sqlite3_finalize(m_owner);
    sqlite3_finalize(m_related);
    sqlite3_close(m_db);
}

sqlite3_stmt* HandWrittenReport::prepare(const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
        fail(std::string("cannot prepare ") + sql);
    }
    return stmt;
}

void HandWrittenReport::fail(const std::string& what) const {
    throw std::runtime_error(what + ": " + (m_db ? sqlite3_errmsg(m_db) : "out of memory"));
}

void HandWrittenReport::appendEscaped(std::string& out, const unsigned char* text) {
    for (const unsigned char* c = text; c && *c; ++c) {
        switch (*c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (*c < 32) {
                out += "&#" + std::to_string(*c) + ";";
            } else {
                out += static_cast<char>(*c);
            }
        }
    }
}

void HandWrittenReport::appendTarget(std::string& out, Long id, const unsigned char* name) const {
    const std::string ddid = std::to_string(id);
    out += "        <KMItem Name=\"";
    appendEscaped(out, name);
    out += "\" DDID=\"" + ddid + "\" Class=\"3\">\n";
    out += "          <KMProperty KMPrpName=\"KMTargetIdentity\" KMPrpValue=\"" + ddid + "\" />\n";
    out += "          <KMProperty KMPrpName=\"KMTargetClass\" KMPrpValue=\"3\" />\n";
    out += "          <KMProperty KMPrpName=\"KMTargetType\" KMPrpValue=\"" + std::to_string(m_scenario.targetType) +
           "\" />\n";
    out += "          <KMProperty KMPrpName=\"KMTargetName\" KMPrpValue=\"";
    appendEscaped(out, name);
    out += "\" />\n        </KMItem>\n";
}

std::string HandWrittenReport::run(Long ownerId) {
    sqlite3_step(m_begin);
    sqlite3_reset(m_begin);
    std::string xml = report(ownerId);
    sqlite3_step(m_commit);
    sqlite3_reset(m_commit);
    return xml;
}

std::string HandWrittenReport::report(Long ownerId) {
    sqlite3_reset(m_owner);
    sqlite3_bind_int64(m_owner, 1, ownerId);
    const bool found = sqlite3_step(m_owner) == SQLITE_ROW && sqlite3_column_int(m_owner, 0) == definitionClass &&
                       sqlite3_column_int64(m_owner, 1) == m_scenario.ownerType;
    std::string targets;
    if (found) {
        sqlite3_reset(m_related);
        sqlite3_bind_int64(m_related, 1, ownerId);
        sqlite3_bind_int64(m_related, 2, m_property);
        sqlite3_bind_int64(m_related, 3, m_scenario.targetType);
        while (sqlite3_step(m_related) == SQLITE_ROW) {
            appendTarget(targets, static_cast<Long>(sqlite3_column_int64(m_related, 0)),
                         sqlite3_column_text(m_related, 1));
        }
    }
    // The owner appears only when the joined level yields something.
    if (targets.empty()) {
        sqlite3_reset(m_owner);
        return "<KMReport>\n  <KMLevel />\n</KMReport>\n";
    }
    std::string xml = "<KMReport>\n  <KMLevel>\n    <KMItem Name=\"";
    appendEscaped(xml, sqlite3_column_text(m_owner, 2));
    xml += "\" DDID=\"" + std::to_string(ownerId) + "\" Class=\"3\">\n      <KMLevel>\n";
    xml += targets;
    xml += "      </KMLevel>\n    </KMItem>\n  </KMLevel>\n</KMReport>\n";
    sqlite3_reset(m_owner);
    return xml;
}

} // namespace km::bench
