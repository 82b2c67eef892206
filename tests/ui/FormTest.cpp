#include "TestForms.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/ScriptedFrontEnd.h"
#include <gtest/gtest.h>

using namespace km::ui;
using namespace km::ui::test;

namespace {

// Counts its lifecycle events; optionally closes itself while loading.
class CountingForm : public Form {
public:
    explicit CountingForm(FrontEnd& ui) : Form(ui, "frmCounting", "Counting") {}
    bool closeWhileLoading = false;
    std::vector<std::string> events;

protected:
    void onLoad() override {
        events.push_back("load");
        if (closeWhileLoading) {
            hide();
            unload();
        }
    }
    void onActivate() override { events.push_back("activate"); }
    void onUnload() override { events.push_back("unload"); }
};

} // namespace

TEST(FormTest, LoadsOnceUntilUnloadedAndGetsANewHandleEachLoad) {
    ScriptedFrontEnd ui;
    CountingForm form(ui);
    EXPECT_EQ(form.windowHandle(), 0);
    form.load();
    form.load();
    km::rt::Long firstHandle = form.windowHandle();
    EXPECT_NE(firstHandle, 0);
    form.show();
    form.show(); // already visible: no second activate
    EXPECT_EQ(form.events, (std::vector<std::string>{"load", "activate"}));

    form.hide();
    EXPECT_TRUE(form.isLoaded());
    EXPECT_FALSE(form.visible());
    form.show();
    EXPECT_EQ(form.events.back(), "activate");

    form.unload();
    form.unload();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(form.windowHandle(), 0);
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "unload"), 1);

    form.show();
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "load"), 2);
    EXPECT_NE(form.windowHandle(), firstHandle);
}

TEST(FormTest, AFormThatClosesItselfWhileLoadingIsNotShown) {
    ScriptedFrontEnd ui;
    CountingForm form(ui);
    form.closeWhileLoading = true;
    form.show(Modality::Modal);
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(form.events, (std::vector<std::string>{"load", "unload"}));
    EXPECT_TRUE(ui.formsShown().empty());
    EXPECT_TRUE(ui.loadedForms().empty());
}

TEST(FormTest, ShowingAVisibleModelessFormModallyIsError400) {
    ScriptedFrontEnd ui;
    CountingForm form(ui);
    form.show(Modality::Modeless);
    try {
        form.show(Modality::Modal);
        FAIL() << "expected error 400";
    } catch (const km::rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), 400);
    }
}

TEST(FormTest, FindsControlsByNameWithoutRegardToCaseInDeclarationOrder) {
    ScriptedFrontEnd ui;
    NumberDialog dialog(ui);
    EXPECT_EQ(dialog.findControl("CMDok"), &dialog.cmdOK);
    EXPECT_EQ(dialog.findControl("nothing"), nullptr);
    ASSERT_EQ(dialog.controls().size(), 5u);
    EXPECT_EQ(dialog.controls().front()->name(), "lblSelectNumber");
    EXPECT_EQ(dialog.controls().back()->name(), "cmdHelp");
}

TEST(FormTest, RefusesTwoControlsOfTheSameName) {
    ScriptedFrontEnd ui;
    Form form(ui, "frmDup", "Dup");
    Label first(form, "lblA");
    EXPECT_THROW(Label(form, "LBLA"), std::invalid_argument);
}

TEST(FormTest, FrontEndTracksLoadedFormsAndForgetsDestroyedOnes) {
    ScriptedFrontEnd ui;
    {
        CountingForm form(ui);
        form.show();
        EXPECT_EQ(ui.findForm("FRMCOUNTING"), &form);
    }
    EXPECT_TRUE(ui.loadedForms().empty());
}

TEST(FormTest, ControlsOfAHiddenOrDisabledFrameAreNotUsable) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    EXPECT_FALSE(picker.optDefs.isUsable()) << "form not shown yet";
    picker.show();
    EXPECT_TRUE(picker.optDefs.isUsable());
    picker.fraClass.setEnabled(false);
    EXPECT_FALSE(picker.optDefs.isUsable());
    picker.fraClass.setEnabled(true);
    picker.fraClass.setVisible(false);
    EXPECT_FALSE(picker.optDefs.isShown());
    picker.fraClass.setVisible(true);
    picker.setEnabled(false);
    EXPECT_FALSE(picker.cmdApply.isUsable());
}

TEST(FormTest, KeptAliveFormsAreDestroyedOnceUnloaded) {
    ScriptedFrontEnd ui;
    bool destroyed = false;
    struct Watched : Picker {
        Watched(FrontEnd& ui, bool& flag) : Picker(ui), destroyed(flag) {}
        ~Watched() override { destroyed = true; }
        bool& destroyed;
    };
    auto form = std::make_unique<Watched>(ui, destroyed);
    form->show();
    ui.keepAlive(std::move(form));
    ui.addFormScript("frmPicker", "click cmdApply");
    EXPECT_FALSE(destroyed);
    ui.runUntilAllClosed();
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(ui.loadedForms().empty());
}

TEST(FormTest, HiddenKeptAliveFormsAreUnloadedAtTheEndAndTheirErrorsReported) {
    ScriptedFrontEnd ui;
    struct Failing : CountingForm {
        using CountingForm::CountingForm;
        void onUnload() override {
            CountingForm::onUnload();
            throw std::runtime_error("cannot release");
        }
    };
    auto owned = std::make_unique<Failing>(ui);
    Failing& form = *owned;
    form.show();
    form.hide();
    ui.keepAlive(std::move(owned));
    EXPECT_EQ(form.events.back(), "activate");
    ui.runUntilAllClosed();
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0], "error in 'frmCounting' while closing: cannot release");
}
