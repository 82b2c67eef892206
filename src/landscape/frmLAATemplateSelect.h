#pragma once
#include "host/IDefinition.h"
#include "platform/runtime/Collection.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include <memory>

namespace KM_SLN_SOA {

/// The chosen repository objects of a choice dialog, keyed by their ddid as text.
using ChosenObjects = km::rt::Collection<std::shared_ptr<km::host::IKMObject>>;

/// Lists the Application Landscape Report templates (type 625) and answers the chosen ones.
class frmLAATemplateSelect : public km::ui::Form {
public:
    explicit frmLAATemplateSelect(km::ui::FrontEnd& frontEnd);

    /// True only when the dialog was closed with OK and at least one template chosen.
    bool blnOkPressed = false;
    /// The chosen templates, in list order.
    std::shared_ptr<ChosenObjects> colObjectsSelected;

    km::ui::Label lblTemplates{*this, "lblTemplates", "&Select the Application Landscape Report template"};
    km::ui::ListBox lstObjects{*this, "lstObjects"};
    km::ui::CommandButton cmdOK{*this, "cmdOK", "OK"};
    km::ui::CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};
    km::ui::CommandButton cmdHelp{*this, "cmdHelp", "&Help"};

protected:
    void onLoad() override;

private:
    void cmdOK_Click();
};

} // namespace KM_SLN_SOA
