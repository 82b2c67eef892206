#include "host/HostError.h"
#include "host/IApplication.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/IDisplay.h"
#include "host/IHostServices.h"
#include "host/IImf.h"
#include "host/ISymbol.h"
#include "host/IUtilities.h"
#include "platform/kemora/objects/Symbol.h"
#include "platform/kemora/services/IniFile.h"
#include "platform/kemora/services/Workbench.h"
#include "platform/ui/ScriptedFrontEnd.h"
#include "support/TempFolder.h"
#include "support/TestEncyclopedia.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace km;
using km::rt::Long;

namespace {

/// A workbench on a fresh in-memory encyclopedia, with its own settings and data folders.
struct WorkbenchFixture : ::testing::Test {
    km::test::TempFolder folder;
    ui::ScriptedFrontEnd frontEnd;
    kemora::Workbench workbench{kemora::WorkbenchPaths{folder.file("config"), folder.file("data"), folder.path()},
                                frontEnd};
    std::shared_ptr<host::IHostServices> services = workbench.services();
    std::shared_ptr<host::IImf> imf;

    void SetUp() override {
        workbench.useEncyclopedia(km::test::newEncyclopedia());
        imf = services->CreateApplication()->Interface("IKMImf");
    }
    std::shared_ptr<host::IDiagram> diagram() {
        auto dgm = workbench.encyclopedia()->CreateDiagram("Services", 132);
        workbench.openDiagram("Services");
        return dgm;
    }
};

} // namespace

TEST_F(WorkbenchFixture, FileStoreAnswersCodesAndRoundTrips) {
    std::string disk = folder.write("settings.xml", "<settings/>");
    Long exists = -1;
    imf->KMFilexExists("SOASettings.xml", "", exists);
    EXPECT_EQ(exists, 0);
    EXPECT_EQ(imf->KMFileImport(disk, "SOASettings.xml"), 0);
    imf->KMFilexExists("soasettings.xml", "", exists);
    EXPECT_EQ(exists, 1) << "file names ignore case";
    std::string out = folder.file("out.xml");
    EXPECT_EQ(imf->KMFileExport("SOASettings.xml", out), 0);
    std::ifstream in(out);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "<settings/>");
    EXPECT_EQ(imf->KMFileImport(folder.file("missing.xml"), "x"), 203);
    EXPECT_EQ(imf->KMFileExport("not-there.xml", out), 201);
    EXPECT_EQ(imf->KMFileExport("SOASettings.xml", folder.file("no/such/folder/x.xml")), 202);
    imf->KMFileDelete("SOASettings.xml");
    imf->KMFilexExists("SOASettings.xml", "", exists);
    EXPECT_EQ(exists, 0);
}

TEST_F(WorkbenchFixture, HierarchyLinksAreCheckedAndLaidOutAsTrees) {
    auto dgm = diagram();
    auto root = dgm->CreateSymbol("Finance", 770);
    auto a = dgm->CreateSymbol("Billing", 771);
    auto b = dgm->CreateSymbol("Payments", 771);
    auto c = dgm->CreateSymbol("Invoicing", 772);
    Long d = dgm->Handle(), r = root->Handle(), ha = a->Handle(), hb = b->Handle(), hc = c->Handle();
    imf->KMMakeAsFirstChild(d, hb, r);
    imf->KMMakeAsFirstChild(d, ha, r); // a before b
    imf->KMMakeAsFirstChild(d, hc, ha);
    EXPECT_THROW(imf->KMMakeAsFirstChild(d, r, hc), host::HostError) << "no loops";
    Long other = 99999;
    EXPECT_THROW(imf->KMMakeAsFirstChild(other, hc, r), host::HostError);
    std::vector<std::string> order;
    for (auto child : root->GetRelatedObjects(41)) {
        order.push_back(child->Name());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Billing", "Payments"}));

    imf->kmexecutemenucommand(187);
    EXPECT_EQ(workbench.menuCommands().back(), 187);
    auto reload = [&](const std::shared_ptr<host::ISymbol>& s) {
        return workbench.encyclopedia()->loadSymbol(s->ddid());
    };
    auto rootNow = reload(root), aNow = reload(a), bNow = reload(b), cNow = reload(c);
    EXPECT_LT(rootNow->ypos(), aNow->ypos() - aNow->YSize()) << "children below their parent";
    EXPECT_EQ(aNow->ypos(), bNow->ypos()) << "siblings on one row";
    EXPECT_LT(aNow->XPos(), bNow->XPos() - bNow->XSize()) << "in order, without overlap";
    EXPECT_LT(aNow->ypos(), cNow->ypos() - cNow->YSize());
    Long rootCentre = rootNow->XPos() - rootNow->XSize() / 2;
    Long childrenCentre = (aNow->XPos() - aNow->XSize() + bNow->XPos()) / 2;
    EXPECT_NEAR(rootCentre, childrenCentre, 1) << "a parent centred over its children";
}

TEST_F(WorkbenchFixture, EachStartLogOpensANewLogInMemoryAndOnDisk) {
    auto display = services->CreateDisplay();
    display->StartLog("Build Landscape", "Arial", 1, 8, 0);
    display->LogText("\tline\r\n");
    display->StopLog(1);
    display->StartLog("Error Log", "Arial", 1, 8, 0);
    display->LogText("oops\r\n");
    ASSERT_EQ(workbench.traceLog().logs().size(), 2u);
    EXPECT_EQ(workbench.traceLog().textOf("Build Landscape"), "\tline\r\n");
    EXPECT_TRUE(workbench.traceLog().logs().back().file.empty()) << "an in-memory encyclopedia writes no log files";

    kemora::TraceLog onDisk;
    onDisk.setFolder(folder.file("team.kmdb.logs"));
    onDisk.start("Build/Landscape: 1");
    onDisk.write("x\r\n");
    onDisk.stop();
    ASSERT_FALSE(onDisk.logs()[0].file.empty());
    EXPECT_TRUE(std::filesystem::exists(onDisk.logs()[0].file));
    EXPECT_EQ(onDisk.logs()[0].file.find(':', folder.path().size()), std::string::npos)
        << "the title is made safe for a file name";
}

TEST_F(WorkbenchFixture, SettingsGoToAnIniFileAndKeepWhatWasThere) {
    std::filesystem::create_directories(folder.file("config"));
    folder.write("config/kemora.ini", "; mine\n[Framework]\nShow Framework=False\n[Other]\nx=1\n");
    auto utilities = services->CreateKMUtilities();
    EXPECT_TRUE(utilities->KMSetSetting("Show Framework", "True", "Framework"));
    EXPECT_TRUE(utilities->KMSetSetting("Default Framework", "SOA", "framework"));
    kemora::IniFile ini(workbench.settingsPath());
    EXPECT_EQ(ini.get("FRAMEWORK", "show framework"), "True");
    EXPECT_EQ(ini.get("Framework", "Default Framework"), "SOA");
    EXPECT_EQ(ini.get("Other", "x"), "1");
    std::ifstream in(workbench.settingsPath());
    std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(text.find("; mine"), 0u) << "comments stay";
}

TEST_F(WorkbenchFixture, QuotingUtilitiesRoundTripAwkwardNames) {
    auto utilities = services->CreateKMUtilities();
    EXPECT_EQ(utilities->KMQuoteIfNeeded("Plain", true), "Plain");
    EXPECT_EQ(utilities->KMQuoteIfNeeded("Two words", false), "Two words");
    EXPECT_EQ(utilities->KMQuoteIfNeeded("Two words", true), "\"Two words\"");
    EXPECT_EQ(utilities->KMQuoteIfNeeded("a.b", false), "\"a.b\"");
    EXPECT_EQ(utilities->KMQuoteIfNeeded("say \"hi\"", false), "\"say \"\"hi\"\"\"");
    for (std::string name : {"a.b", "say \"hi\"", " padded ", "x,y"}) {
        EXPECT_EQ(utilities->KMUnQuote(utilities->KMQuoteIfNeeded(name, true)), name);
    }
}

TEST_F(WorkbenchFixture, StringTableAndHostFileLocations) {
    auto strings = services->CreateStringResource();
    EXPECT_THROW(strings->SetStringtablePath(folder.file("nowhere")), host::HostError);
    folder.write("kmxres.txt", "# comment\n1 An error occurred:\n19 Cannot load \"%1\".\n");
    strings->SetStringtablePath(folder.path());
    EXPECT_EQ(strings->GetLocalString(1), "An error occurred:");
    EXPECT_EQ(strings->GetLocalString(2), "");
    EXPECT_EQ(strings->FormatLocalString(19, "x.cfg"), "Cannot load \"x.cfg\".");
    bool found = false;
    std::string matrix = services->CreateKMDUtils()->KMDUtilsVB_ReadFileLocation("matrix.xml", false, found);
    EXPECT_TRUE(found) << "the host's own matrix file is laid down on first use";
    EXPECT_EQ(matrix, folder.file("data") + "/matrix.xml");
}

TEST_F(WorkbenchFixture, StatusLinesAndDirtyDiagramsAreRecorded) {
    auto app = services->CreateApplication();
    app->WriteStatusLine("Populating symbol X");
    EXPECT_EQ(workbench.statusLines().back(), "Populating symbol X");
    EXPECT_EQ(frontEnd.statusLine(), "Populating symbol X");
    EXPECT_FALSE(workbench.diagramDirty());
    imf->KMSetDiagramDirty();
    EXPECT_TRUE(workbench.diagramDirty());
    EXPECT_THROW(app->Interface("IOther"), host::HostError);
    EXPECT_THROW(workbench.openDiagram("No such diagram"), host::HostError);
}

TEST_F(WorkbenchFixture, TheEditorLeavesAnotherOwnersLockAlone) {
    auto ency = workbench.encyclopedia();
    Long id = ency->CreateDefinition("Billing", 309)->ddid();
    kemora::IStore& store = ency->store();
    inTransaction(store, [&] { store.lock(id, "sam@home"); });
    ency->openobjectsasreadonly(true); // opens the locked definition
    try {
        workbench.editDefinition(id);
        ADD_FAILURE() << "edited a definition another owner holds";
    } catch (const host::HostError& error) {
        EXPECT_EQ(error.code(), host::HostErrorCode::Locked);
    }
    EXPECT_TRUE(frontEnd.edits().empty());
    EXPECT_EQ(store.lockOwner(id), "sam@home");
}

TEST_F(WorkbenchFixture, DefinitionsAreEditedInTheFrontEndsEditorAndSavedWhenChanged) {
    auto report = workbench.encyclopedia()->CreateDefinition("Owners", 625);
    report->setProperty("Content", "REPORT");
    report->save();
    Long id = report->ddid();
    auto content = [&] { return workbench.encyclopedia()->getdefinitionbyid(id)->GetProperty("Content"); };
    frontEnd.answerInput("REPORT\r\n  FIELD \"Name\"");
    imf->KMEditDefinition(id, false);
    EXPECT_EQ(content(), "REPORT\r\n  FIELD \"Name\"");
    frontEnd.cancelInput();
    imf->KMEditDefinition(id, false);
    EXPECT_EQ(content(), "REPORT\r\n  FIELD \"Name\"") << "an abandoned edit changes nothing";
    ASSERT_EQ(frontEnd.edits().size(), 2u);
    EXPECT_EQ(frontEnd.edits()[1].title, "Owners");
    EXPECT_EQ(frontEnd.edits()[1].text, "REPORT\r\n  FIELD \"Name\"");
    EXPECT_EQ(workbench.encyclopedia()->store().lockOwner(id), std::nullopt) << "unlocked afterwards";
}
