#pragma once
#include "platform/ui/Form.h"

namespace KM_SLN_SOA {

/// The analytic builder wizard: defines and saves an analytic step by step. Shown modeless; it
/// sets up and releases the shared objects it needs itself.
/// FIXME: the wizard's pages and logic are not written yet; it opens empty.
class frmAnalyticBldrWizard : public km::ui::Form {
public:
    explicit frmAnalyticBldrWizard(km::ui::FrontEnd& frontEnd)
        : Form(frontEnd, "frmAnalyticBldrWizard", "Analytic Builder Wizard") {}
};

} // namespace KM_SLN_SOA
