#include "PropertyFiles.h"

namespace km::kemora {
namespace {

using test::loadProperties;

TEST(MetamodelTest, DuplicateNumbersAndNamesAreReportedAndTheFirstWins) {
    auto result = loadProperties("DEFINITION 1 \"A\" { PROPERTY \"first\" }\n"
                                 "DEFINITION 1 \"Other\" { PROPERTY \"second\" }\n"
                                 "DEFINITION 2 \"a\"\n"
                                 "SYMBOL 1 \"A\"\n" // numbers and names are unique per kind only
                                 "DIAGRAM 1 \"A\"\n",
                                 {});
    EXPECT_DIAGNOSTICS(result,
                       "kmprops.cfg:2:12: expected a definition type number not declared before but found 1 "
                       "(declared at kmprops.cfg:1:12)",
                       "kmprops.cfg:3:14: expected a definition type name not declared before but found \"a\" "
                       "(declared at kmprops.cfg:1:14)");
    ASSERT_EQ(result.metamodel.definitionTypes.size(), 1u);
    EXPECT_EQ(result.metamodel.definitionType(1)->properties.at(0).name, "first");
    EXPECT_NE(result.metamodel.symbolType(1), nullptr);
    EXPECT_NE(result.metamodel.diagramType(1), nullptr);
}

TEST(MetamodelTest, PropertyNamesAreUniqueWithinTheirOwnerWithoutRegardToCase) {
    auto result = loadProperties("DEFINITION 1 \"A\" { PROPERTY \"Name\" PROPERTY \"NAME\" }\n"
                                 "DEFINITION 2 \"B\" { PROPERTY \"Name\" }\n"
                                 "EXTEND DEFINITION 2 { PROPERTY \"name\" PROPERTY \"Added\" }\n"
                                 "DIAGRAM PROPERTIES { PROPERTY \"Common\" }\n"
                                 "DIAGRAM PROPERTIES { PROPERTY \"common\" }\n"
                                 "SYMBOL PROPERTIES { PROPERTY \"Shared\" }\n"
                                 "SYMBOL 5 \"S\" { PROPERTY \"SHARED\" PROPERTY \"Own\" }\n");
    EXPECT_DIAGNOSTICS(
        result,
        "kmprops.cfg:1:45: expected a property name not used before in the definition type 1 but found \"NAME\" "
        "(declared at kmprops.cfg:1:29)",
        "kmprops.cfg:5:31: expected a property name not used before in every diagram but found \"common\" (declared "
        "at kmprops.cfg:4:31)",
        "kmprops.cfg:3:32: expected a property name not used before in the definition type 2 but found \"name\" "
        "(declared at kmprops.cfg:2:29)",
        "kmprops.cfg:7:25: expected a property name that every symbol does not have already in the symbol type 5 but "
        "found \"SHARED\" (declared for every symbol at kmprops.cfg:6:30)");
    EXPECT_EQ(result.metamodel.definitionType(1)->properties.size(), 1u);
    EXPECT_EQ(result.metamodel.definitionType(2)->properties.size(), 2u);
    ASSERT_EQ(result.metamodel.symbolType(5)->properties.size(), 1u);
    EXPECT_EQ(result.metamodel.symbolType(5)->properties[0].name, "Own");
}

TEST(MetamodelTest, ReferencesResolveAcrossFilesAndUnknownOnesAreLeftOut) {
    auto result = loadProperties("EXTEND DEFINITION 7 { LIST \"Early\" OF 7 RELATION \"r\" REVERSE \"s\" }\n"
                                 "EXTEND SYMBOL 99 { PROPERTY \"x\" }\n"
                                 "DIAGRAM 131 \"D\" { SYMBOLS 1, 770, 1, 404 }\n"
                                 "#includex \"later.cfg\"\n",
                                 {{"later.cfg", "DEFINITION 7 \"Seven\" {\n"
                                                "  LIST \"Any\" OF 0 RELATION \"a\" REVERSE \"b\"\n"
                                                "  LIST \"Bad\" OF 8 RELATION \"c\" REVERSE \"d\"\n"
                                                "}\n"
                                                "SYMBOL 1 \"Text\"\n"
                                                "SYMBOL 770 \"Top\" DEFINED BY 7\n"
                                                "SYMBOL 771 \"Orphan\" DEFINED BY 8\n"
                                                "EXTEND DIAGRAM 131 { SYMBOLS 771 }\n"}});
    EXPECT_DIAGNOSTICS(result, "kmprops.cfg:2:15: expected a declared symbol type to extend but found 99",
                       "later.cfg:7:32: expected a declared definition type after DEFINED BY but found 8",
                       "kmprops.cfg:3:35: expected each symbol type once in the diagram type 131 but found 1 again",
                       "kmprops.cfg:3:38: expected a declared symbol type but found 404",
                       "later.cfg:8:30: expected a declared symbol type but found 771",
                       "later.cfg:3:17: expected a declared definition type (or 0 for any) after OF in the list "
                       "\"Bad\" but found 8");
    const Metamodel& model = result.metamodel;
    EXPECT_EQ(model.diagramType(131)->symbolTypes, (std::vector<Long>{1, 770}));
    EXPECT_EQ(model.symbolType(771), nullptr);
    ASSERT_EQ(model.definitionType(7)->properties.size(), 2u);
    EXPECT_EQ(model.definitionType(7)->properties[0].name, "Any");
    EXPECT_EQ(model.definitionType(7)->properties[1].name, "Early");
}

TEST(MetamodelTest, LookupsIgnoreCaseAndFollowTheOwnerChain) {
    auto result = loadProperties("DEFINITION 309 \"Application\" { PROPERTY \"Version\" KEY PROPERTY \"Cost\" }\n"
                                 "SYMBOL 160 \"Application Symbol\" DEFINED BY 309 { PROPERTY \"Own\" }\n"
                                 "SYMBOL PROPERTIES { PROPERTY \"Parameter1\" }\n"
                                 "DIAGRAM 131 \"Architecture\" { PROPERTY \"Mine\" }\n"
                                 "DIAGRAM PROPERTIES { PROPERTY \"Description\" }\n");
    EXPECT_DIAGNOSTICS(result);
    const Metamodel& model = result.metamodel;
    EXPECT_EQ(model.definitionTypeNamed("APPLICATION"), model.definitionType(309));
    EXPECT_EQ(model.symbolTypeNamed("application symbol"), model.symbolType(160));
    EXPECT_EQ(model.diagramTypeNamed("architecture"), model.diagramType(131));
    EXPECT_EQ(model.definitionTypeNamed("Nothing"), nullptr);
    EXPECT_EQ(model.definitionProperty(309, "cost")->name, "Cost");
    EXPECT_EQ(model.definitionProperty(310, "Cost"), nullptr);

    EXPECT_EQ(model.diagramProperty(131, "MINE")->ownerType, 131);
    EXPECT_EQ(model.diagramProperty(131, "description")->ownerType, 0);
    EXPECT_EQ(model.diagramProperty(132, "Description"), nullptr);

    EXPECT_EQ(model.symbolProperty(160, "own")->ownerClass, 2);
    EXPECT_EQ(model.symbolProperty(160, "parameter1")->ownerType, 0);
    const PropertyDecl* version = model.symbolProperty(160, "version"); // a key of the definition behind it
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->ownerClass, 3);
    EXPECT_EQ(version->ownerType, 309);
    EXPECT_EQ(model.symbolProperty(160, "Cost"), nullptr); // not a key
}

TEST(MetamodelTest, IndexOfAHandBuiltModelKeepsTheFirstOfANumberAndSetsEveryOwner) {
    Metamodel model;
    PropertyDecl property;
    property.name = "P";
    model.definitionTypes = {{1, "First", false, {property}, {}}, {1, "Second", false, {property}, {}}};
    model.symbolProperties = {property};
    model.index();
    EXPECT_EQ(model.definitionType(1)->name, "First");
    EXPECT_EQ(model.definitionTypeNamed("second")->name, "Second");
    EXPECT_EQ(model.definitionProperty(1, "p"), &model.definitionTypes[0].properties[0]);
    EXPECT_EQ(model.definitionTypes[1].properties[0].ownerClass, 3);
    EXPECT_EQ(model.definitionTypes[1].properties[0].ownerType, 1);
    EXPECT_EQ(model.symbolProperties[0].ownerClass, 2);
    EXPECT_EQ(model.symbolProperties[0].ownerType, 0);
}

TEST(MetamodelTest, RelationsAreFoundByForwardAndReverseName) {
    auto result = loadProperties("DEFINITION 765 \"Service\"\n"
                                 "DEFINITION 309 \"Application\" { LIST \"Provides\" OF 765 RELATION \"provides\" "
                                 "REVERSE \"provided by\" }\n"
                                 "DEFINITION 618 \"Component\" { LIST \"Provides\" OF 765 RELATION \"Provides\" "
                                 "REVERSE \"provided by\" }\n"
                                 "DIAGRAM PROPERTIES { LIST \"Analytics\" OF 765 RELATION \"uses\" REVERSE \"used by\" "
                                 "}\n");
    EXPECT_DIAGNOSTICS(result);
    Metamodel copy = result.metamodel; // the answers must point into the copy, not the original
    result.metamodel = Metamodel();
    auto providedBy = copy.relationsNamed("PROVIDED BY");
    ASSERT_EQ(providedBy.size(), 2u);
    EXPECT_EQ(providedBy[0].property, &copy.definitionType(309)->properties[0]);
    EXPECT_FALSE(providedBy[0].forward);
    EXPECT_EQ(providedBy[1].property->ownerType, 618);
    auto provides = copy.relationsNamed("provides");
    ASSERT_EQ(provides.size(), 2u);
    EXPECT_TRUE(provides[1].forward);
    auto usedBy = copy.relationsNamed("used by");
    ASSERT_EQ(usedBy.size(), 1u);
    EXPECT_EQ(usedBy[0].property, &copy.diagramProperties[0]);
    EXPECT_EQ(usedBy[0].property->ownerClass, 1);
    EXPECT_TRUE(copy.relationsNamed("comprises").empty());
}

TEST(MetamodelTest, GarbageKeepsOnlyTheFirstProblemsAndCountsTheRest) {
    auto result = loadProperties(std::string(1000, '@'));
    ASSERT_EQ(result.diagnostics.size(), 201u);
    EXPECT_EQ(result.diagnostics.back().text(),
              "kmprops.cfg:1:201: expected at most 200 problems but found 800 more, not shown");
}

} // namespace
} // namespace km::kemora
