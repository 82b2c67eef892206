#include "frmLAAFilterSelect.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsHelp.h"
#include "basLandscape.h"
#include "clsSorter.h"
#include "host/IDiagram.h"
#include "host/IEncyclopedia.h"
#include "host/IMetaModel.h"
#include "host/basCommon.h"
#include "host/clsUtils.h"

namespace KM_SLN_SOA {

namespace {

constexpr km::rt::Long helpTopic = 999852;
constexpr km::rt::Long diagramClass = 1;
constexpr km::rt::Long definitionClass = 3;

template <class TCollection> void ListObjects(km::ui::ListBox& lstObjects, TCollection colObjects) {
    colObjects->readall();
    lstObjects.clear();
    for (const auto& oObject : colObjects) {
        lstObjects.addItem(oObject->Name());
        lstObjects.setItemData(lstObjects.newIndex(), oObject->ddid());
    }
}

} // namespace

frmLAAFilterSelect::frmLAAFilterSelect(km::ui::FrontEnd& frontEnd)
    : Form(frontEnd, "frmLAAFilterSelect", "Select Parameter") {
    lstObjects.setMultiSelect(km::ui::MultiSelect::Multiple);
    cboTypes.setStyle(km::ui::ComboStyle::DropDownList);
    optDefs.onClick = [this] { optClass_Click(); };
    optDgms.onClick = [this] { optClass_Click(); };
    cboTypes.onClick = [this] { cboTypes_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    lstObjects.onDblClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { hide(); };
    cmdHelp.onClick = [this] { clsHelp().ShowHelpTopicKM(windowHandle(), helpTopic); };
}

void frmLAAFilterSelect::onLoad() {
    optDefs.setValue(true);
    KMFormLanguageSetUp(*this);
    if (goUtils && goUtils->oKMXres()) {
        auto oKMXres = goUtils->oKMXres();
        setCaption(oKMXres->GetLocalString(26) + " " + versionText);
        cmdHelp.setCaption(oKMXres->GetLocalString(23));
    }
    txtTitle.setText(strTitleReport);
}

void frmLAAFilterSelect::optClass_Click() {
    try {
        blnDefns = optDefs.value();
        cboTypes.clear();
        auto oMetaClass = LandscapeEncyclopedia()->MetaModel()->MetaClasses(blnDefns ? definitionClass : diagramClass);
        auto colMetaItems = oMetaClass->SupportedMetaItems();
        lstObjects.clear();
        clsSorter::ObjectCollection<km::host::IMetaItem> colSorted;
        clsSorter oSorter;
        for (km::rt::Long i = 1; i <= colMetaItems->count(); ++i) {
            oSorter.AddKMMetaObjToSortedCollection(colSorted, colMetaItems->Item(i));
        }
        for (const auto& oMetaItem : colSorted) {
            cboTypes.addItem(oMetaItem->TypeName());
            cboTypes.setItemData(cboTypes.newIndex(), oMetaItem->TypeNumber());
        }
    } catch (const std::exception& error) {
        LandscapeMsgBox("An unexpected error occured. Please contact your administrator.\r\n" + ErrorDescription(error),
                        styleCritical, std::string(messageTitle));
    }
}

void frmLAAFilterSelect::cboTypes_Click() {
    if (cboTypes.text().empty() || cboTypes.listIndex() < 0) {
        return;
    }
    const km::rt::Long lngType = cboTypes.itemData(cboTypes.listIndex());
    auto encyclopedia = LandscapeEncyclopedia();
    if (blnDefns) {
        ListObjects(lstObjects, encyclopedia->getfiltereddefinitions("", lngType));
    } else {
        ListObjects(lstObjects, encyclopedia->GetFilteredDiagrams("", lngType));
    }
}

void frmLAAFilterSelect::cmdOK_Click() {
    colObjectsSelected = std::make_shared<ChosenObjects>();
    auto encyclopedia = LandscapeEncyclopedia();
    for (int i = 0; i < lstObjects.listCount(); ++i) {
        if (!lstObjects.selected(i)) {
            continue;
        }
        std::shared_ptr<km::host::IKMObject> oObject;
        if (blnDefns) {
            oObject = encyclopedia->getdefinitionbyid(lstObjects.itemData(i));
        } else {
            oObject = encyclopedia->getdiagrambyid(lstObjects.itemData(i));
        }
        if (oObject) {
            colObjectsSelected->Add(oObject, std::to_string(oObject->ddid()));
        }
    }
    if (colObjectsSelected->count() == 0) {
        LandscapeMsgBox("You must select an object", styleCritical, std::string(messageTitle));
        return;
    }
    blnOkPressed = true;
    hide();
}

} // namespace KM_SLN_SOA
