#pragma once
#include "ReportPlan.h"
#include "ReportQuery.h"
#include "platform/kemora/metamodel/Metamodel.h"

namespace km::kemora {

/// Resolves the names of a parsed query against the metamodel: type names to numbers, relation
/// names to the list properties that form them, select entries to built-in fields or properties
/// (through FIELD declarations), and conditions to index lookups or filters.
/// Unknown type or relation names and values of the wrong kind throw HostError ReportSyntax
/// naming their line and column.
class ReportPlanner {
public:
    explicit ReportPlanner(const Metamodel& metamodel) : m_metamodel(metamodel) {}

    ReportPlan plan(const ReportQuery& query) const;

    /// The built-in field of that name (without regard to case), or None.
    static BuiltinField builtinNamed(const std::string& name);

private:
    PlannedLevel planLevel(const ReportQuery& query, const QueryLevel& level) const;
    void applyClassConditions(const QueryLevel& level, PlannedLevel& planned) const;
    void applyTypeName(const Condition& condition, PlannedLevel& planned) const;
    void applyComparison(const ReportQuery& query, const Condition& condition, PlannedLevel& planned) const;
    void applyNumericBuiltin(BuiltinField builtin, const Condition& condition, PlannedLevel& planned) const;
    std::vector<RelationStep> relationSteps(const QueryLevel& level) const;
    static FieldSource sourceOf(const ReportQuery& query, const std::string& name);

    const Metamodel& m_metamodel;
};

} // namespace km::kemora
