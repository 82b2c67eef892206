#pragma once
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

/// A place in a report script: 1-based line and column (columns count characters, not bytes).
struct ReportPos {
    int line = 1;
    int column = 1;
};

/// Throws HostError ReportSyntax with the text "line L, column C: " + \p message.
[[noreturn]] void throwReportError(ReportPos pos, const std::string& message);

enum class Measurement { English, Metric };

/// The SETTING blocks of a script. They are kept for completeness; none of them changes the
/// result XML, whose values are the stored texts.
struct ReportSettings {
    std::string decimalSeparator = ".";
    std::string listSeparator = ",";
    Measurement measurement = Measurement::English;
    std::string pageSize; ///< the raw text after PAGESIZE, up to its closing brace
    long long reportFormat = 0;
};

enum class FieldKind { Character, Date, Boolean, Numeric };

/// A FIELD declaration: a label that a select list may name, standing for a property.
struct FieldDecl {
    std::string label;
    std::string sourceProperty; ///< the label itself when no SOURCE PROPERTY is given
    long long length = 0;       ///< column width in a printed report; the result XML ignores it
    FieldKind kind = FieldKind::Character;
    std::optional<std::string> legend;
    ReportPos pos;
};

/// One entry of a SELECT list.
struct SelectItem {
    std::string field;
    std::optional<std::string> legend;
    ReportPos pos;
};

enum class CompareOp { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual, Like };

enum class ConditionKind {
    ClassIs,  ///< WHERE Class = Definition | Diagram
    TypeName, ///< WHERE Type = "name"
    Compare,  ///< WHERE "field" op value (Identity, Type Number, Name, properties ...)
};

enum class ClassName { Definition, Diagram };

/// One WHERE condition of a level.
struct Condition {
    ConditionKind kind = ConditionKind::Compare;
    ClassName className = ClassName::Definition; ///< ClassIs
    std::string subject;                         ///< Compare: the field name; TypeName: the type name
    CompareOp op = CompareOp::Equal;
    std::string value;          ///< the value as written (text without its quotes)
    bool valueIsNumber = false; ///< the value was written as a number
    ReportPos pos;              ///< where the condition's subject stands
    ReportPos valuePos;
};

/// One level of the query: the first selects starting objects, each further one the objects
/// related to an item of the level above by \c relation.
struct QueryLevel {
    std::string relation; ///< empty on the first level
    ReportPos relationPos;
    bool orderBySequence = false;
    bool partial = false;
    std::vector<SelectItem> select;
    std::vector<Condition> conditions;
    ReportPos pos; ///< where the level starts
};

/// A parsed report script.
struct ReportQuery {
    std::optional<std::string> reportName; ///< from the optional REPORT header
    std::optional<long long> reportId;
    ReportSettings settings;
    std::vector<FieldDecl> fields;
    /// False for a script without TABULAR (only settings and fields): its result is empty.
    bool hasQuery = false;
    std::vector<QueryLevel> levels;

    /// The field declared with that label (without regard to case), or nothing.
    const FieldDecl* field(const std::string& label) const;
};

} // namespace km::kemora
