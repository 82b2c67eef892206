#pragma once
#include "platform/ui/MessageBoxStyle.h"
// Short ways for the landscape builders to reach the shared globals: each raises error 91 (object
// not set) when the command did not set the object up, as using Nothing does.
#include "platform/runtime/Types.h"
#include <memory>
#include <optional>
#include <string>

namespace km::host {
class IEncyclopedia;
class IImf;
} // namespace km::host
namespace km::ui {
class FrontEnd;
}

namespace KM_SLN_SOA {

class clsUtils;
class clsStatusMgr;

/// Message-box styles and answers the builders use, under the names they use them by.
inline constexpr int styleOk = km::ui::msgbox::okOnly;
inline constexpr int styleYesNoCancel = km::ui::msgbox::yesNoCancel;
inline constexpr int styleCritical = km::ui::msgbox::critical;
inline constexpr int styleInformation = km::ui::msgbox::information;
inline constexpr int answerYes = km::ui::answer::yes;
inline constexpr int answerNo = km::ui::answer::no;

/// The open encyclopedia of goApp.
std::shared_ptr<km::host::IEncyclopedia> LandscapeEncyclopedia();
/// Sets the encyclopedia's openobjectsasreadonly switch; without an encyclopedia there is no switch
/// to set, and nothing happens (so that error paths may call it).
void LandscapeSetReadOnly(bool blnReadOnly);
clsUtils& LandscapeUtils();
km::host::IImf& LandscapeImf();
clsStatusMgr& LandscapeStatus();
/// The front end the add-in's windows are shown on.
km::ui::FrontEnd& LandscapeFrontEnd();

/// goStatusMgr.KMMsgBox; 0 when there is no status manager. Without a title the box carries the
/// library's name.
int LandscapeMsgBox(const std::string& strPrompt, int intStyle, std::optional<std::string> strTitle);
/// goStatusMgr.SetStatus; False (go no further) when there is no status manager.
bool LandscapeSetStatus(const std::string& strText);
/// goDisplay.LogItem; nothing without a trace log.
void LandscapeTrace(const std::string& strText, km::rt::Long lngIndents);
/// goDisplay.StartLogging; nothing without a trace log.
void LandscapeStartTrace(const std::string& strTitle);
/// Lets the user interface process pending events once; nothing without a front end.
void LandscapeDoEvents();

} // namespace KM_SLN_SOA
