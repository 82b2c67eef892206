#include "LandscapeMgr.h"
#include "analytics/clsAnalyticMgr.h"
#include "analytics/frmAnalyticBldrWizard.h"
#include "analytics/frmAnalyticSelector2.h"
#include "basConstantsAndPublicVars.h"
#include "clsDisplay.h"
#include "clsHelp.h"
#include "clsStatusMgr.h"
#include "host/IEncyclopedia.h"
#include "host/clsUtils.h"
#include "install/clsKMFileLoader.h"
#include "landscape/clsAutoLandscapeBuilder.h"
#include "landscape/clsHierarchyBuilder.h"
#include "landscape/clsLandscapeBuilder.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FrontEnd.h"
#include "roadmap/clsReportServiceRoadmap.h"

namespace KM_SLN_SOA {

namespace {

// Shows a window that outlives the call opening it. The front end keeps the window until it is
// closed; every failing step is passed over, so the next one still runs.
template <class TForm> void showModeless() {
    km::ui::FrontEnd* frontEnd = nullptr;
    TForm* window = nullptr;
    try {
        frontEnd = &HostServices().FrontEnd();
    } catch (...) {
    }
    if (frontEnd == nullptr) {
        return;
    }
    try {
        auto created = std::make_unique<TForm>(*frontEnd);
        window = created.get();
        frontEnd->keepAlive(std::move(created));
    } catch (...) {
    }
    if (window == nullptr) {
        return;
    }
    try {
        window->show(km::ui::Modality::Modeless);
    } catch (...) {
    }
}

} // namespace

bool LandscapeMgr::FlagOf(const std::string& text) {
    return km::rt::LCase(text) == "true";
}

void LandscapeMgr::InitialiseObjects() {
    goApp = HostServices().CreateApplication();
    goImf = goApp->Interface("IKMImf");
    goStatusMgr = std::make_shared<clsStatusMgr>();
    goDisplay = std::make_shared<clsDisplay>();
    goUtils = std::make_shared<clsUtils>();
}

void LandscapeMgr::DestroyObjects() {
    goUtils.reset();
    goDisplay.reset();
    goStatusMgr.reset();
    goApp.reset();
    goImf.reset();
}

bool LandscapeMgr::LoadMetamodel() {
    InitialiseObjects();
    clsKMFileLoader().LoadMetamodel();
    DestroyObjects();
    return false;
}

bool LandscapeMgr::CheckInstallation() {
    InitialiseObjects();
    bool blnInstalled = clsKMFileLoader().CheckInstallation();
    DestroyObjects();
    return blnInstalled;
}

void LandscapeMgr::RunReportServiceRoadmap() {
    gblnTraceOff = true;
    InitialiseObjects();
    clsReportServiceRoadmap().RunReport();
    DestroyObjects();
}

void LandscapeMgr::ShowHelp() {
    InitialiseObjects();
    clsHelp().ShowHelpKM(0);
    DestroyObjects();
}

bool LandscapeMgr::SimpleQuery(const std::string& PropName, const std::string& PropValue, const std::string& Colour,
                               const std::string& SymbolTypeName, const std::string& BooleanOperator,
                               const std::string& KeyTitle) {
    gblnTraceOff = true;
    InitialiseObjects();
    clsAnalyticMgr().ColourSyms(PropName, PropValue, Colour, SymbolTypeName, BooleanOperator, KeyTitle);
    DestroyObjects();
    return false;
}

bool LandscapeMgr::ExecuteAnalyticsForDiagram() {
    gblnTraceOff = true;
    InitialiseObjects();
    auto encyclopedia = goApp->encyclopedia();
    if (!encyclopedia) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet, "No encyclopedia is open.");
    }
    if (auto dgmDiagram = encyclopedia->getcurrentdiagram()) {
        clsAnalyticMgr().ExecuteAnalyticsForDiagram(dgmDiagram);
    }
    DestroyObjects();
    return false;
}

bool LandscapeMgr::ComplexQuery(const std::string& AnalyticReportName, const std::string& ExecuteIfNULL,
                                const std::string& Colour, const std::string& SymbolTypeName,
                                const std::string& KeyTitle, const std::string& DoGrouping,
                                const std::string& DrawBoxes) {
    gblnTraceOff = true;
    InitialiseObjects();
    bool blnResult = clsAnalyticMgr().ComplexQuery(AnalyticReportName, FlagOf(ExecuteIfNULL), Colour, SymbolTypeName,
                                                   KeyTitle, FlagOf(DoGrouping), FlagOf(DrawBoxes));
    DestroyObjects();
    return blnResult;
}

bool LandscapeMgr::CreateAnalytic() {
    showModeless<frmAnalyticBldrWizard>();
    return false;
}

bool LandscapeMgr::AnalyticExecutor() {
    showModeless<frmAnalyticSelector2>();
    return false;
}

void LandscapeMgr::ClearAnalytics() {
    gblnTraceOff = true;
    InitialiseObjects();
    clsAnalyticMgr().ClearAnalytics();
    DestroyObjects();
}

void LandscapeMgr::BuildLandscape() {
    gblnTraceOff = true;
    InitialiseObjects();
    clsLandscapeBuilder().BuildLAA();
    DestroyObjects();
}

void LandscapeMgr::BuildAutoLandscape() {
    gblnTraceOff = false;
    InitialiseObjects();
    clsAutoLandscapeBuilder().BuildLAA();
    DestroyObjects();
}

void LandscapeMgr::RefreshLandscape() {
    gblnTraceOff = true;
    InitialiseObjects();
    clsLandscapeBuilder().RefreshLAA();
    DestroyObjects();
}

void LandscapeMgr::BuildServiceHierarchies() {
    InitialiseObjects();
    clsHierarchyBuilder().BuildServiceHierarchies();
    DestroyObjects();
}

} // namespace KM_SLN_SOA
