#include "ReportPlanner.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace km::kemora {

namespace {

/// Narrows a class filter to one type; a second, different type admits nothing.
void restrictType(ClassFilter& filter, Long type) {
    if (filter.type && *filter.type != type) {
        filter.allowed = false;
    }
    filter.type = type;
}

const char* builtinText(BuiltinField builtin) {
    switch (builtin) {
    case BuiltinField::Identity:
        return "\"Identity\"";
    case BuiltinField::TypeNumber:
        return "\"Type Number\"";
    default:
        return "\"Class Number\"";
    }
}

} // namespace

BuiltinField ReportPlanner::builtinNamed(const std::string& name) {
    static const std::pair<const char*, BuiltinField> builtins[] = {
        {"Name", BuiltinField::Name},
        {"Identity", BuiltinField::Identity},
        {"Class Number", BuiltinField::ClassNumber},
        {"Type Number", BuiltinField::TypeNumber},
        {"Type Name", BuiltinField::TypeName},
    };
    for (const auto& [text, builtin] : builtins) {
        if (rt::equalsNoCase(name, text)) {
            return builtin;
        }
    }
    return BuiltinField::None;
}

FieldSource ReportPlanner::sourceOf(const ReportQuery& query, const std::string& name) {
    const FieldDecl* decl = query.field(name);
    const std::string& source = decl ? decl->sourceProperty : name;
    const BuiltinField builtin = builtinNamed(source);
    return FieldSource{builtin, builtin == BuiltinField::None ? source : std::string()};
}

ReportPlan ReportPlanner::plan(const ReportQuery& query) const {
    ReportPlan plan;
    plan.hasQuery = query.hasQuery;
    bool required = true;
    for (const QueryLevel& level : query.levels) {
        PlannedLevel planned = planLevel(query, level);
        required = required && !level.partial;
        planned.required = required;
        plan.levels.push_back(std::move(planned));
    }
    return plan;
}

PlannedLevel ReportPlanner::planLevel(const ReportQuery& query, const QueryLevel& level) const {
    PlannedLevel planned;
    planned.orderBySequence = level.orderBySequence;
    // Class conditions go first so that a type name is looked up among the classes the level admits.
    applyClassConditions(level, planned);
    for (const Condition& condition : level.conditions) {
        if (condition.kind == ConditionKind::TypeName) {
            applyTypeName(condition, planned);
        } else if (condition.kind == ConditionKind::Compare) {
            applyComparison(query, condition, planned);
        }
    }
    for (const SelectItem& item : level.select) {
        const FieldDecl* decl = query.field(item.field);
        std::string resultName = item.legend ? *item.legend : decl && decl->legend ? *decl->legend : item.field;
        planned.fields.push_back(PlannedField{sourceOf(query, item.field), std::move(resultName)});
    }
    if (!level.relation.empty()) {
        planned.steps = relationSteps(level);
    }
    return planned;
}

void ReportPlanner::applyClassConditions(const QueryLevel& level, PlannedLevel& planned) const {
    for (const Condition& condition : level.conditions) {
        if (condition.kind == ConditionKind::ClassIs) {
            (condition.className == ClassName::Definition ? planned.diagrams : planned.definitions).allowed = false;
        }
    }
}

void ReportPlanner::applyTypeName(const Condition& condition, PlannedLevel& planned) const {
    const bool definitions = planned.definitions.allowed;
    const bool diagrams = planned.diagrams.allowed;
    if (!definitions && !diagrams) {
        return;
    }
    const DefinitionType* definitionType = definitions ? m_metamodel.definitionTypeNamed(condition.subject) : nullptr;
    const DiagramType* diagramType = diagrams ? m_metamodel.diagramTypeNamed(condition.subject) : nullptr;
    if (!definitionType && !diagramType) {
        const std::string kind = definitions && diagrams ? "definition or diagram"
                                 : definitions           ? "definition"
                                                         : "diagram";
        throwReportError(condition.valuePos, "no " + kind + " type is named \"" + condition.subject + "\"");
    }
    if (definitionType) {
        restrictType(planned.definitions, definitionType->number);
    } else {
        planned.definitions.allowed = false;
    }
    if (diagramType) {
        restrictType(planned.diagrams, diagramType->number);
    } else {
        planned.diagrams.allowed = false;
    }
}

void ReportPlanner::applyComparison(const ReportQuery& query, const Condition& condition, PlannedLevel& planned) const {
    const FieldSource source = sourceOf(query, condition.subject);
    switch (source.builtin) {
    case BuiltinField::Identity:
    case BuiltinField::TypeNumber:
    case BuiltinField::ClassNumber:
        applyNumericBuiltin(source.builtin, condition, planned);
        return;
    default:
        planned.filters.push_back(PlannedFilter{source, condition.op, condition.value, condition.valueIsNumber});
    }
}

void ReportPlanner::applyNumericBuiltin(BuiltinField builtin, const Condition& condition, PlannedLevel& planned) const {
    if (condition.op == CompareOp::Like) {
        throwReportError(condition.pos, std::string(builtinText(builtin)) + " is a number: compare it with =, <>, <, "
                                                                            ">, <= or >=, not LIKE");
    }
    if (!condition.valueIsNumber) {
        throwReportError(condition.valuePos, "expected a number for " + std::string(builtinText(builtin)) +
                                                 ", found \"" + condition.value + "\"");
    }
    if (condition.op != CompareOp::Equal) {
        planned.filters.push_back(PlannedFilter{FieldSource{builtin, {}}, condition.op, condition.value, true});
        return;
    }
    const double value = rt::Val(condition.value);
    if (value != std::floor(value)) {
        throwReportError(condition.valuePos, "expected a whole number for " + std::string(builtinText(builtin)) +
                                                 ", found " + condition.value);
    }
    if (value < std::numeric_limits<Long>::min() || value > std::numeric_limits<Long>::max()) {
        planned.impossible = true; // no object has such a number
        return;
    }
    const auto number = static_cast<Long>(value);
    if (builtin == BuiltinField::Identity) {
        planned.impossible = planned.impossible || (planned.identity && *planned.identity != number);
        planned.identity = number;
    } else if (builtin == BuiltinField::TypeNumber) {
        restrictType(planned.definitions, number);
        restrictType(planned.diagrams, number);
    } else {
        planned.definitions.allowed = planned.definitions.allowed && number == 3;
        planned.diagrams.allowed = planned.diagrams.allowed && number == 1;
    }
}

std::vector<RelationStep> ReportPlanner::relationSteps(const QueryLevel& level) const {
    const std::vector<Metamodel::RelationEnd> ends = m_metamodel.relationsNamed(level.relation);
    if (ends.empty()) {
        throwReportError(level.relationPos, "no relation is named \"" + level.relation + "\"");
    }
    std::vector<RelationStep> steps;
    // Forward steps first: with ORDERBY SEQUENCE their list order leads.
    for (bool forward : {true, false}) {
        for (const Metamodel::RelationEnd& end : ends) {
            if (end.forward != forward) {
                continue;
            }
            auto same = std::find_if(steps.begin(), steps.end(), [&](const RelationStep& step) {
                return step.forward == forward && step.property == end.property->name;
            });
            if (same == steps.end()) {
                steps.push_back(RelationStep{end.property->name, forward, {}});
                same = steps.end() - 1;
            }
            same->owners.push_back(end.property);
        }
    }
    return steps;
}

} // namespace km::kemora
