#include "platform/kemora/services/AddinLoader.h"
#include "host/IAddinLibrary.h"
#include "platform/ui/MessageBoxStyle.h"
#include "support/AddinTestBench.h"
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using km::kemora::AddinLoader;
using km::test::AddinTestBench;

const std::string addinLibraryPath = std::string(KM_OUTPUT_DIR) + "/" + AddinLoader::libraryFileName;

std::string loadError(km::host::IHostServices& services, const std::string& path) {
    try {
        AddinLoader loader(services, path);
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

class AddinLoaderTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::current_path(m_startFolder); }

    AddinTestBench bench;

private:
    std::filesystem::path m_startFolder = std::filesystem::current_path();
};

TEST_F(AddinLoaderTest, TheLoadedLibraryKnowsItsFolderAndRunsCommands) {
    AddinLoader loader(bench.services(), addinLibraryPath);
    EXPECT_EQ(std::filesystem::path(loader.library().LibraryFolder()), std::filesystem::path(KM_OUTPUT_DIR));
    auto landscapeMgr = loader.library().CreateObject("LandscapeMgr");
    ASSERT_TRUE(landscapeMgr);
    EXPECT_EQ(landscapeMgr->Invoke("ShowHelp", {}), "");
    EXPECT_NE(bench.ui().lastHelp().find(std::string(KM_OUTPUT_DIR) + "/km-sln-soa.chm"), std::string::npos)
        << bench.ui().lastHelp();
    EXPECT_EQ(landscapeMgr->Invoke("CheckInstallation", {}), "True") << "the solution's files lie beside the library";
}

TEST_F(AddinLoaderTest, OnlyTheTwoPublicClassesAreCreatable) {
    AddinLoader loader(bench.services(), addinLibraryPath);
    EXPECT_TRUE(loader.library().CreateObject("landscapemgr"));
    EXPECT_TRUE(loader.library().CreateObject("clsStatusMgr"));
    EXPECT_FALSE(loader.library().CreateObject("clsUtils"));
    EXPECT_FALSE(loader.library().CreateObject("frmStatus"));
}

TEST_F(AddinLoaderTest, AStatusManagerOfTheHostShowsItsErrorsWhenReleased) {
    AddinLoader loader(bench.services(), addinLibraryPath);
    auto statusMgr = loader.library().CreateObject("clsStatusMgr");
    EXPECT_EQ(statusMgr->Invoke("blnSilent", {}), "False");
    bench.ui().answerMessage(km::ui::answer::yes);
    EXPECT_EQ(statusMgr->Invoke("KMMsgBox", {"Go on?", "4", "Title"}), "6");
    statusMgr->Invoke("blnSilent", {"True"});
    EXPECT_EQ(statusMgr->Invoke("KMMsgBox", {"Hidden"}), "0");
    EXPECT_EQ(statusMgr->Invoke("SetStatus", {"Working"}), "True");
    EXPECT_THROW(statusMgr->Invoke("blnSilent", {"perhaps"}), std::exception);
    statusMgr->Invoke("blnSilent", {"0"});
    statusMgr->Invoke("LogError", {"It broke"});
    statusMgr.reset();
    EXPECT_EQ(bench.ui().lastMessage().prompt, "There were errors, review the error log.");
    EXPECT_EQ(bench.traceText("Error Log"), "ERROR LOG\r\n\tIt broke\r\n\r\n");
}

TEST_F(AddinLoaderTest, ALibraryThatCannotBeLoadedIsNamed) {
    std::string missing = bench.folder().file("libnothing.so");
    EXPECT_NE(loadError(bench.services(), missing).find(missing), std::string::npos);
    std::string notAnAddin = bench.folder().write("libfake.so", "not a shared object");
    EXPECT_NE(loadError(bench.services(), notAnAddin).find("Cannot load the add-in library"), std::string::npos);
}

TEST_F(AddinLoaderTest, ALibraryWithoutTheFactoryIsRefused) {
    std::string error = loadError(bench.services(), "libm.so.6");
    EXPECT_NE(error.find("does not export KM_SLN_SOA_Load"), std::string::npos) << error;
}

// kmsoa and the add-in it loads share one copy of the runtime and of the window models: what the
// add-in calls resolves to the shared libraries, not to copies linked into the add-in.
TEST_F(AddinLoaderTest, TheLibraryUsesTheSharedRuntimeAndWindowModels) {
    void* addin = dlopen(addinLibraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_TRUE(addin) << dlerror();
    const std::pair<const char*, const char*> symbols[] = {
        {"_ZN2km2rt3ValESt17basic_string_viewIcSt11char_traitsIcEE", "libkm_runtime.so"}, // km::rt::Val
        {"_ZN2km2ui4Form4hideEv", "libkm_ui.so"},                                         // km::ui::Form::hide
    };
    for (const auto& [symbol, library] : symbols) {
        void* address = dlsym(addin, symbol);
        Dl_info info{};
        ASSERT_TRUE(address && dladdr(address, &info)) << symbol;
        EXPECT_EQ(std::filesystem::path(info.dli_fname).filename(), library) << symbol;
    }
    dlclose(addin);
}

} // namespace
