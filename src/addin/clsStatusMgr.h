#pragma once
#include "platform/runtime/Types.h"
#include <memory>
#include <optional>
#include <string>

namespace km::ui {
class FrontEnd;
}

namespace KM_SLN_SOA {

class frmStatus;

/// The one channel of a command to the user: the status window with its Cancel button, the
/// library's message box, and the error log that is shown when the object is released.
class clsStatusMgr {
public:
    /// Creates the status window (not shown) on the host's front end.
    clsStatusMgr();
    /// Unloads the status window and, when errors were logged, says so and writes the error log
    /// to a fresh trace log.
    ~clsStatusMgr();
    clsStatusMgr(const clsStatusMgr&) = delete;
    clsStatusMgr& operator=(const clsStatusMgr&) = delete;

    /// When True, KMMsgBox shows nothing.
    bool blnSilent() const { return m_blnSilent; }
    void blnSilent(bool value) { m_blnSilent = value; }

    /// Adds an error to the command's error log.
    void LogError(const std::string& strError);
    /// Shows a message box with exactly these arguments and answers the button pressed; 0 when
    /// silent. Without a title the box carries the library's name. The help file and context
    /// are accepted for callers' sake; the workbench's message boxes have no help button.
    int KMMsgBox(const std::string& Prompt, int Buttons = 0, std::optional<std::string> Title = std::nullopt,
                 const std::string& HelpFile = {}, km::rt::Long Context = 0);
    void ShowStatus();
    /// Writes a trace line through goDisplay (error 91 when there is none).
    void LogItem(const std::string& strText, km::rt::Long lngIndents);
    void HideStatus();
    /// Writes the error log to the trace log (see the class comment).
    void DisplayErrors();
    /// Shows a progress message; answers False once the user has cancelled.
    bool SetStatus(const std::string& strMessage);

    bool Cancelled() const { return m_blnCancelled; }
    void Cancelled(bool value) { m_blnCancelled = value; }

    /// The status window (for callers that place or inspect it).
    frmStatus* StatusWindow() const { return m_frmStatus.get(); }
    /// The errors logged so far, each followed by CR LF.
    const std::string& ErrorLog() const { return m_strErrorLog; }

private:
    void releaseWindowAndShowErrors();

    km::ui::FrontEnd& m_frontEnd;
    std::unique_ptr<frmStatus> m_frmStatus;
    std::string m_strErrorLog;
    bool m_blnSilent = false;
    bool m_blnCancelled = false;
};

} // namespace KM_SLN_SOA
