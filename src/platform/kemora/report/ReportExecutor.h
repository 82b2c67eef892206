#pragma once
#include "ReportPlan.h"
#include "ReportResult.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include "platform/kemora/storage/IStore.h"
#include <unordered_set>

namespace km::kemora {

/// Runs a planned report against the store. The first level's objects come from the store's
/// indexes (an identity is one lookup, a type number the objects of that type); every further
/// level follows the named relation from each item above, forward through the item's own list
/// or backward to the owners whose list holds the item. Objects are ordered by name without
/// regard to case, then id, unless ORDERBY SEQUENCE asks for the list order.
/// More than \p itemLimit visited objects throw HostError NotSupported; store failures pass on.
class ReportExecutor {
public:
    ReportExecutor(IStore& store, const Metamodel& metamodel, size_t itemLimit);

    ReportResult run(const ReportPlan& plan);

private:
    std::vector<ResultItem> evaluate(size_t level, std::vector<ObjectRow> rows);
    std::vector<ObjectRow> firstLevelRows(const PlannedLevel& level);
    std::vector<ObjectRow> relatedRows(const PlannedLevel& level, const ObjectRow& parent);
    void collectForward(const RelationStep& step, const ObjectRow& parent, std::vector<Long>& ids);
    void collectReverse(const PlannedLevel& level, const RelationStep& step, const ObjectRow& parent,
                        std::vector<ObjectRow>& rows);
    bool admits(const PlannedLevel& level, const ObjectRow& row);
    bool passes(const PlannedFilter& filter, const ObjectRow& row);
    void sortByName(std::vector<ObjectRow>::iterator first, std::vector<ObjectRow>::iterator last);
    void fillFields(const PlannedLevel& level, const ObjectRow& row, ResultItem& item);
    ResultProperty listProperty(const PropertyDecl& decl, const ObjectRow& row);
    std::string fieldText(const FieldSource& source, const ObjectRow& row);
    const PropertyDecl* propertyOf(const ObjectRow& row, const std::string& name) const;
    std::string displayName(const ObjectRow& row) const;
    std::string typeName(const ObjectRow& row) const;
    void countItem();

    IStore& m_store;
    const Metamodel& m_metamodel;
    const ReportPlan* m_plan = nullptr;
    size_t m_itemLimit;
    size_t m_visited = 0;
    std::unordered_set<Long> m_seen; // reused by relatedRows to drop objects reached twice
};

} // namespace km::kemora
