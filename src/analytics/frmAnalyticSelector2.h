#pragma once
#include "clsAnalyticMgr.h"
#include "clsWindowObjects.h"
#include "platform/runtime/Types.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/UpDown.h"
#include <functional>
#include <memory>
#include <string>

namespace KM_SLN_SOA {

/// The analytic selector: lists every analytic with a check box and the open diagram's analytics
/// in running order. Checking an analytic runs it and adds it to the diagram's list; Apply runs
/// the list and stores it in the diagram's "Analytics To Run"; Clear removes the analytics'
/// colours and key. Shown modeless; it keeps the shared objects it needs alive itself.
class frmAnalyticSelector2 : public km::ui::Form {
public:
    explicit frmAnalyticSelector2(km::ui::FrontEnd& frontEnd);

    km::ui::Label lblAvailableAnalytics{*this, "lblAvailableAnalytics", "&Available Analytics"};
    km::ui::ListBox lstAvailableAnalytics{*this, "lstAvailableAnalytics"};
    km::ui::Label lblCurrentlySelectedAnalytics{*this, "lblCurrentlySelectedAnalytics",
                                                "&Currently Selected Analytics"};
    km::ui::ListBox lstSelectedAnalystics{*this, "lstSelectedAnalystics"};
    km::ui::UpDown spnMoveUpDown{*this, "spnMoveUpDown"};
    km::ui::Label lblStatus{*this, "lblStatus"};
    km::ui::CommandButton cmdApply{*this, "cmdApply", "A&pply"};
    km::ui::CommandButton cmdClear{*this, "cmdClear", "Clea&r"};
    km::ui::CommandButton cmdClose{*this, "cmdClose", "C&lose"};

    /// Id of the diagram that was current on load; 0 when none.
    km::rt::Long mlngDiagramDDID = 0;
    /// The selected list changed since load or the last apply.
    bool mblnChanged = false;
    /// True while the lists are filled on load.
    bool mblnLoading = false;

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;

private:
    void InitialiseObjects();
    void DestroyObjects();
    void LoadAllAnalytics();
    void LoadCurrentAnalytics();
    void AddThisAnalyticToSelectedList(const std::string& name, km::rt::Long id);
    void CheckThisAnalyticInAvailableList(km::rt::Long id);
    void RemoveSelectedAnalytic(km::rt::Long id);
    void UncheckAvailableAnalytic(km::rt::Long id);
    void ExecuteThisAnalyic(km::rt::Long id);
    void ApplyAnalyticsToDiagram(bool blnStoreOnly);

    void cmdApply_Click();
    void cmdClear_Click();
    void lstAvailableAnalytics_ItemCheck(int Item);
    void lstSelectedAnalystics_DblClick();
    void spnMoveUpDown_UpClick();
    void spnMoveUpDown_DownClick();
    void MoveSelected(int step);
    void PlaceOverMainWindow();

    /// Runs \p body; an error is reported with the window's message naming \p procedure.
    void Trapped(const char* procedure, const std::function<void()>& body);
    /// Runs \p body with the window disabled, \p status shown and \p pointer set, and puts all of
    /// it back also when \p body fails (the failure then goes on to the caller).
    void Busy(const std::string& status, int pointer, const std::function<void()>& body);

    std::unique_ptr<clsAnalyticMgr> moAnalyticMgr;
    clsWindowObjects m_objects;
};

} // namespace KM_SLN_SOA
