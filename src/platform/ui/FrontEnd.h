#pragma once
#include "Control.h"
#include "Form.h"
#include "HelpRequest.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace km::ui {

struct FormAction;

/// Mouse pointer shapes, numbered as the platform numbers them.
enum class MousePointer { Default = 0, Arrow = 1, Hourglass = 11, ArrowHourglass = 13 };

/// The host's main window as the front end presents it: a handle number and its rectangle in
/// pixels, with the screen's pixels per inch (to convert pixels to twips).
struct MainWindow {
    rt::Long handle = 1;
    rt::Long left = 0;
    rt::Long top = 0;
    rt::Long right = 1280;
    rt::Long bottom = 800;
    int pixelsPerInchX = 96;
    int pixelsPerInchY = 96;
};

/// Shows forms and message boxes and runs their events, and brings the user's text editor and the
/// help viewer. The add-in gets its front end from the host; the workbench brings a scripted one
/// (tests, batch runs) and a terminal one (people).
///
/// A front end must outlive the forms made on it, except those it keeps alive itself.
///
/// The status window is the visible modeless form whose role is FormRole::Status; a status line is
/// a caption set on one of its labels. Front ends show status lines as progress and can press its
/// cancel button (Form::cancelButton).
class FrontEnd {
public:
    FrontEnd();
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;
    virtual ~FrontEnd();

    /// Shows a message box with the platform's style number (buttons + icon + default button) and
    /// answers the pressed button's number (OK 1, Cancel 2, Yes 6, No 7 ...).
    int msgBox(const std::string& prompt, int style = 0, const std::string& title = {});
    /// Asks for a text; answers "" on Cancel.
    std::string inputBox(const std::string& prompt, const std::string& title = {}, const std::string& defaultText = {});
    /// Opens the colour dialog on \p colour; answers the chosen colour, nothing on Cancel.
    std::optional<rt::Long> chooseColour(rt::Long colour);

    /// Lets the user edit \p text (titled \p title) in an editor; answers the text as the user
    /// left it, nothing when the edit was abandoned or no editor could be opened.
    std::optional<std::string> editText(const std::string& title, const std::string& text);
    /// Shows a help file at a topic, or says where it is when it cannot be shown.
    void showHelp(const HelpRequest& request);
    /// The last help request (HelpRequest::text); "" before the first.
    const std::string& lastHelp() const { return m_lastHelp; }

    /// Processes pending user actions once (the platform's DoEvents).
    void doEvents();
    /// Keeps running the user's actions until no modeless form is visible any more; then unloads
    /// the forms it keeps alive that are merely hidden, and destroys them.
    void runUntilAllClosed();
    /// Takes over a modeless form that must outlive the call that showed it; it is destroyed once
    /// it is unloaded, at the next safe moment (in runUntilAllClosed or with the front end).
    void keepAlive(std::unique_ptr<Form> form);

    MousePointer mousePointer() const { return m_mousePointer; }
    void setMousePointer(MousePointer pointer);
    bool mainWindowEnabled() const { return m_mainWindowEnabled; }
    void setMainWindowEnabled(bool enabled);
    const MainWindow& mainWindow() const { return m_mainWindow; }
    void setMainWindow(const MainWindow& window) { m_mainWindow = window; }
    /// The host status bar text.
    const std::string& statusLine() const { return m_statusLine; }
    void setStatusLine(std::string text);

    /// The loaded forms, in the order they were loaded.
    const std::vector<Form*>& loadedForms() const { return m_forms; }
    /// The first loaded form of that name (compared without regard to case); nullptr when none.
    Form* findForm(std::string_view name) const;
    /// The visible modeless form in the status role; nullptr when none is shown.
    Form* statusWindow() const;
    bool isStatusWindow(const Form& form) const;

protected:
    /// Answers a message box; the answer must be one of the style's buttons.
    virtual int askMessage(const std::string& prompt, int style, const std::string& title) = 0;
    /// Answers an input box; nothing for Cancel.
    virtual std::optional<std::string> askInput(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
    virtual std::optional<rt::Long> askColour(rt::Long colour) = 0;
    /// Runs the front end's text editor; nothing when the edit was abandoned.
    virtual std::optional<std::string> askEdit(const std::string& title, const std::string& text) = 0;
    /// Shows help with the front end's help viewer.
    virtual void openHelp(const HelpRequest& request) = 0;
    /// Runs a modal form until it is hidden or unloaded.
    virtual void playModal(Form& form) = 0;
    /// One round of pending user actions.
    virtual void processEvents() = 0;
    /// Runs until no modeless form is visible.
    virtual void playModeless() = 0;

    virtual void onFormShown(Form&, Modality) {}
    virtual void onFormHidden(Form&) {}
    virtual void onFormUnloaded(Form&) {}
    virtual void onFormBroughtToFront(Form&) {}
    /// The form object is being destroyed: drop every reference to it.
    virtual void onFormDestroyed(Form&) {}
    virtual void onChanged(Form&, Control*, Property) {}
    virtual void onStatusLine(const std::string&) {}
    /// A status line of the status window (see the class comment).
    virtual void onStatusWindowLine(Form&, const std::string&) {}
    virtual void onMousePointer(MousePointer) {}
    /// An error that escaped an event handler outside a user action (e.g. while closing).
    virtual void onHandlerError(const std::string&) {}

    /// The outcome of a user action: empty when it went through, else what went wrong.
    struct ActionOutcome {
        bool ok = true;
        bool scriptProblem = false; ///< the action did not fit the form (see FormDriver)
        std::string error;
    };
    /// Performs a user action on a form, catching what it throws: a user's action never ends the
    /// program, and an error escaping an event handler is reported instead.
    ActionOutcome perform(Form& form, const FormAction& action);
    /// Presses the status window's Cancel button when a user could; true when pressed.
    bool pressStatusCancel();
    /// The visible modeless forms, in the order they were loaded.
    std::vector<Form*> visibleModelessForms() const;
    /// True while a user action or a modal form is running (nested doEvents then must not start
    /// another form's script).
    bool busy() const { return m_busy > 0; }
    /// Destroys the kept-alive forms, unloaded or not, without running their handlers; for the
    /// destructors of front ends.
    void destroyKeptForms();

private:
    friend class Form;
    rt::Long formLoaded(Form& form);
    void formShown(Form& form, Modality modality);
    void formHidden(Form& form);
    void formUnloaded(Form& form);
    void formBroughtToFront(Form& form);
    void runModal(Form& form);
    void changed(Form& form, Control* control, Property what);
    void forgetForm(Form& form);
    void destroyUnloadedKeptForms();

    struct BusyScope;

    std::vector<Form*> m_forms;
    std::vector<std::unique_ptr<Form>> m_keptAlive;
    std::string m_statusLine;
    std::string m_lastHelp;
    MainWindow m_mainWindow;
    MousePointer m_mousePointer = MousePointer::Default;
    rt::Long m_nextHandle = 0x1000;
    int m_busy = 0;
    bool m_mainWindowEnabled = true;
};

} // namespace km::ui
