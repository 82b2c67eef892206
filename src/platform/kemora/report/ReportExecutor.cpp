#include "ReportExecutor.h"
#include "ReportMatcher.h"
#include "host/HostError.h"
#include "platform/kemora/metamodel/NameQuoting.h"
#include "platform/runtime/Text.h"
#include <algorithm>

namespace km::kemora {

namespace {

bool ownerMatches(const RelationStep& step, const ObjectRow& owner) {
    return std::any_of(step.owners.begin(), step.owners.end(), [&](const PropertyDecl* decl) {
        return decl->ownerClass == static_cast<int>(owner.cls) &&
               (decl->ownerType == 0 || decl->ownerType == owner.type);
    });
}

} // namespace

ReportExecutor::ReportExecutor(IStore& store, const Metamodel& metamodel, size_t itemLimit)
    : m_store(store), m_metamodel(metamodel), m_itemLimit(itemLimit) {}

ReportResult ReportExecutor::run(const ReportPlan& plan) {
    m_plan = &plan;
    m_visited = 0;
    ReportResult result;
    if (plan.hasQuery && !plan.levels.empty()) {
        result.items = evaluate(0, firstLevelRows(plan.levels.front()));
    }
    return result;
}

std::vector<ResultItem> ReportExecutor::evaluate(size_t levelIndex, std::vector<ObjectRow> rows) {
    const PlannedLevel& level = m_plan->levels[levelIndex];
    const bool last = levelIndex + 1 == m_plan->levels.size();
    std::vector<ResultItem> items;
    if (last || !level.required) {
        items.reserve(rows.size()); // every row yields an item; otherwise many may be dropped
    }
    for (const ObjectRow& row : rows) {
        countItem();
        ResultItem item;
        if (!last) {
            item.children = evaluate(levelIndex + 1, relatedRows(m_plan->levels[levelIndex + 1], row));
            if (item.children.empty() && level.required) {
                continue;
            }
        }
        item.name = displayName(row);
        item.id = row.id;
        item.classNumber = static_cast<int>(row.cls);
        fillFields(level, row, item);
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<ObjectRow> ReportExecutor::firstLevelRows(const PlannedLevel& level) {
    std::vector<ObjectRow> rows;
    if (level.impossible) {
        return rows;
    }
    if (level.identity) {
        if (auto row = m_store.object(*level.identity); row && admits(level, *row)) {
            rows.push_back(std::move(*row));
        }
        return rows;
    }
    const std::pair<StoredClass, const ClassFilter*> classes[] = {{StoredClass::Definition, &level.definitions},
                                                                  {StoredClass::Diagram, &level.diagrams}};
    for (const auto& [cls, filter] : classes) {
        // Type 0 would ask the store for every type; no object has type 0.
        if (!filter->allowed || (filter->type && *filter->type == 0)) {
            continue;
        }
        for (Long id : m_store.objectsOfType(cls, filter->type.value_or(0), "")) {
            if (auto row = m_store.object(id); row && admits(level, *row)) {
                rows.push_back(std::move(*row));
            }
        }
    }
    sortByName(rows.begin(), rows.end());
    return rows;
}

std::vector<ObjectRow> ReportExecutor::relatedRows(const PlannedLevel& level, const ObjectRow& parent) {
    std::vector<ObjectRow> rows;
    if (level.impossible) {
        return rows;
    }
    m_seen.clear();
    std::vector<Long> ids;
    for (const RelationStep& step : level.steps) {
        if (step.forward) {
            collectForward(step, parent, ids);
        }
    }
    for (Long id : ids) {
        if (!m_seen.insert(id).second) {
            continue; // the same object related twice appears once
        }
        if (auto row = m_store.object(id); row && admits(level, *row)) {
            rows.push_back(std::move(*row));
        }
    }
    const auto forwardCount = static_cast<std::ptrdiff_t>(rows.size());
    for (const RelationStep& step : level.steps) {
        if (!step.forward) {
            collectReverse(level, step, parent, rows);
        }
    }
    // Objects reached backwards have no single list position: they follow in name order.
    sortByName(level.orderBySequence ? rows.begin() + forwardCount : rows.begin(), rows.end());
    return rows;
}

void ReportExecutor::collectForward(const RelationStep& step, const ObjectRow& parent, std::vector<Long>& ids) {
    if (!ownerMatches(step, parent)) {
        return;
    }
    for (const RelatedRow& entry : m_store.listEntries(parent.id, step.property)) {
        ids.push_back(entry.id);
    }
}

void ReportExecutor::collectReverse(const PlannedLevel& level, const RelationStep& step, const ObjectRow& parent,
                                    std::vector<ObjectRow>& rows) {
    for (const RelatedRow& owner : m_store.listOwners(parent.id, step.property)) {
        if (m_seen.count(owner.id)) {
            continue;
        }
        auto row = m_store.object(owner.id);
        if (!row || !ownerMatches(step, *row)) {
            continue;
        }
        m_seen.insert(owner.id);
        if (admits(level, *row)) {
            rows.push_back(std::move(*row));
        }
    }
}

bool ReportExecutor::admits(const PlannedLevel& level, const ObjectRow& row) {
    const ClassFilter* filter = row.cls == StoredClass::Definition ? &level.definitions
                                : row.cls == StoredClass::Diagram  ? &level.diagrams
                                                                   : nullptr;
    if (level.impossible || !filter || !filter->allowed || (filter->type && *filter->type != row.type) ||
        (level.identity && *level.identity != row.id)) {
        return false;
    }
    return std::all_of(level.filters.begin(), level.filters.end(),
                       [&](const PlannedFilter& condition) { return passes(condition, row); });
}

bool ReportExecutor::passes(const PlannedFilter& filter, const ObjectRow& row) {
    return ReportMatcher::matches(fieldText(filter.source, row), filter.op, filter.value);
}

void ReportExecutor::sortByName(std::vector<ObjectRow>::iterator first, std::vector<ObjectRow>::iterator last) {
    const auto count = static_cast<size_t>(last - first);
    if (count < 2) {
        return;
    }
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        keys.emplace_back(rt::foldCase(displayName(first[i])), i);
    }
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : first[a.second].id < first[b.second].id;
    });
    std::vector<ObjectRow> sorted;
    sorted.reserve(count);
    for (const auto& key : keys) {
        sorted.push_back(std::move(first[key.second]));
    }
    std::move(sorted.begin(), sorted.end(), first);
}

void ReportExecutor::fillFields(const PlannedLevel& level, const ObjectRow& row, ResultItem& item) {
    item.properties.reserve(level.fields.size());
    for (const PlannedField& field : level.fields) {
        const PropertyDecl* decl =
            field.source.builtin == BuiltinField::None ? propertyOf(row, field.source.property) : nullptr;
        if (decl && decl->isList()) {
            ResultProperty property = listProperty(*decl, row);
            property.name = field.resultName;
            item.properties.push_back(std::move(property));
        } else {
            item.properties.push_back(ResultProperty{field.resultName, fieldText(field.source, row), {}});
        }
    }
}

ResultProperty ReportExecutor::listProperty(const PropertyDecl& decl, const ObjectRow& row) {
    ResultProperty property;
    for (Long id : m_store.listItems(row.id, decl.name)) {
        auto item = m_store.object(id);
        if (!item) {
            continue;
        }
        // The value reads as the property's text does: names (qualified ones whole), each
        // quoted when needed and followed by CR LF.
        const DefinitionType* type =
            item->cls == StoredClass::Definition ? m_metamodel.definitionType(item->type) : nullptr;
        property.value += type && type->qualified ? item->name : NameQuoting::quoteIfNeeded(item->name, false);
        property.value += "\r\n";
        property.related.push_back(ResultRelated{id, displayName(*item)});
    }
    return property;
}

std::string ReportExecutor::fieldText(const FieldSource& source, const ObjectRow& row) {
    switch (source.builtin) {
    case BuiltinField::Name:
        return displayName(row);
    case BuiltinField::Identity:
        return std::to_string(row.id);
    case BuiltinField::ClassNumber:
        return std::to_string(static_cast<int>(row.cls));
    case BuiltinField::TypeNumber:
        return std::to_string(row.type);
    case BuiltinField::TypeName:
        return typeName(row);
    case BuiltinField::None:
        break;
    }
    const PropertyDecl* decl = propertyOf(row, source.property);
    if (!decl) {
        return {}; // a property the object's type does not declare reads as empty
    }
    if (decl->isList()) {
        return listProperty(*decl, row).value;
    }
    return m_store.property(row.id, decl->name).value_or(std::string());
}

const PropertyDecl* ReportExecutor::propertyOf(const ObjectRow& row, const std::string& name) const {
    if (row.cls == StoredClass::Definition) {
        return m_metamodel.definitionProperty(row.type, name);
    }
    if (row.cls == StoredClass::Diagram) {
        return m_metamodel.diagramProperty(row.type, name);
    }
    return nullptr;
}

std::string ReportExecutor::displayName(const ObjectRow& row) const {
    if (row.cls == StoredClass::Definition) {
        const DefinitionType* type = m_metamodel.definitionType(row.type);
        if (type && type->qualified) {
            return NameQuoting::qualifiedParts(row.name).back();
        }
    }
    return row.name;
}

std::string ReportExecutor::typeName(const ObjectRow& row) const {
    if (row.cls == StoredClass::Definition) {
        const DefinitionType* type = m_metamodel.definitionType(row.type);
        return type ? type->name : std::string();
    }
    const DiagramType* type = m_metamodel.diagramType(row.type);
    return type ? type->name : std::string();
}

void ReportExecutor::countItem() {
    if (++m_visited > m_itemLimit) {
        throw host::HostError(host::HostErrorCode::NotSupported, "The report yields more than " +
                                                                     std::to_string(m_itemLimit) +
                                                                     " objects; narrow it with conditions.");
    }
}

} // namespace km::kemora
