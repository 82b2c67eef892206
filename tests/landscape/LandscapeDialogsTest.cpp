// The three landscape dialogs, shown modally on the scripted front end: what OK accepts, what
// Cancel leaves behind, and what the lists hold.
#include "LandscapeTest.h"
#include "landscape/frmLAAFilterSelect.h"
#include "landscape/frmLAATemplateSelect.h"
#include "landscape/frmNoOfCols.h"
#include <gmock/gmock.h>

namespace {

using km::rt::Long;
using ::testing::ElementsAre;
namespace addin = KM_SLN_SOA;

class LandscapeDialogsTest : public km::test::LandscapeTest {
protected:
    LandscapeDialogsTest() { bench.initialiseObjects(); }
    ~LandscapeDialogsTest() override { bench.destroyObjects(); }

    template <class TForm> std::unique_ptr<TForm> show(const std::string& script) {
        auto form = std::make_unique<TForm>(bench.ui());
        bench.ui().addFormScript(form->name(), script);
        form->show(km::ui::Modality::Modal);
        return form;
    }
    static std::vector<std::string> names(const addin::ChosenObjects& objects) {
        std::vector<std::string> result;
        for (const auto& object : objects) {
            result.push_back(object->Name());
        }
        return result;
    }
};

TEST_F(LandscapeDialogsTest, TheColumnDialogAcceptsOnlyAPositiveNumber) {
    struct Case {
        const char* typed;
        bool accepted;
        Long value;
    };
    for (const Case& c : {Case{"7", true, 7}, Case{"2.5", true, 2}, Case{"3.5", true, 4}, Case{"12 columns", true, 12},
                          Case{"0", false, 0}, Case{"x", false, 0}, Case{"-3", false, -3}}) {
        std::size_t messages = bench.ui().messages().size();
        auto form = show<addin::frmNoOfCols>("type cboNumber \"" + std::string(c.typed) + "\"; click OK; click Cancel");
        EXPECT_EQ(form->blnOkPressed, c.accepted) << c.typed;
        EXPECT_EQ(form->lngValue, c.value) << c.typed << ": the value read last is kept after Cancel";
        EXPECT_EQ(bench.ui().messages().size() - messages, c.accepted ? 0u : 1u) << c.typed;
        if (!c.accepted) {
            EXPECT_EQ(bench.ui().lastMessage().prompt, "You must have at least 1 column");
            EXPECT_EQ(bench.ui().lastMessage().style, 0);
        }
        form->unload();
    }
    auto untouched = show<addin::frmNoOfCols>("click Cancel");
    EXPECT_EQ(untouched->lngValue, 0);
    EXPECT_EQ(untouched->cboNumber.text(), "2");
    EXPECT_EQ(untouched->cboNumber.listCount(), 4);
}

TEST_F(LandscapeDialogsTest, TheTemplateDialogAnswersEveryChosenTemplateInListOrder) {
    for (const char* name : {"Zeta", "Alpha", "Mid"}) {
        landscapeTemplate(name, "TABULAR 1\n{\n}\n");
    }
    auto none = show<addin::frmLAATemplateSelect>("click OK; click Cancel");
    EXPECT_FALSE(none->blnOkPressed);
    EXPECT_EQ(bench.ui().lastMessage().prompt, "You must select a Template");
    EXPECT_THAT(none->lstObjects.listCount(), 3);
    auto several = show<addin::frmLAATemplateSelect>("select lstObjects Zeta; select lstObjects Alpha; click OK");
    ASSERT_TRUE(several->blnOkPressed);
    EXPECT_THAT(names(*several->colObjectsSelected), ElementsAre("Alpha", "Zeta"));
    EXPECT_EQ(several->caption(), "Landscape Manager 11.3.1.3");
}

TEST_F(LandscapeDialogsTest, TheFilterDialogListsTypesAndTheirObjects) {
    bench.createDefinition("Retire ledgers", 624);
    auto form = show<addin::frmLAAFilterSelect>("select cboTypes \"Project/Service Plan\"; choose optDgms; click OK; "
                                                "select cboTypes \"Application Landscape\"; "
                                                "select lstObjects Landscape; click OK");
    ASSERT_TRUE(form->blnOkPressed);
    EXPECT_FALSE(form->blnDefns);
    EXPECT_THAT(names(*form->colObjectsSelected), ElementsAre("Landscape"));
    EXPECT_EQ(bench.ui().lastMessage().prompt, "You must select an object")
        << "switching to diagrams emptied the list chosen before";
    EXPECT_LT(form->cboTypes.findItem("Application Landscape"), form->cboTypes.findItem("Service Hierarchy"));
}

} // namespace
