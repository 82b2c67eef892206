#include "platform/kemora/report/ReportParser.h"
#include "host/HostError.h"
#include "support/ReportScripts.h"
#include <gtest/gtest.h>

using namespace km::kemora;
using km::kemora::test::prepared;
using km::kemora::test::replaced;

namespace {

ReportQuery parsed(const std::string& script) {
    return ReportParser(script).parse();
}

/// The message of the HostError the script raises; fails the test when it parses.
std::string syntaxError(const std::string& script) {
    try {
        parsed(script);
    } catch (const km::host::HostError& error) {
        EXPECT_EQ(error.code(), km::host::HostErrorCode::ReportSyntax);
        return error.description();
    }
    ADD_FAILURE() << "parsed without error: " << script;
    return {};
}

std::vector<std::string> relations(const ReportQuery& query) {
    std::vector<std::string> names;
    for (const QueryLevel& level : query.levels) {
        names.push_back(level.relation);
    }
    return names;
}

std::vector<std::string> selected(const QueryLevel& level) {
    std::vector<std::string> fields;
    for (const SelectItem& item : level.select) {
        fields.push_back(item.field + (item.legend ? "=" + *item.legend : ""));
    }
    return fields;
}

} // namespace

TEST(ReportParser, ReadsTheDiagramUsesScriptAsWrittenAndAsPrepared) {
    const std::string script = test::diagramUsesScript(4711, 798);
    for (const std::string& text : {script, prepared(script)}) {
        const ReportQuery query = parsed(text);
        ASSERT_TRUE(query.hasQuery);
        ASSERT_EQ(query.levels.size(), 2u);
        EXPECT_EQ(query.settings.measurement, Measurement::Metric);
        const QueryLevel& top = query.levels[0];
        ASSERT_EQ(top.conditions.size(), 2u);
        EXPECT_EQ(top.conditions[0].kind, ConditionKind::ClassIs);
        EXPECT_EQ(top.conditions[0].className, ClassName::Diagram);
        EXPECT_EQ(top.conditions[1].subject, "Identity");
        EXPECT_EQ(top.conditions[1].value, "4711");
        EXPECT_TRUE(top.conditions[1].valueIsNumber);
        const QueryLevel& uses = query.levels[1];
        EXPECT_EQ(uses.relation, "uses");
        EXPECT_TRUE(uses.orderBySequence);
        EXPECT_FALSE(uses.partial);
        EXPECT_EQ(selected(uses), (std::vector<std::string>{"Identity=KMTargetIdentity", "Class Number=KMTargetClass",
                                                            "Type Number=KMTargetType", "Name=KMTargetName"}));
        ASSERT_EQ(uses.conditions.size(), 2u);
        EXPECT_EQ(uses.conditions[1].subject, "Type Number");
        EXPECT_EQ(uses.conditions[1].value, "798");
    }
}

TEST(ReportParser, ReadsTheHierarchyScriptsWithHeaderAndDoubleClosingBrace) {
    const std::string script = replaced(test::hierarchyScript(619, "comprises", 618), "#DDIDS#", "12");
    for (const std::string& text : {script, prepared(script)}) {
        const ReportQuery query = parsed(text);
        EXPECT_EQ(relations(query), (std::vector<std::string>{"", "comprises"}));
        EXPECT_EQ(selected(query.levels[1]), (std::vector<std::string>{"Identity=KMTargetID"}));
        EXPECT_EQ(query.levels[0].conditions.size(), 3u);
    }
    const ReportQuery raw = parsed(script);
    EXPECT_EQ(raw.reportName, "");
    EXPECT_EQ(raw.reportId, 49925);
    EXPECT_EQ(raw.settings.pageSize, " -1\", 0.00 ");
}

TEST(ReportParser, ReadsTheComponentReportWithFieldsAndPartial) {
    const std::string script = test::componentReport(765);
    for (const std::string& text : {script, prepared(script)}) {
        const ReportQuery query = parsed(text);
        EXPECT_EQ(relations(query), (std::vector<std::string>{"", "provides", "provided by"}));
        EXPECT_TRUE(query.levels[0].partial);
        EXPECT_FALSE(query.levels[1].partial);
        EXPECT_EQ(selected(query.levels[2]),
                  (std::vector<std::string>{"Name=Application Name", "Commission Date <-- Commission Date",
                                            "Decommission Date <-- Decommission Date"}));
        ASSERT_EQ(query.fields.size(), 2u);
        const FieldDecl* decl = query.field("commission date <-- commission date");
        ASSERT_NE(decl, nullptr);
        EXPECT_EQ(decl->sourceProperty, "Commission Date");
        EXPECT_EQ(decl->legend, "Commission Date");
        EXPECT_EQ(decl->kind, FieldKind::Date);
        EXPECT_EQ(decl->length, 10);
    }
}

TEST(ReportParser, ReadsTheServicePlanAndProjectReports) {
    for (bool additions : {true, false}) {
        const std::string script = test::servicePlanReport(additions, 765);
        for (const std::string& text : {script, prepared(script)}) {
            const ReportQuery query = parsed(text);
            EXPECT_EQ(relations(query),
                      (std::vector<std::string>{"", additions ? "is added to" : "is removed from", "used by"}));
            EXPECT_EQ(query.levels[1].select.size(), 4u);
            ASSERT_EQ(query.levels[1].conditions.size(), 2u);
            EXPECT_EQ(query.levels[1].conditions[1].kind, ConditionKind::TypeName);
            EXPECT_EQ(query.levels[1].conditions[1].subject, "Project/Service Plan");
            EXPECT_EQ(query.field("Project Complete <-- Project Complete")->kind, FieldKind::Boolean);
            EXPECT_EQ(query.field("Application <-- Application")->kind, FieldKind::Character);
        }
    }
    const std::string project = test::projectReport();
    for (const std::string& text : {project, prepared(project)}) {
        const ReportQuery query = parsed(text);
        // The comma before the line break continues the list on the next line.
        EXPECT_EQ(selected(query.levels[1]),
                  (std::vector<std::string>{"Name=Service Plan Name", "Start Date", "Completion Date"}));
    }
}

TEST(ReportParser, TreatsCrLfAndLfAlikeAndCountsLinesOnBoth) {
    const std::string lf = test::componentReport(765);
    const std::string crlf = replaced(lf, "\n", "\r\n");
    EXPECT_EQ(relations(parsed(crlf)), relations(parsed(lf)));
    EXPECT_EQ(selected(parsed(crlf).levels[2]), selected(parsed(lf).levels[2]));
    const std::string broken = "TABULAR 1\r\n{\r\nWHERE Class = Definition\r\nWHERE Class = Thing\r\n}";
    EXPECT_EQ(syntaxError(broken), "script:4:15: expected Definition or Diagram after Class =, found Thing");
}

TEST(ReportParser, AcceptsKeywordsInAnyCase) {
    const ReportQuery query = parsed("setting { measurement metric } Setting { PageSize 1, 2 } tabular 1 { "
                                     "select \"Name\" legend \"N\" partial where class = definition "
                                     "join where relation = \"uses\" join orderby sequence where type = \"Project\" }");
    EXPECT_EQ(query.settings.measurement, Measurement::Metric);
    ASSERT_EQ(query.levels.size(), 2u);
    EXPECT_TRUE(query.levels[0].partial);
    EXPECT_TRUE(query.levels[1].orderBySequence);
    EXPECT_EQ(query.levels[1].conditions[0].kind, ConditionKind::TypeName);
}

TEST(ReportParser, ReadsPropertyComparisonsAndTheirOperators) {
    const ReportQuery query = parsed("TABULAR 1 { WHERE \"Status\" = \"Live\" WHERE \"Cost\" <> 3 WHERE \"Cost\" < 4 "
                                     "WHERE \"Cost\" > -5.5 WHERE \"Start Date\" <= \"20200101\" WHERE \"Cost\" >= 1 "
                                     "WHERE \"Name\" LIKE \"A*\" WHERE Type = 765 }");
    const auto& conditions = query.levels[0].conditions;
    ASSERT_EQ(conditions.size(), 8u);
    const std::vector<CompareOp> ops{CompareOp::Equal,     CompareOp::NotEqual,     CompareOp::Less, CompareOp::Greater,
                                     CompareOp::LessEqual, CompareOp::GreaterEqual, CompareOp::Like, CompareOp::Equal};
    for (size_t i = 0; i < ops.size(); ++i) {
        EXPECT_EQ(conditions[i].op, ops[i]) << i;
    }
    EXPECT_EQ(conditions[3].value, "-5.5");
    EXPECT_TRUE(conditions[3].valueIsNumber);
    EXPECT_FALSE(conditions[4].valueIsNumber);
    EXPECT_EQ(conditions[7].subject, "Type Number"); // Type = 765 reads as a type number
}

TEST(ReportParser, ReadsDoubledQuotesInsideTextsAndEmptyTexts) {
    const ReportQuery query = parsed("REPORT \"\" TABULAR 1 { WHERE \"Name\" = \"say \"\"hi\"\"\" }");
    EXPECT_EQ(query.reportName, "");
    EXPECT_EQ(query.levels[0].conditions[0].value, "say \"hi\"");
}

TEST(ReportParser, AcceptsATrailingCommaBeforeTheNextClause) {
    const ReportQuery query = parsed("TABULAR 1 {\nSELECT \"Name\", \"Identity\",\nWHERE Class = Definition\n}");
    EXPECT_EQ(selected(query.levels[0]), (std::vector<std::string>{"Name", "Identity"}));
    EXPECT_EQ(query.levels[0].conditions.size(), 1u);
}

TEST(ReportParser, AnswersNoQueryForSettingsOnly) {
    EXPECT_FALSE(parsed("").hasQuery);
    EXPECT_FALSE(parsed(prepared("")).hasQuery);
    EXPECT_FALSE(parsed(prepared("SETTING { MEASUREMENT English }\nFIELD \"a\" { }")).hasQuery);
    EXPECT_FALSE(parsed("REPORT \"x\" ID 1 { SETTING { REPORTFORMAT 0 } } }").hasQuery);
}

TEST(ReportParser, SkipsAByteOrderMarkAndCountsColumnsInCharacters) {
    EXPECT_TRUE(parsed("\xEF\xBB\xBFTABULAR 1 { }").hasQuery);
    EXPECT_EQ(syntaxError("TABULAR 1 { SELECT \"Größe\" WHERE \"x\" ! }"), "script:1:38: unexpected character '!'");
    EXPECT_EQ(syntaxError("TABULAR 1 { \xC3\xA9 }"), "script:1:13: unexpected character '\xC3\xA9'");
    EXPECT_EQ(syntaxError("TABULAR 1 { \xA9 }"), "script:1:13: unexpected byte (code 169)");
}

TEST(ReportParser, RefusesMoreLevelsThanTheLimit) {
    std::string script = "TABULAR 1 {";
    for (size_t i = 1; i < ReportParser::maxLevels; ++i) {
        script += " JOIN WHERE RELATION = \"uses\" JOIN";
    }
    EXPECT_EQ(parsed(script + " }").levels.size(), ReportParser::maxLevels);
    const std::string message = syntaxError(script + "\nJOIN WHERE RELATION = \"uses\" JOIN }");
    EXPECT_EQ(message, "script:2:1: a query joins at most 64 levels");
}

struct MalformedCase {
    const char* script;
    const char* message;
};

class ReportParserMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(ReportParserMalformed, NamesLineColumnAndWhatWasExpected) {
    EXPECT_EQ(syntaxError(GetParam().script), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ReportParserMalformed,
    testing::Values(
        MalformedCase{"TABULAR 1 {\nWHERE Class = Definition\n  JOIN WHERE RELATION = uses JOIN }",
                      "script:3:25: expected a relation name in double quotes after RELATION =, found uses"},
        MalformedCase{"TABULAR 1 { JOIN WHERE RELATION = \"\" JOIN }", "script:1:35: the relation name is empty"},
        MalformedCase{"TABULAR 1 { JOIN RELATION = \"a\" JOIN }",
                      "script:1:18: expected WHERE after JOIN, found RELATION"},
        MalformedCase{"TABULAR 1 { JOIN WHERE RELATION = \"a\" }",
                      "script:1:39: expected JOIN after the relation name, found '}'"},
        MalformedCase{"TABULAR 1 { WHERE RELATION = \"a\" }",
                      "script:1:19: RELATION = stands only between two JOINs (JOIN WHERE RELATION = \"name\" "
                      "JOIN)"},
        MalformedCase{"TABULAR 1 { WHERE \"Identity\" = #DDIDS# }",
                      "script:1:32: the placeholder #DDIDS# must be replaced before the script runs"},
        MalformedCase{"TABULAR 1 { WHERE \"Identity\" = # }", "script:1:32: unexpected character '#'"},
        MalformedCase{"TABULAR 1 { WHERE \"Identity\" 12 }",
                      "script:1:30: expected a comparison (=, <>, <, >, <=, >= or LIKE) after \"Identity\", "
                      "found 12"},
        MalformedCase{"TABULAR 1 { WHERE \"Identity\" = }",
                      "script:1:32: expected a number or a text in double quotes after \"Identity\" =, found "
                      "'}'"},
        MalformedCase{"TABULAR 1 { WHERE Name = \"x\" }",
                      "script:1:19: expected a condition (Class = ..., Type = \"name\" or a field name in double "
                      "quotes) after WHERE, found Name"},
        MalformedCase{"TABULAR 1 { WHERE Type = Project }",
                      "script:1:26: expected a type name in double quotes after Type =, found Project"},
        MalformedCase{"TABULAR 1 { WHERE Class Definition }",
                      "script:1:25: expected '=' after Class, found Definition"},
        MalformedCase{"TABULAR 1 { SELECT Name }",
                      "script:1:20: expected a field name in double quotes after SELECT, found Name"},
        MalformedCase{"TABULAR 1 { SELECT \"Name\" LEGEND }",
                      "script:1:34: expected a legend in double quotes after LEGEND, found '}'"},
        MalformedCase{"TABULAR 1 { ORDERBY NAME }", "script:1:21: expected SEQUENCE after ORDERBY, found NAME"},
        MalformedCase{"TABULAR 1 { WHERE Class = Diagram SORT }",
                      "script:1:35: expected ORDERBY SEQUENCE, SELECT, PARTIAL, WHERE, JOIN or '}' to close the "
                      "query, found SORT"},
        MalformedCase{"TABULAR 1 { WHERE Class = Diagram", "script:1:34: expected ORDERBY SEQUENCE, SELECT, "
                                                           "PARTIAL, WHERE, JOIN or '}' to close the query, found the "
                                                           "end of the script"},
        MalformedCase{"TABULAR 1 WHERE", "script:1:11: expected '{' to open the query after TABULAR 1, found WHERE"},
        MalformedCase{"TABULAR 2 { }", "script:1:9: expected 1 after TABULAR, found 2"},
        MalformedCase{"TABULAR { }", "script:1:9: expected 1 after TABULAR, found '{'"},
        MalformedCase{"TABULAR 1 { } } } }", "script:1:15: expected the end of the script after the query, found '}'"},
        MalformedCase{"REPORT \"\" ID 1 { TABULAR 1 { } } }",
                      "script:1:34: expected the end of the script after the query, found '}'"},
        MalformedCase{"SETTNG { MEASUREMENT English }",
                      "script:1:1: expected SETTING, FIELD or TABULAR 1, found SETTNG"},
        MalformedCase{"REPORT \"\" ID x {", "script:1:14: expected a report id (a whole number) after ID, found x"},
        MalformedCase{"SETTING { MEASUREMENT Imperial }",
                      "script:1:23: expected English or METRIC after MEASUREMENT, found Imperial"},
        MalformedCase{"SETTING { COLOUR 1 }",
                      "script:1:11: expected a setting name (DECIMALSEPARATOR, LISTSEPARATOR, MEASUREMENT, "
                      "PAGESIZE or REPORTFORMAT) after SETTING {, found COLOUR"},
        MalformedCase{"SETTING { DECIMALSEPARATOR , }",
                      "script:1:28: expected a separator in double quotes after DECIMALSEPARATOR, found ','"},
        MalformedCase{"SETTING { REPORTFORMAT 0 ", "script:1:26: expected '}' to close the setting, found the "
                                                   "end of the script"},
        MalformedCase{"SETTING { PAGESIZE -1\", 0.00 ", "script:1:30: expected '}' to close the setting, found "
                                                        "the end of the script"},
        MalformedCase{"SETTING { REPORTFORMAT 99999999999999999999 }",
                      "script:1:24: expected a whole number after REPORTFORMAT, found 99999999999999999999"},
        MalformedCase{"FIELD \"a\" { SOURCE \"b\" }", "script:1:20: expected PROPERTY after SOURCE, found \"b\""},
        MalformedCase{"FIELD \"a\" { TYPE MONEY }",
                      "script:1:18: expected DATE, BOOLEAN, CHARACTER or NUMERIC after TYPE, found MONEY"},
        MalformedCase{"FIELD \"a\" { WIDTH 3 }",
                      "script:1:13: expected SOURCE PROPERTY, LENGTH, TYPE, LEGEND or '}' to close the field, "
                      "found WIDTH"},
        MalformedCase{"FIELD \"a\" { LENGTH 1.5 }", "script:1:20: expected a whole number after LENGTH, found 1.5"},
        MalformedCase{"FIELD \"a\" { }\nFIELD \"A\" { }", "script:2:7: the field \"A\" is declared twice"},
        MalformedCase{"FIELD \"a\" { LEGEND \"b", "script:1:20: a text in double quotes is not closed before "
                                                  "the end of its line"},
        MalformedCase{"TABULAR 1 { WHERE \"Na\nme\" = 1 }",
                      "script:1:19: a text in double quotes is not closed before the end of its line"},
        MalformedCase{"TABULAR 1 {\n\tSELECT \"Name\" ; }", "script:2:16: unexpected character ';'"},
        MalformedCase{"TABULAR 1 { \x01 }", "script:1:13: unexpected control character (code 1)"}));
