#include "frmLAATemplateSelect.h"
#include "addin/AddinVersion.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsHelp.h"
#include "basLandscape.h"
#include "host/IEncyclopedia.h"
#include "host/basCommon.h"
#include "host/clsUtils.h"
#include <string>

namespace KM_SLN_SOA {

namespace {

constexpr km::rt::Long templateType = 625;
constexpr km::rt::Long helpTopic = 999851;

} // namespace

frmLAATemplateSelect::frmLAATemplateSelect(km::ui::FrontEnd& frontEnd)
    : Form(frontEnd, "frmLAATemplateSelect", "Application Landscape Manager") {
    lstObjects.setMultiSelect(km::ui::MultiSelect::Multiple);
    cmdOK.onClick = [this] { cmdOK_Click(); };
    lstObjects.onDblClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { hide(); };
    cmdHelp.onClick = [this] { clsHelp().ShowHelpTopicKM(windowHandle(), helpTopic); };
}

void frmLAATemplateSelect::onLoad() {
    lstObjects.clear();
    auto colTemplates = LandscapeEncyclopedia()->getfiltereddefinitions("", templateType);
    colTemplates->readall();
    for (const auto& defTemplate : colTemplates) {
        lstObjects.addItem(defTemplate->Name());
        lstObjects.setItemData(lstObjects.newIndex(), defTemplate->ddid());
    }
    KMFormLanguageSetUp(*this);
    if (goUtils && goUtils->oKMXres()) {
        auto oKMXres = goUtils->oKMXres();
        setCaption(oKMXres->GetLocalString(25) + " " + versionText);
        cmdOK.setCaption(oKMXres->GetLocalString(7));
        cmdCancel.setCaption(oKMXres->GetLocalString(8));
        lblTemplates.setCaption(oKMXres->GetLocalString(26));
    }
}

void frmLAATemplateSelect::cmdOK_Click() {
    colObjectsSelected = std::make_shared<ChosenObjects>();
    auto encyclopedia = LandscapeEncyclopedia();
    for (int i = 0; i < lstObjects.listCount(); ++i) {
        if (!lstObjects.selected(i)) {
            continue;
        }
        auto defTemplate = encyclopedia->getdefinitionbyid(lstObjects.itemData(i));
        if (defTemplate) {
            colObjectsSelected->Add(defTemplate, std::to_string(defTemplate->ddid()));
        }
    }
    if (colObjectsSelected->count() > 0) {
        blnOkPressed = true;
        hide();
    } else {
        LandscapeMsgBox("You must select a Template", styleCritical, std::string(messageTitle));
    }
}

} // namespace KM_SLN_SOA
