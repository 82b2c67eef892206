#include "PropertyFiles.h"

namespace km::kemora {
namespace {

using test::loadProperties;

TEST(PropertyFileParserTest, ReadsEveryKindOfDeclaration) {
    auto result = loadProperties(R"(
definition 765 "Service"
DEFINITION 309 "Application"
{
    PROPERTY "Description" TYPE MULTILINE
    PROPERTY "Commission Date" LABEL "Commissioned" TYPE DATE
    PROPERTY "Version" KEY
    PROPERTY "Cost" TYPE NUMBER
    PROPERTY "Live" TYPE BOOLEAN
    LIST "Provides Services" OF 765 RELATION "provides" REVERSE "provided by"
}
DEFINITION 799 "Analytic Parameter" QUALIFIED { PROPERTY "Default Value" }
SYMBOL 1 "Text"
SYMBOL 818 "Reference" { LIST "References" REVERSE "referred to by" NUMBER 112 RELATION "refers to" SINGLE LABEL "Refs" }
SYMBOL 770 "Service" DEFINED BY 765
DIAGRAM 132 "Service Hierarchy" { SYMBOLS 1, 770 PROPERTY "Owner" }
SYMBOL PROPERTIES { PROPERTY "Parameter1" }
DIAGRAM PROPERTIES { PROPERTY "Run Analytics after build?" TYPE BOOLEAN }
)");
    EXPECT_DIAGNOSTICS(result);
    const Metamodel& model = result.metamodel;
    ASSERT_EQ(model.definitionTypes.size(), 3u);
    const DefinitionType& application = model.definitionTypes[1];
    EXPECT_EQ(application.pos.line, 3);
    ASSERT_EQ(application.properties.size(), 6u);
    EXPECT_EQ(application.properties[0].editType, EditType::MultiLine);
    EXPECT_EQ(application.properties[1].label, "Commissioned");
    EXPECT_EQ(application.properties[1].editType, EditType::Date);
    EXPECT_TRUE(application.properties[2].key);
    EXPECT_EQ(application.properties[2].editType, EditType::Text);
    EXPECT_EQ(application.properties[3].editType, EditType::Number);
    EXPECT_EQ(application.properties[4].editType, EditType::Boolean);
    const PropertyDecl& provides = application.properties[5];
    EXPECT_EQ(provides.editType, EditType::List);
    EXPECT_EQ(provides.listType, 765);
    EXPECT_EQ(provides.relation, "provides");
    EXPECT_EQ(provides.reverse, "provided by");
    EXPECT_FALSE(provides.single);
    EXPECT_TRUE(model.definitionType(799)->qualified);
    EXPECT_FALSE(application.qualified);

    const PropertyDecl& references = model.symbolType(818)->properties.at(0);
    EXPECT_EQ(references.listType, 0);
    EXPECT_EQ(references.relationNumber, 112);
    EXPECT_TRUE(references.single);
    EXPECT_EQ(references.label, "Refs");
    EXPECT_EQ(model.symbolType(770)->definitionType, 765);
    EXPECT_EQ(model.symbolType(1)->definitionType, 0);
    EXPECT_EQ(model.diagramType(132)->symbolTypes, (std::vector<Long>{1, 770}));
    EXPECT_EQ(model.diagramType(132)->properties.at(0).name, "Owner");
    EXPECT_EQ(model.symbolProperties.at(0).name, "Parameter1");
    EXPECT_EQ(model.diagramProperties.at(0).editType, EditType::Boolean);
}

TEST(PropertyFileParserTest, FaultyMemberIsDroppedAndTheRestOfTheTypeKept) {
    auto result = loadProperties("DEFINITION 1 \"A\" {\n"
                                 "  SYMBOLS 1\n"
                                 "  PROPERTY \"x\" TYPE DAT\n"
                                 "  PROPERTY \"y\" \"z\"\n"
                                 "  PROPERTY \"w\" LABEL \"a\" LABEL \"b\"\n"
                                 "  LIST \"l\" OF 1 RELATION \"r\"\n"
                                 "  LIST \"n\" RELATION \"a\" REVERSE \"b\" NUMBER 0\n"
                                 "  PROPERTY \"ok\" TYPE DATE\n"
                                 "}\n");
    EXPECT_DIAGNOSTICS(result, "kmprops.cfg:2:3: expected PROPERTY, LIST or '}' but found 'SYMBOLS'",
                       "kmprops.cfg:3:21: expected TEXT, DATE, NUMBER, BOOLEAN or MULTILINE but found 'DAT'",
                       "kmprops.cfg:4:16: expected LABEL, TYPE, KEY, PROPERTY, LIST or '}' but found \"z\"",
                       "kmprops.cfg:5:26: expected each option once but found a second 'LABEL'",
                       "kmprops.cfg:6:8: expected REVERSE \"name\" in the list \"l\" but found none",
                       "kmprops.cfg:7:44: expected a relation number from 1 to 2147483647 but found 0");
    const DefinitionType* type = result.metamodel.definitionType(1);
    ASSERT_NE(type, nullptr);
    ASSERT_EQ(type->properties.size(), 1u);
    EXPECT_EQ(type->properties[0].name, "ok");
    EXPECT_EQ(type->properties[0].editType, EditType::Date);
}

TEST(PropertyFileParserTest, FaultyHeadingSkipsTheDeclarationUpToTheNextOne) {
    auto result = loadProperties("garbage } {\n"
                                 "DEFINITION 0 \"Zero\" { PROPERTY \"a\" }\n"
                                 "DEFINITION 2 \"\"\n"
                                 "DEFINITION 3 \" Blank\"\n"
                                 "DEFINITION 4 \"Four\" QUALIFED { PROPERTY \"b\" }\n"
                                 "SYMBOL 5 \"Five\" DEFINED 6\n"
                                 "EXTEND PROPERTY 7 { }\n"
                                 "DEFINITION 8 \"Eight\" { PROPERTY \"c\" }\n");
    EXPECT_DIAGNOSTICS(result, "kmprops.cfg:1:1: expected DEFINITION, SYMBOL, DIAGRAM or EXTEND but found 'garbage'",
                       "kmprops.cfg:2:12: expected a type number from 1 to 2147483647 but found 0",
                       "kmprops.cfg:3:14: expected the type's name but found an empty text",
                       "kmprops.cfg:4:14: expected the type's name without leading or trailing blanks but found \" "
                       "Blank\"",
                       "kmprops.cfg:5:21: expected QUALIFIED, '{' or the next declaration but found 'QUALIFED'",
                       "kmprops.cfg:6:25: expected BY after DEFINED but found 6",
                       "kmprops.cfg:7:8: expected DEFINITION, SYMBOL or DIAGRAM after EXTEND but found 'PROPERTY'");
    ASSERT_EQ(result.metamodel.definitionTypes.size(), 1u);
    EXPECT_EQ(result.metamodel.definitionTypes[0].name, "Eight");
    EXPECT_EQ(result.metamodel.definitionTypes[0].properties.size(), 1u);
    EXPECT_TRUE(result.metamodel.symbolTypes.empty());
}

TEST(PropertyFileParserTest, MissingClosingBraceKeepsBothDeclarations) {
    auto result = loadProperties("DEFINITION 1 \"A\" {\n  PROPERTY \"a\"\nDEFINITION 2 \"B\" {\n  PROPERTY \"b\"\n");
    EXPECT_DIAGNOSTICS(result,
                       "kmprops.cfg:3:1: expected '}' to close the body that starts at line 1 but found 'DEFINITION'",
                       "kmprops.cfg:5:1: expected '}' to close the body that starts at line 3 but found the end of "
                       "the file");
    ASSERT_EQ(result.metamodel.definitionTypes.size(), 2u);
    EXPECT_EQ(result.metamodel.definitionType(2)->properties.at(0).name, "b");
}

TEST(PropertyFileParserTest, LexicalProblemIsReportedOnce) {
    auto result = loadProperties("DEFINITION 1 \"A\" {\n  PROPERTY \"open\n  PROPERTY \"b\"\n}\n");
    EXPECT_DIAGNOSTICS(result, "kmprops.cfg:2:17: expected '\"' to close the text that starts at column 12 but "
                               "found the end of the line");
    EXPECT_EQ(result.metamodel.definitionType(1)->properties.size(), 1u);
}

TEST(PropertyFileParserTest, SymbolsListNeedsCommasAndNumbers) {
    auto result = loadProperties("SYMBOL 1 \"T\"\nDIAGRAM 9 \"D\" { SYMBOLS 1, }\nDIAGRAM 10 \"E\" { SYMBOLS 1 2 }");
    EXPECT_DIAGNOSTICS(result, "kmprops.cfg:2:28: expected a type number but found '}'",
                       "kmprops.cfg:3:28: expected ',', PROPERTY, LIST, SYMBOLS or '}' but found 2");
    EXPECT_TRUE(result.metamodel.diagramType(9)->symbolTypes.empty());
}

} // namespace
} // namespace km::kemora
