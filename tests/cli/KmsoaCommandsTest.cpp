#include "cli/Commands.h"
#include "support/KmsoaProcess.h"
#include "support/TempFolder.h"
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

using km::test::readWhole;
using km::test::runKmsoa;
using km::test::TempFolder;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const std::string source = KM_SOURCE_DIR;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        all.push_back(line);
    }
    return all;
}

/// A new encyclopedia with the solution switched on through the file store, as the demo does it.
std::string solutionEncyclopedia(const TempFolder& folder, const std::string& name = "team.kmdb") {
    std::string ency = folder.file(name);
    EXPECT_EQ(runKmsoa({"new", ency}).exitCode, km::cli::exitOk);
    for (const char* file : {"solnprops.cfg", "solnprops1.cfg", "solnprops2.cfg"}) {
        EXPECT_EQ(runKmsoa({"files", "put", ency, file, source + "/solution/" + file}).exitCode, 0);
    }
    std::string declarations = folder.write("KMDECLAR.CFG", "DECLARE \"KMForSOA\" DEFINED\n");
    EXPECT_EQ(runKmsoa({"files", "put", ency, "KMDECLAR.CFG", declarations}).exitCode, 0);
    auto properties = runKmsoa({"files", "get", ency, "kmprops.cfg"});
    std::string withSolution = folder.write("kmprops.cfg", properties.out + "\n#includex \"solnprops.cfg\"\n");
    auto put = runKmsoa({"files", "put", ency, "kmprops.cfg", withSolution});
    EXPECT_EQ(put.exitCode, 0);
    EXPECT_EQ(put.err, "") << "the solution's property files load without problems";
    return ency;
}

} // namespace

TEST(KmsoaCommandsTest, EveryCommandHasHelp) {
    for (std::vector<std::string> command : {std::vector<std::string>{"--help"},
                                             {"new", "--help"},
                                             {"import", "--help"},
                                             {"export", "--help"},
                                             {"list", "--help"},
                                             {"render", "--help"},
                                             {"files", "--help"},
                                             {"files", "put", "--help"}}) {
        auto result = runKmsoa(command);
        EXPECT_EQ(result.exitCode, 0) << command.front();
        EXPECT_THAT(result.out, HasSubstr("Usage:")) << command.front();
    }
}

TEST(KmsoaCommandsTest, NewNeverOverwrites) {
    TempFolder folder;
    std::string ency = folder.file("a.kmdb");
    auto created = runKmsoa({"new", ency});
    EXPECT_EQ(created.exitCode, km::cli::exitOk);
    EXPECT_THAT(created.out, HasSubstr("Created the encyclopedia"));
    std::string notes = folder.write("notes.txt", "precious");
    auto refused = runKmsoa({"new", notes});
    EXPECT_EQ(refused.exitCode, km::cli::exitFailed);
    EXPECT_THAT(refused.err, HasSubstr("exists already"));
    EXPECT_EQ(readWhole(notes), "precious");
}

TEST(KmsoaCommandsTest, TheSampleImportsListsRendersAndExportsFaithfully) {
    TempFolder folder;
    std::string ency = solutionEncyclopedia(folder);
    auto imported = runKmsoa({"import", ency, source + "/samples/kestrel-bay.xml"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_THAT(imported.out, HasSubstr("117 definitions created"));

    EXPECT_EQ(lines(runKmsoa({"list", ency, "definitions", "--type", "309"}).out).size(), 60u);
    EXPECT_EQ(lines(runKmsoa({"list", ency, "definitions", "--type", "765"}).out).size(), 30u);
    auto diagrams = lines(runKmsoa({"list", ency, "diagrams"}).out);
    ASSERT_EQ(diagrams.size(), 2u);
    EXPECT_THAT(diagrams[1], HasSubstr("\t132\tService Hierarchy\tKestrel Bay Service Hierarchy")) << "by name";
    auto tops = lines(runKmsoa({"list", ency, "symbols", "--diagram", "kestrel bay service hierarchy"}).out);
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_THAT(tops[0], HasSubstr("\t770\tService Domain\tCustomer Management\t0\t0\t240\t60\t"));
    auto wms = lines(runKmsoa({"list", ency, "symbols", "--type", "160", "--name", "*wms"}).out);
    EXPECT_EQ(wms.size(), 2u) << "Nova WMS and StockLedger WMS, both on the landscape";

    std::string svgFolder = folder.file("svg");
    auto rendered = runKmsoa({"render", ency, "--all", "-o", svgFolder});
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
    std::string landscape = svgFolder + "/Kestrel Bay Application Landscape.svg";
    pugi::xml_document svg;
    ASSERT_TRUE(svg.load_file(landscape.c_str()));
    EXPECT_TRUE(svg.select_node("//*[local-name()='title'][.='Nova WMS']"));

    auto exported = runKmsoa({"export", ency, "-o", folder.file("copy.xml")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    std::string copy = solutionEncyclopedia(folder, "copy.kmdb");
    ASSERT_EQ(runKmsoa({"import", copy, folder.file("copy.xml")}).exitCode, 0);
    EXPECT_EQ(runKmsoa({"export", copy}).out, readWhole(folder.file("copy.xml")));
}

TEST(KmsoaCommandsTest, AFailedImportNamesThePlaceAndImportsNothing) {
    TempFolder folder;
    std::string ency = solutionEncyclopedia(folder);
    std::string model = folder.write("bad.xml", "<model>\n  <definition type=\"765\" name=\"Billing\"/>\n"
                                                "  <definition type=\"765\" name=\"Refunds\">\n</model>\n");
    auto result = runKmsoa({"import", ency, model});
    EXPECT_EQ(result.exitCode, km::cli::exitFailed);
    EXPECT_THAT(result.err, StartsWith("kmsoa import: " + model + ":4:"));
    EXPECT_EQ(runKmsoa({"list", ency, "definitions"}).out, "");

    std::string merged = folder.write("ok.xml", "<model><definition type=\"765\" name=\"Billing\"/></model>");
    EXPECT_EQ(runKmsoa({"import", ency, merged}).exitCode, 0);
    auto again = runKmsoa({"import", ency, merged});
    EXPECT_EQ(again.exitCode, km::cli::exitFailed);
    EXPECT_THAT(again.err, HasSubstr("import with merge or overwrite"));
    EXPECT_EQ(runKmsoa({"import", ency, merged, "--merge"}).exitCode, 0);
}

TEST(KmsoaCommandsTest, WrongCommandLinesGetUsageErrors) {
    TempFolder folder;
    std::string ency = solutionEncyclopedia(folder);
    EXPECT_EQ(runKmsoa({}).exitCode, km::cli::exitUsage);
    EXPECT_EQ(runKmsoa({"list", ency, "everything"}).exitCode, km::cli::exitUsage);
    EXPECT_EQ(runKmsoa({"list", ency, "definitions", "--diagram", "X"}).exitCode, km::cli::exitUsage);
    EXPECT_EQ(runKmsoa({"render", ency, "-o", folder.file("x.svg")}).exitCode, km::cli::exitUsage);
    EXPECT_EQ(runKmsoa({"render", ency, "--all", "--diagram", "X", "-o", folder.path()}).exitCode, km::cli::exitUsage);
    EXPECT_EQ(runKmsoa({"import", ency}).exitCode, km::cli::exitUsage);

    auto missing = runKmsoa({"list", folder.file("nowhere.kmdb"), "definitions"});
    EXPECT_EQ(missing.exitCode, km::cli::exitFailed);
    EXPECT_THAT(missing.err, HasSubstr("there is no such file"));
    auto noDiagram = runKmsoa({"render", ency, "--diagram", "Nope", "-o", folder.file("x.svg")});
    EXPECT_EQ(noDiagram.exitCode, km::cli::exitFailed);
    EXPECT_THAT(noDiagram.err, HasSubstr("there is no diagram named \"Nope\""));
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.svg")));
}

TEST(KmsoaCommandsTest, DiagramsAreChosenByNameAndTypeWhenNamesRepeat) {
    TempFolder folder;
    std::string ency = solutionEncyclopedia(folder);
    std::string model = folder.write("twins.xml", R"(<model>
  <diagram type="131" name="Payments"><symbol type="2" name="In 131"/></diagram>
  <diagram type="186" name="Payments"><symbol type="2" name="In 186"/></diagram>
  <diagram type="186" name="Other"/>
</model>)");
    ASSERT_EQ(runKmsoa({"import", ency, model}).exitCode, 0);
    auto ambiguous = runKmsoa({"export", ency, "--diagram", "Payments"});
    EXPECT_EQ(ambiguous.exitCode, km::cli::exitUsage);
    EXPECT_THAT(ambiguous.err, HasSubstr("types 131, 186"));
    auto one = runKmsoa({"export", ency, "--diagram", "Payments", "--diagram-type", "186"});
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_THAT(one.out, HasSubstr("In 186"));
    EXPECT_THAT(one.out, ::testing::Not(HasSubstr("Other")));
    auto all = runKmsoa({"render", ency, "--all", "-o", folder.file("svg")});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(lines(all.out).size(), 3u) << "every diagram gets its own file even when names repeat";
    EXPECT_TRUE(std::filesystem::exists(folder.file("svg/Payments-186.svg")));
}

TEST(KmsoaCommandsTest, FilesOfTheStoreGoInAndOutUnchanged) {
    TempFolder folder;
    std::string ency = folder.file("f.kmdb");
    ASSERT_EQ(runKmsoa({"new", ency}).exitCode, 0);
    std::string binary("\x89PNG\r\n\x1a\n\0\xff", 10);
    std::string image = folder.write("logo.png", binary);
    EXPECT_EQ(runKmsoa({"files", "put", ency, "images\\logo.png", image}).exitCode, 0);
    EXPECT_EQ(runKmsoa({"files", "get", ency, "IMAGES\\LOGO.PNG"}).out, binary);
    auto fromStdin = runKmsoa({"files", "put", ency, "notes.txt", "-"}, image);
    EXPECT_EQ(fromStdin.exitCode, 0);
    EXPECT_EQ(runKmsoa({"files", "get", ency, "notes.txt"}).out, binary);
    EXPECT_THAT(runKmsoa({"files", "list", ency}).out, HasSubstr("images\\logo.png\t10\n"));
    EXPECT_EQ(runKmsoa({"files", "delete", ency, "notes.txt"}).exitCode, 0);
    auto gone = runKmsoa({"files", "get", ency, "notes.txt"});
    EXPECT_EQ(gone.exitCode, km::cli::exitFailed);
    EXPECT_THAT(gone.err, HasSubstr("no file named \"notes.txt\""));
    // A broken property file is stored (so that it can be mended) and its problem shown.
    std::string broken = folder.write("kmprops.cfg", "DEFINITION 309 \"Application\"\n{\n  PROPERTY\n}\n");
    auto warned = runKmsoa({"files", "put", ency, "kmprops.cfg", broken});
    EXPECT_EQ(warned.exitCode, 0);
    EXPECT_THAT(warned.err, HasSubstr("warning: kmprops.cfg:"));
}
