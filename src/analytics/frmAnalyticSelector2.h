#pragma once
#include "platform/ui/Form.h"

namespace KM_SLN_SOA {

/// The analytic selector: picks, orders, runs and stores the analytics of the open diagram. Shown
/// modeless; it sets up and releases the shared objects it needs itself.
/// FIXME: the window's controls and logic are not written yet; it opens empty.
class frmAnalyticSelector2 : public km::ui::Form {
public:
    explicit frmAnalyticSelector2(km::ui::FrontEnd& frontEnd)
        : Form(frontEnd, "frmAnalyticSelector2", "Analytic Helper") {}
};

} // namespace KM_SLN_SOA
