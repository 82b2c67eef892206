#pragma once
#include "ReportQuery.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

/// Fields every object answers without a property lookup.
enum class BuiltinField { None, Name, Identity, ClassNumber, TypeNumber, TypeName };

/// A field as the executor reads it: a built-in field or a property.
struct FieldSource {
    BuiltinField builtin = BuiltinField::None;
    std::string property; ///< when not built in
};

/// A selected field: where its value comes from and the name it gets in the result.
struct PlannedField {
    FieldSource source;
    std::string resultName; ///< KMPrpName
};

/// A comparison the executor checks object by object.
struct PlannedFilter {
    FieldSource source;
    CompareOp op = CompareOp::Equal;
    std::string value;
    bool valueIsNumber = false;
};

/// Which objects of one class a level admits.
struct ClassFilter {
    bool allowed = true;
    std::optional<Long> type; ///< nothing: any type
};

/// One way of stepping along a named relation: the items of the parent's list property
/// (forward) or the owners whose list property holds the parent (reverse). \c owners are the
/// declarations of that property name whose owner class and type the owner must match.
struct RelationStep {
    std::string property;
    bool forward = true;
    std::vector<const PropertyDecl*> owners;
};

struct PlannedLevel {
    ClassFilter definitions;
    ClassFilter diagrams;
    std::optional<Long> identity;
    bool impossible = false; ///< contradictory conditions: the level yields nothing
    std::vector<PlannedFilter> filters;
    std::vector<RelationStep> steps; ///< empty on the first level
    bool orderBySequence = false;
    /// True when an item needs something on the level below to appear (no PARTIAL on this
    /// level or above).
    bool required = true;
    std::vector<PlannedField> fields;
};

/// A report query with its names resolved against the metamodel.
struct ReportPlan {
    bool hasQuery = false;
    std::vector<PlannedLevel> levels;
};

} // namespace km::kemora
