#include "frmAnalyticSelector2.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsStatusMgr.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/IEncyclopedia.h"
#include "host/ReadOnlySwitch.h"
#include "host/basCommon.h"
#include "host/clsUtils.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/FrontEnd.h"

namespace KM_SLN_SOA {

namespace {

constexpr const char* formName = "frmAnalyticSelector2";
constexpr km::rt::Long analyticType = 798;
constexpr int okCritical = 16;
constexpr int yesNo = 4;
constexpr int answerYes = 6;
constexpr km::rt::Long twipsPerInch = 1440;

std::shared_ptr<km::host::IEncyclopedia> OpenEncyclopedia() {
    auto encyclopedia = goApp ? goApp->encyclopedia() : nullptr;
    if (!encyclopedia) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet, "Object variable or With block variable not set");
    }
    return encyclopedia;
}

int Ask(const std::string& prompt, int style) {
    return goStatusMgr ? goStatusMgr->KMMsgBox(prompt, style, std::string(messageTitle)) : 0;
}

} // namespace

frmAnalyticSelector2::frmAnalyticSelector2(km::ui::FrontEnd& frontEnd) : Form(frontEnd, formName, "Analytic Helper") {
    lstAvailableAnalytics.setStyle(km::ui::ListStyle::CheckBox);
    cmdApply.setToolTipText("Apply analytics to open diagram");
    cmdClear.setToolTipText("Clear analytics from open diagram");
    cmdApply.onClick = [this] {
        m_objects.Initialise();
        cmdApply_Click();
    };
    cmdClear.onClick = [this] { Trapped("cmdClear_Click", [this] { cmdClear_Click(); }); };
    cmdClose.onClick = [this] {
        hide();
        unload();
    };
    lstAvailableAnalytics.onItemCheck = [this](int Item) {
        Trapped("lstAvailableAnalytics_ItemCheck", [this, Item] { lstAvailableAnalytics_ItemCheck(Item); });
    };
    lstSelectedAnalystics.onDblClick = [this] {
        Trapped("lstSelectedAnalystics_DblClick", [this] { lstSelectedAnalystics_DblClick(); });
    };
    spnMoveUpDown.onUpClick = [this] { Trapped("spnMoveUpDown_UpClick", [this] { spnMoveUpDown_UpClick(); }); };
    spnMoveUpDown.onDownClick = [this] { Trapped("spnMoveUpDown_DownClick", [this] { spnMoveUpDown_DownClick(); }); };
}

void frmAnalyticSelector2::Trapped(const char* procedure, const std::function<void()>& body) {
    try {
        m_objects.Initialise();
        body();
    } catch (const std::exception& error) {
        ShowProcedureError(error, procedure, formName, true);
    }
}

void frmAnalyticSelector2::Busy(const std::string& status, int pointer, const std::function<void()>& body) {
    auto restore = [this] {
        frontEnd().setMousePointer(km::ui::MousePointer::Default);
        lblStatus.setCaption("");
        setEnabled(true);
    };
    setEnabled(false);
    lblStatus.setCaption(status);
    frontEnd().setMousePointer(static_cast<km::ui::MousePointer>(pointer));
    try {
        body();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void frmAnalyticSelector2::onLoad() {
    Trapped("Form_Load", [this] {
        InitialiseObjects();
        moAnalyticMgr = std::make_unique<clsAnalyticMgr>();
        mblnLoading = true;
        LoadAllAnalytics();
        LoadCurrentAnalytics();
        mblnLoading = false;
    });
    mblnLoading = false;
}

void frmAnalyticSelector2::InitialiseObjects() {
    Trapped("InitialiseObjects", [this] {
        m_objects.Initialise();
        KMFormLanguageSetUp(*this);
    });
    setCaption(std::string("Analytic Helper Tool ") + versionText);
}

void frmAnalyticSelector2::DestroyObjects() {
    Trapped("DestroyObjects", [this] { m_objects.Release(); });
}

void frmAnalyticSelector2::LoadAllAnalytics() {
    Trapped("LoadAllAnalytics", [this] {
        auto encyclopedia = OpenEncyclopedia();
        km::host::CollectionPtr<km::host::IDefinition> colAnalytics;
        {
            km::host::ReadOnlySwitch readOnly(encyclopedia, true, km::host::AfterScope::SwitchOff);
            colAnalytics = encyclopedia->getfiltereddefinitions("", analyticType);
            colAnalytics->readall();
        }
        lstAvailableAnalytics.clear();
        for (const auto& defAnalytic : colAnalytics) {
            lstAvailableAnalytics.addItem(defAnalytic->Name());
            lstAvailableAnalytics.setItemData(lstAvailableAnalytics.newIndex(), defAnalytic->ddid());
        }
    });
}

void frmAnalyticSelector2::LoadCurrentAnalytics() {
    Trapped("LoadCurrentAnalytics", [this] {
        std::shared_ptr<km::host::IDiagram> dgmCurrent;
        try {
            dgmCurrent = OpenEncyclopedia()->getcurrentdiagram();
        } catch (const std::exception&) {
            dgmCurrent = nullptr;
        }
        if (!dgmCurrent) {
            Ask("No diagram is open. Open a diagram and try again.", okCritical);
            hide();
            unload();
            return;
        }
        mlngDiagramDDID = dgmCurrent->ddid();
        auto colAnalytics = moAnalyticMgr->GetAnalyticsInOrder(mlngDiagramDDID);
        if (!colAnalytics) {
            return;
        }
        for (const auto& defAnalytic : *colAnalytics) {
            AddThisAnalyticToSelectedList(defAnalytic->Name(), defAnalytic->ddid());
            CheckThisAnalyticInAvailableList(defAnalytic->ddid());
        }
    });
}

void frmAnalyticSelector2::AddThisAnalyticToSelectedList(const std::string& name, km::rt::Long id) {
    Trapped("AddThisAnalyticToSelectedList", [&] {
        if (lstSelectedAnalystics.findItemData(id) >= 0) {
            return;
        }
        lstSelectedAnalystics.addItem(name);
        lstSelectedAnalystics.setItemData(lstSelectedAnalystics.newIndex(), id);
        if (!mblnLoading) {
            mblnChanged = true;
        }
    });
}

void frmAnalyticSelector2::CheckThisAnalyticInAvailableList(km::rt::Long id) {
    Trapped("CheckThisAnalyticInAvailableList", [&] {
        int index = lstAvailableAnalytics.findItemData(id);
        if (index >= 0) {
            lstAvailableAnalytics.setChecked(index, true);
        }
    });
}

void frmAnalyticSelector2::UncheckAvailableAnalytic(km::rt::Long id) {
    Trapped("UncheckAvailableAnalytic", [&] {
        int index = lstAvailableAnalytics.findItemData(id);
        if (index >= 0) {
            lstAvailableAnalytics.setChecked(index, false);
        }
    });
}

void frmAnalyticSelector2::RemoveSelectedAnalytic(km::rt::Long id) {
    Trapped("RemoveSelectedAnalytic", [&] {
        int index = lstSelectedAnalystics.findItemData(id);
        if (index >= 0) {
            lstSelectedAnalystics.removeItem(index);
        }
        mblnChanged = true;
    });
}

void frmAnalyticSelector2::lstAvailableAnalytics_ItemCheck(int Item) {
    km::rt::Long id = lstAvailableAnalytics.itemData(Item);
    if (id <= 0) {
        return;
    }
    if (!lstAvailableAnalytics.checked(Item)) {
        RemoveSelectedAnalytic(id);
    } else {
        AddThisAnalyticToSelectedList(lstAvailableAnalytics.list(Item), id);
        ExecuteThisAnalyic(id);
    }
}

void frmAnalyticSelector2::lstSelectedAnalystics_DblClick() {
    int index = lstSelectedAnalystics.firstSelected();
    if (index >= 0) {
        UncheckAvailableAnalytic(lstSelectedAnalystics.itemData(index));
    }
}

void frmAnalyticSelector2::ExecuteThisAnalyic(km::rt::Long id) {
    if (mblnLoading) {
        return;
    }
    Trapped("ExecuteThisAnalyic", [&] {
        auto defAnalytic = OpenEncyclopedia()->getdefinitionbyid(id);
        if (!defAnalytic) {
            return;
        }
        Busy("Executing analytic. Please wait....", static_cast<int>(km::ui::MousePointer::Hourglass),
             [&] { moAnalyticMgr->ExecuteAnalyticDef(defAnalytic); });
    });
}

void frmAnalyticSelector2::spnMoveUpDown_UpClick() {
    MoveSelected(-1);
}

void frmAnalyticSelector2::spnMoveUpDown_DownClick() {
    MoveSelected(1);
}

void frmAnalyticSelector2::MoveSelected(int step) {
    int index = lstSelectedAnalystics.firstSelected();
    int target = index + step;
    if (index < 0 || target < 0 || target >= lstSelectedAnalystics.listCount()) {
        return;
    }
    std::string text = lstSelectedAnalystics.list(index);
    km::rt::Long id = lstSelectedAnalystics.itemData(index);
    lstSelectedAnalystics.removeItem(index);
    lstSelectedAnalystics.addItem(text, target);
    lstSelectedAnalystics.setItemData(lstSelectedAnalystics.newIndex(), id);
    lstSelectedAnalystics.setListIndex(target);
    lstSelectedAnalystics.setSelected(target, true);
    mblnChanged = true;
}

void frmAnalyticSelector2::cmdApply_Click() {
    ApplyAnalyticsToDiagram(false);
}

void frmAnalyticSelector2::ApplyAnalyticsToDiagram(bool blnStoreOnly) {
    Trapped("ApplyAnalyticsToDiagram", [&] {
        std::string strList;
        for (int i = 0; i < lstSelectedAnalystics.listCount(); ++i) {
            strList += goUtils->AddQuotesIfNeeded(lstSelectedAnalystics.list(i), false) + "\r\n";
            if (!blnStoreOnly) {
                ExecuteThisAnalyic(lstSelectedAnalystics.itemData(i));
            }
        }
        if (mlngDiagramDDID > 0) {
            if (auto dgmDiagram = OpenEncyclopedia()->getdiagrambyid(mlngDiagramDDID)) {
                dgmDiagram->setProperty("Analytics To Run", strList);
                dgmDiagram->save();
            }
        }
        mblnChanged = false;
    });
}

void frmAnalyticSelector2::cmdClear_Click() {
    gblnTraceOff = true;
    clsAnalyticMgr oAnalyticMgr;
    Busy("Clearing analytics on diagram. Please wait...", static_cast<int>(km::ui::MousePointer::ArrowHourglass),
         [&] { oAnalyticMgr.ClearAnalytics(); });
}

void frmAnalyticSelector2::onUnload() {
    Trapped("Form_Unload", [this] {
        if (mblnChanged && Ask("Store these analytics as the default set for this diagram?", yesNo) == answerYes) {
            ApplyAnalyticsToDiagram(true);
        }
    });
    DestroyObjects();
}

void frmAnalyticSelector2::onActivate() {
    PlaceOverMainWindow();
}

void frmAnalyticSelector2::PlaceOverMainWindow() {
    km::rt::Long handle = 0;
    if (goImf) {
        goImf->KMGetFrameWindow(handle);
    }
    const km::ui::MainWindow& main = frontEnd().mainWindow();
    km::rt::Long rectLeft = main.left * twipsPerInch / main.pixelsPerInchX;
    km::rt::Long rectRight = main.right * twipsPerInch / main.pixelsPerInchX;
    km::rt::Long rectBottom = main.bottom * twipsPerInch / main.pixelsPerInchY;
    setLeft((rectLeft + rectRight) / 2 - width() / 2);
    setTop(rectBottom - height());
}

} // namespace KM_SLN_SOA
