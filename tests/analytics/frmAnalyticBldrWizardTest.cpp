// The analytic builder wizard, opened through the facade and driven as a user drives it.
#include "analytics/frmAnalyticBldrWizard.h"
#include "AnalyticsBench.h"
#include "analytics/clsAnalyticMgr.h"
#include "platform/runtime/Date.h"

namespace {

using km::rt::Long;
using km::test::CommandScope;
using km::test::redColour;
namespace addin = KM_SLN_SOA;

class WizardTest : public km::test::AnalyticsTest {
protected:
    addin::frmAnalyticBldrWizard& open() {
        bench.run("CreateAnalytic");
        auto* window = dynamic_cast<addin::frmAnalyticBldrWizard*>(bench.ui().findForm("frmAnalyticBldrWizard"));
        EXPECT_NE(window, nullptr);
        return *window;
    }
    /// Goes from page 0 of a new analytic to the property or query page for Application symbols.
    addin::frmAnalyticBldrWizard& toConditionPage(bool simple,
                                                  const std::string& diagramType = "Application Architecture",
                                                  const std::string& symbolType = "Application") {
        auto& w = open();
        w.cmdNext.click();
        (simple ? w.optQuerySimple : w.optQueryComplex).setValue(true);
        w.cmdNext.click();
        w.cboSymbolTypeDgTypes.choose(w.cboSymbolTypeDgTypes.findItem(diagramType));
        w.lstSymbolType.clickItem(w.lstSymbolType.findItem(symbolType));
        w.cmdNext.click();
        return w;
    }
    static void chooseProperty(addin::frmAnalyticBldrWizard& w, const std::string& property,
                               const std::string& comparison) {
        w.cboSimplePropertyname.choose(w.cboSimplePropertyname.findItem(property));
        w.cboSimpleComparison.choose(w.cboSimpleComparison.findItem(comparison));
    }
    /// Goes on from the condition page and finishes with that name.
    static void finish(addin::frmAnalyticBldrWizard& w, const std::string& name) {
        w.cmdNext.click();
        w.cmdNext.click();
        w.txtAnalyticName.setText(name);
        w.cmdFinish.click();
    }
    std::vector<std::string> parameters(const std::string& name) {
        std::vector<std::string> items;
        for (auto parameter : bench.encyclopedia().definitionNamed(798, name)->getpropertyascollection("Parameters")) {
            items.push_back(parameter->GetProperty("Default Value"));
        }
        return items;
    }
};

TEST_F(WizardTest, PagesFollowTheChoicesBothWays) {
    auto& w = open();
    EXPECT_EQ(w.caption(), "Analytic Builder Wizard 11.3.1.3");
    EXPECT_TRUE(w.fraNewOrModify.visible());
    EXPECT_FALSE(w.cmdBack.enabled());
    w.optCreateModify.setValue(true);
    w.cmdNext.click();
    EXPECT_EQ(w.outCurrentPage, 1);
    w.cmdBack.click();
    EXPECT_EQ(w.outCurrentPage, 0);
    w.optCreateNew.setValue(true);
    w.cmdNext.click();
    EXPECT_EQ(w.outCurrentPage, 2);
    w.cmdBack.click();
    EXPECT_EQ(w.outCurrentPage, 0);
    for (bool simple : {true, false}) {
        auto& wizard = toConditionPage(simple);
        EXPECT_EQ(wizard.outCurrentPage, simple ? 4 : 5);
        if (simple) {
            chooseProperty(wizard, "Version", "=");
            wizard.txtSimpleValue.setText("10");
        } else {
            report("Everything", "TABULAR 1\n");
            wizard.lstComplexAnalyticreports.clear();
            wizard.cmdBack.click();
            wizard.cmdNext.click();
            wizard.lstComplexAnalyticreports.clickItem(0);
        }
        wizard.cmdNext.click();
        EXPECT_EQ(wizard.outCurrentPage, 6);
        wizard.cmdNext.click();
        EXPECT_EQ(wizard.outCurrentPage, 7);
        EXPECT_FALSE(wizard.cmdNext.enabled());
        wizard.cmdBack.click();
        wizard.cmdBack.click();
        EXPECT_EQ(wizard.outCurrentPage, simple ? 4 : 5);
        EXPECT_TRUE((simple ? wizard.fraSimpleProperties : wizard.fraComplexProperties).visible());
        wizard.cmdCancel.click();
        bench.ui().runUntilAllClosed();
    }
}

TEST_F(WizardTest, TheSymbolTypePageStartsOnDiagramType131) {
    auto& w = open();
    w.cmdNext.click();
    w.cmdNext.click();
    EXPECT_EQ(w.cboSymbolTypeDgTypes.text(), "Application Architecture");
    EXPECT_GE(w.lstSymbolType.findItem("Application"), 0);
    EXPECT_LT(w.lstSymbolType.findItem("Text"), 0) << "drawing symbols are left out";
}

TEST_F(WizardTest, OnlyTheValueControlOfTheEditTypeShowsAndIsNullHidesIt) {
    struct Case {
        const char* diagramType;
        const char* symbolType;
        const char* property;
        const char* comparison;
        bool text, boolean, date, labelEnabled;
    };
    for (const Case& c :
         {Case{"Application Architecture", "Application", "Version", "=", true, false, false, true},
          Case{"Application Architecture", "Application", "Decommission Date", "<", false, false, true, true},
          Case{"Explorer", "Service Plan", "Project Complete", "=", false, true, false, true},
          Case{"Explorer", "Service Plan", "Project Complete", "<>", false, true, false, true},
          Case{"Application Architecture", "Application", "Version", "is NULL", false, false, false, false}}) {
        SCOPED_TRACE(std::string(c.property) + " " + c.comparison);
        auto& w = toConditionPage(true, c.diagramType, c.symbolType);
        chooseProperty(w, c.property, c.comparison);
        EXPECT_EQ(w.txtSimpleValue.visible(), c.text);
        EXPECT_EQ(w.cboSimpleValueBoolean.visible(), c.boolean);
        EXPECT_EQ(w.dtSimpleValueDate.visible(), c.date);
        EXPECT_EQ(w.lblSimpleValue.enabled(), c.labelEnabled);
        w.cmdCancel.click();
        bench.ui().runUntilAllClosed();
    }
}

TEST_F(WizardTest, FinishOnAFreshWizardShowsTwoMessagesAndSavesNothing) {
    auto& w = open();
    w.cmdFinish.click();
    EXPECT_EQ(prompts(),
              (std::vector<std::string>{"You must select a name for the analytic.",
                                        "You must select a symbol type against which the analytic will run."}));
    EXPECT_TRUE(w.visible());
    EXPECT_FALSE(w.blnOkPressed);
    EXPECT_EQ(bench.encyclopedia().definitionNamed(798, ""), nullptr);
}

TEST_F(WizardTest, NamesAreCheckedTrimmedAndSavedAsTyped) {
    struct Case {
        std::string name;
        bool saved;
    };
    for (const Case& c : {Case{std::string(80, 'a'), true}, Case{std::string(81, 'b'), false},
                          Case{"   " + std::string(80, 'c') + " ", true}, Case{"  Leading", true}}) {
        SCOPED_TRACE(c.name);
        auto& w = toConditionPage(true);
        chooseProperty(w, "Version", "is NULL");
        finish(w, c.name);
        EXPECT_EQ(w.blnOkPressed, c.saved);
        EXPECT_EQ(bench.encyclopedia().definitionNamed(798, c.name) != nullptr, c.saved);
        if (!c.saved) {
            EXPECT_EQ(prompts().back(), "You must select a name which has less than 80 characters.");
        }
        w.cmdCancel.click();
        bench.ui().runUntilAllClosed();
    }
}

TEST_F(WizardTest, ValuesAreEncodedByEditType) {
    struct Case {
        const char* diagramType;
        const char* symbolType;
        const char* property;
        std::string boolean;
        std::string expected;
    };
    for (const Case& c : {Case{"Application Architecture", "Application", "Decommission Date", "", "20050315"},
                          Case{"Explorer", "Service Plan", "Project Complete", "True", "T"},
                          Case{"Explorer", "Service Plan", "Project Complete", "", "F"}}) {
        SCOPED_TRACE(c.property + c.boolean);
        auto& w = toConditionPage(true, c.diagramType, c.symbolType);
        chooseProperty(w, c.property, "=");
        w.dtSimpleValueDate.setValue(km::rt::Date::fromYmd(2005, 3, 15));
        if (!c.boolean.empty()) {
            w.cboSimpleValueBoolean.choose(w.cboSimpleValueBoolean.findItem(c.boolean));
        }
        finish(w, "Encoded");
        EXPECT_TRUE(w.blnOkPressed);
        auto stored = parameters("Encoded");
        EXPECT_NE(std::find(stored.begin(), stored.end(), c.expected), stored.end());
        bench.ui().runUntilAllClosed();
    }
}

TEST_F(WizardTest, ANewQueryNameInUseProposesUnderscoreOneAgainAndAgain) {
    report("Apps", "");
    report("Apps_1", "");
    auto& w = toConditionPage(false);
    bench.ui().answerInput("Apps");
    bench.ui().answerInput("Apps_1");
    bench.ui().cancelInput();
    w.cmdComplexNew.click();
    ASSERT_GE(bench.ui().inputs().size(), 3u);
    EXPECT_EQ(bench.ui().inputs()[1].defaultText, "Apps_1");
    EXPECT_EQ(bench.ui().inputs()[2].defaultText, "Apps_1_1");
    EXPECT_EQ(prompts(), (std::vector<std::string>(2, "Name is in use, select another.")));
}

TEST_F(WizardTest, ModifyingASimpleAnalyticShowsItOnPageFour) {
    {
        CommandScope command(bench);
        addin::clsAnalyticMgr().CreateSimpleAnalytic("Old", "Application", "Version", "<", "10", redColour);
    }
    auto& w = open();
    w.optCreateModify.setValue(true);
    w.cmdNext.click();
    w.lstExistingAnalytics.clickItem(w.lstExistingAnalytics.findItem("Old"));
    w.cmdNext.click();
    w.cmdNext.click();
    w.cmdNext.click();
    EXPECT_EQ(w.outCurrentPage, 4);
    EXPECT_EQ(w.cboSimplePropertyname.text(), "Version");
    EXPECT_EQ(w.cboSimpleComparison.text(), "<");
    EXPECT_EQ(w.txtSimpleValue.text(), "10");
    EXPECT_TRUE(w.txtSimpleValue.visible());
}

TEST_F(WizardTest, ModifyingAnAdvancedAnalyticKeepsExecuteIfEmpty) {
    report("Services", km::test::servicesScript);
    {
        CommandScope command(bench);
        addin::clsAnalyticMgr().CreateComplexAnalytic("Unused", "Application", "Services", "true", redColour);
    }
    auto& w = open();
    w.optCreateModify.setValue(true);
    w.cmdNext.click();
    w.lstExistingAnalytics.clickItem(w.lstExistingAnalytics.findItem("Unused"));
    for (int i = 0; i < 3; ++i) {
        w.cmdNext.click();
    }
    EXPECT_EQ(w.outCurrentPage, 5);
    EXPECT_TRUE(w.optComplexNULL.value());
    w.cmdNext.click();
    w.cmdNext.click();
    w.cmdFinish.click();
    EXPECT_TRUE(w.blnOkPressed);
    EXPECT_TRUE(w.blnComplexExecuteIfNULL);
}

TEST_F(WizardTest, EditGoesThroughTheEditorAndHelpOpensItsTopic) {
    report("Services", km::test::servicesScript);
    auto& w = toConditionPage(false);
    w.lstComplexAnalyticreports.clickItem(w.lstComplexAnalyticreports.findItem("Services"));
    bench.ui().answerInput("TABULAR 2\n");
    w.cmdComplexEditSelected.click();
    EXPECT_EQ(bench.encyclopedia().definitionNamed(626, "Services")->GetProperty("Content"), "TABULAR 2\n");
    EXPECT_TRUE(w.isLoaded());
    w.cmdHelp.click();
    EXPECT_NE(bench.ui().lastHelp().find("topic 999853"), std::string::npos);
}

} // namespace
