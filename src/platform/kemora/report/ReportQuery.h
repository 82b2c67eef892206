#pragma once
#include "platform/runtime/SourcePosition.h"
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

/// The name report scripts go by in messages: they reach the engine as text, without a file name.
inline constexpr const char* reportScriptName = "script";

/// Throws HostError ReportSyntax with the located message ("script:line:column: message").
[[noreturn]] void throwReportError(const rt::SourcePosition& pos, const std::string& message);

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
    rt::SourcePosition pos;
};

/// One entry of a SELECT list.
struct SelectItem {
    std::string field;
    std::optional<std::string> legend;
    rt::SourcePosition pos;
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
    rt::SourcePosition pos;     ///< where the condition's subject stands
    rt::SourcePosition valuePos;
};

/// One level of the query: the first selects starting objects, each further one the objects
/// related to an item of the level above by \c relation.
struct QueryLevel {
    std::string relation; ///< empty on the first level
    rt::SourcePosition relationPos;
    bool orderBySequence = false;
    bool partial = false;
    std::vector<SelectItem> select;
    std::vector<Condition> conditions;
    rt::SourcePosition pos; ///< where the level starts
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
