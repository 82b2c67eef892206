#pragma once
// Runs report scripts through the host's report engine and hands the result back either as the
// definitions the result names or as the result XML's top-level items.
#include "host/IDefinition.h"
#include "platform/runtime/Collection.h"
#include <memory>
#include <pugixml.hpp>
#include <string>

namespace KM_SLN_SOA {

/// A collection of definitions as reports answer them (1-based, possibly with repeats).
using DefinitionCollection = km::rt::Collection<std::shared_ptr<km::host::IDefinition>>;

/// The top-level items (KMReport/KMLevel/KMItem) of a report result. The nodes stay valid as long
/// as this object lives, since it keeps their document.
class ReportItemList {
public:
    ReportItemList(std::shared_ptr<pugi::xml_document> document, pugi::xpath_node_set nodes)
        : m_document(std::move(document)), m_nodes(std::move(nodes)) {}
    const pugi::xpath_node_set& nodes() const { return m_nodes; }
    size_t count() const { return m_nodes.size(); }
    const pugi::xml_document& document() const { return *m_document; }

private:
    std::shared_ptr<pugi::xml_document> m_document;
    pugi::xpath_node_set m_nodes;
};

class clsRGManager {
public:
    /// The definitions the result names, depth first (an item's definition before those of its
    /// nested items); nothing after an error. With blnSortCollections the collection is ordered
    /// by Name, each name once.
    std::shared_ptr<DefinitionCollection> ExecuteReport(const std::string& strReportString,
                                                        bool blnOpenObjectsAsReadOnly, bool blnSortCollections);
    /// The result's top-level items; nothing when the result cannot be loaded or after an error.
    std::shared_ptr<ReportItemList> ExecuteReportXML(const std::string& strReportString);

    /// The script as it is handed to the host: header, page-size and report-format settings and
    /// body lines holding a closing brace removed, one closing brace appended, missing settings put
    /// in front.
    static std::string PrepareReportString(const std::string& strReportString);
    /// The line without its leading blanks and tabs.
    static std::string StripLeadingBlanks(const std::string& strLine);

private:
    void CollectDefinitions(const pugi::xpath_node_set& nodes, DefinitionCollection& collection);
    std::string GetItemProperty(const pugi::xml_node& item, const std::string& name);
    std::string GetItemAttribute(const pugi::xml_node& node, const std::string& name);
    void CollectDefinitionOf(const pugi::xml_node& item, DefinitionCollection& collection);

    // The tests read item properties directly, to show that no name can break the lookup.
    friend class clsRGManagerTestPeer;

    struct ItemQueries;
    ItemQueries& Queries();

    // Compiled once per manager; kept on the heap so that the compiled queries' pointer to their
    // variables survives copies and moves of the manager.
    std::shared_ptr<ItemQueries> m_queries;
};

} // namespace KM_SLN_SOA
