#include "platform/kemora/metamodel/PropertyFilePreprocessor.h"
#include "PropertyFiles.h"
#include <chrono>
#include <stdexcept>

namespace km::kemora {
namespace {

using test::FileMap;
using test::loadProperties;

std::vector<std::string> definitionNames(const MetamodelLoadResult& result) {
    std::vector<std::string> names;
    for (const DefinitionType& type : result.metamodel.definitionTypes) {
        names.push_back(type.name);
    }
    return names;
}

TEST(PropertyFilePreprocessorTest, SwitchesChooseSectionsAtAnyDepth) {
    const std::string properties = "#ifdef KMForSOA\n"
                                   "  DEFINITION 1 \"On\"\n"
                                   "  #ifndef Other\n"
                                   "    DEFINITION 2 \"OnWithoutOther\"\n"
                                   "  #else\n"
                                   "    DEFINITION 3 \"OnWithOther\" \"unterminated\n"
                                   "  #endif\n"
                                   "#else\n"
                                   "  DEFINITION 4 \"Off\"\n"
                                   "#endif\n"
                                   "DEFINITION 5 \"Always\"\n";
    auto off = loadProperties(properties);
    EXPECT_DIAGNOSTICS(off); // lexical problems of a section switched off are not reported
    EXPECT_EQ(definitionNames(off), (std::vector<std::string>{"Off", "Always"}));

    auto on = loadProperties(properties, {{"KMDECLAR.CFG", "DECLARE \"kmforsoa\" DEFINED\n"}});
    EXPECT_DIAGNOSTICS(on);
    EXPECT_EQ(definitionNames(on), (std::vector<std::string>{"On", "OnWithoutOther", "Always"}));

    auto both =
        loadProperties(properties, {{"KMDECLAR.CFG", "DECLARE \"KMForSOA\" DEFINED\nDECLARE \"Other\" DEFINED"}});
    EXPECT_EQ(both.diagnostics.size(), 1u);
    EXPECT_EQ(definitionNames(both), (std::vector<std::string>{"On", "Always"}));
}

TEST(PropertyFilePreprocessorTest, IncludedFilesStandInPlaceOfTheirIncludeEvenInsideABody) {
    auto result = loadProperties("DEFINITION 1 \"A\" {\n#includex \"members.cfg\"\n PROPERTY \"last\" }\n"
                                 "#includex \"more.cfg\"\nDEFINITION 3 \"C\"",
                                 {{"members.cfg", "PROPERTY \"first\""}, {"more.cfg", "DEFINITION 2 \"B\""}});
    EXPECT_DIAGNOSTICS(result);
    EXPECT_EQ(definitionNames(result), (std::vector<std::string>{"A", "B", "C"}));
    ASSERT_EQ(result.metamodel.definitionType(1)->properties.size(), 2u);
    EXPECT_EQ(result.metamodel.definitionType(1)->properties[0].pos.source, "members.cfg");
}

TEST(PropertyFilePreprocessorTest, MissingAndCyclicIncludesAreReportedAndSkipped) {
    auto result = loadProperties("#includex \"gone.cfg\"\n#includex \"a.cfg\"\nDEFINITION 9 \"Root\"",
                                 {{"a.cfg", "DEFINITION 1 \"A\"\n#includex \"b.cfg\""},
                                  {"b.cfg", "#includex \"A.CFG\"\nDEFINITION 2 \"B\"\n#includex \"b.cfg\""}});
    EXPECT_DIAGNOSTICS(
        result, "kmprops.cfg:1:1: expected a file \"gone.cfg\" in the encyclopedia's file store but found none",
        "b.cfg:1:1: expected an include that does not lead back to its own file but found \"A.CFG\" (kmprops.cfg -> "
        "a.cfg -> b.cfg -> A.CFG)",
        "b.cfg:3:1: expected an include that does not lead back to its own file but found \"b.cfg\" (kmprops.cfg -> "
        "a.cfg -> b.cfg -> b.cfg)");
    EXPECT_EQ(definitionNames(result), (std::vector<std::string>{"A", "B", "Root"}));
}

TEST(PropertyFilePreprocessorTest, IncludeDepthAndFileCountAreCapped) {
    FileMap chain;
    for (int i = 0; i < 40; ++i) {
        chain["f" + std::to_string(i) + ".cfg"] = "#includex \"f" + std::to_string(i + 1) + ".cfg\"";
    }
    auto deep = loadProperties("#includex \"f0.cfg\"", chain);
    ASSERT_EQ(deep.diagnostics.size(), 1u);
    EXPECT_EQ(deep.diagnostics[0].text(),
              "f30.cfg:1:1: expected includes nested at most 32 deep but found \"f31.cfg\" one deeper");

    // Every file includes the next one twice: without a cap this would read 2^30 files.
    FileMap doubling{{"d30.cfg", ""}};
    for (int i = 0; i < 30; ++i) {
        std::string next = "#includex \"d" + std::to_string(i + 1) + ".cfg\"\n";
        doubling["d" + std::to_string(i) + ".cfg"] = next + next;
    }
    auto started = std::chrono::steady_clock::now();
    auto wide = loadProperties("#includex \"d0.cfg\"", doubling);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    ASSERT_EQ(wide.diagnostics.size(), 1u);
    EXPECT_NE(wide.diagnostics[0].message.find("expected at most 256 files to read in all"), std::string::npos);
}

TEST(PropertyFilePreprocessorTest, UnbalancedConditionalsAreReportedPerFile) {
    auto result = loadProperties("#endif\n#ifdef X\n#else\n#else\n#endif\n#includex \"open.cfg\"\nDEFINITION 1 \"A\"",
                                 {{"open.cfg", "#ifdef Undeclared\nDEFINITION 2 \"B\"\n"}});
    EXPECT_DIAGNOSTICS(result, "kmprops.cfg:1:1: expected #ifdef or #ifndef before #endif but found none",
                       "kmprops.cfg:4:1: expected #endif but found a second #else",
                       "open.cfg:1:1: expected #endif to close this conditional but found the end of the file");
    // The section left open in the included file does not switch off the rest of its includer.
    EXPECT_EQ(definitionNames(result), (std::vector<std::string>{"A"}));
}

TEST(PropertyFilePreprocessorTest, SwitchedOffIncludesAreNotRead) {
    std::vector<std::string> requested;
    FileReader reader = [&requested](const std::string& name) -> std::optional<std::string> {
        requested.push_back(name);
        if (name == "kmprops.cfg") {
            return "#ifdef Off\n#includex \"never.cfg\"\n#endif\n";
        }
        return std::nullopt;
    };
    auto result = loadMetamodel(reader);
    EXPECT_DIAGNOSTICS(result);
    EXPECT_EQ(requested, (std::vector<std::string>{"KMDECLAR.CFG", "kmprops.cfg"}));
}

TEST(PropertyFilePreprocessorTest, UnreadableFilesBecomeDiagnostics) {
    FileReader throwing = [](const std::string& name) -> std::optional<std::string> {
        if (name == "kmprops.cfg") {
            return "#includex \"bad.cfg\"\n#includex \"big.cfg\"\nDEFINITION 1 \"A\"";
        }
        if (name == "big.cfg") {
            return std::string(PropertyFilePreprocessor::maxFileSize + 1, ' ');
        }
        throw std::runtime_error("disk on fire");
    };
    auto result = loadMetamodel(throwing);
    EXPECT_DIAGNOSTICS(result,
                       "KMDECLAR.CFG:1:1: expected a readable file \"KMDECLAR.CFG\" but found the error: disk on fire",
                       "kmprops.cfg:1:1: expected a readable file \"bad.cfg\" but found the error: disk on fire",
                       "kmprops.cfg:2:1: expected a property file of at most 4194304 bytes but found 4194305 bytes "
                       "in \"big.cfg\"");
    EXPECT_EQ(result.metamodel.definitionTypes.size(), 1u);

    auto none = loadMetamodel(test::readerOf({}));
    EXPECT_DIAGNOSTICS(none,
                       "kmprops.cfg:1:1: expected a file \"kmprops.cfg\" in the encyclopedia's file store but found "
                       "none");
}

} // namespace
} // namespace km::kemora
