#pragma once
#include "FrontEnd.h"
#include <iosfwd>
#include <string>

namespace km::ui {

/// How the terminal front end treats its streams.
struct TerminalOptions {
    /// The progress stream is a terminal: one progress line overwritten with '\r'. Otherwise each
    /// new status line is written on a line of its own.
    bool progressIsTerminal = false;
    /// The input is a terminal: end of input (Ctrl-D) cancels the one question asked and input
    /// goes on afterwards. Otherwise end of input is final and answers every later question.
    bool inputIsTerminal = false;
    /// Longest progress line on a terminal, in characters.
    int progressWidth = 79;
    /// The text editor, a shell command the file name is appended to; empty: none.
    std::string editor;
    /// The help viewer, a shell command with "{file}" and "{topic}"; empty: none.
    std::string helpViewer;

    /// The options for the process's standard input and standard error, and the editor ($VISUAL,
    /// else $EDITOR) and help viewer ($KEMORA_HELP_VIEWER) of its environment.
    static TerminalOptions detect();
};

/// The front end for a person at a terminal.
///
/// - Message boxes: the title, the icon's word and the prompt, then the numbered buttons; the
///   answer is a button's number, name or first letter, an empty line takes the default button.
///   At end of input the box answers Cancel, else No, else Abort, else OK.
/// - Input boxes: an empty line takes the default text; end of input cancels.
/// - Colour dialog: a colour number, #RRGGBB or a colour name ("light green"); an empty line keeps the colour; end of
/// input
///   cancels.
/// - Forms: shown as text (see FormText) followed by a prompt taking the commands of form
///   scripts (select, check, type, click ..., several joined by ';') and "help" and "show". A
///   modal form is run inside its show(); modeless forms are run by runUntilAllClosed, the one
///   shown last first. End of input closes the form.
/// - Status lines (of the status window and the host status bar) form one progress line on the
///   progress stream.
/// - Text editor: the options' editor runs on a temporary file holding the text; the text is
///   taken back when the editor ends successfully. Without an editor, or when input is not a
///   terminal, nothing is edited and the status line says so.
/// - Help: the line saying where the help is (HelpRequest::text) is written to the output, and
///   the options' help viewer is started on an installed help file.
/// - Ctrl-C (with installInterruptHandler) presses Cancel: the next doEvents presses the Cancel
///   button of the status window, so the running loop stops at its next status call. A second
///   Ctrl-C while no status window is shown ends the program as usual.
class TerminalFrontEnd : public FrontEnd {
public:
    TerminalFrontEnd(std::istream& in, std::ostream& out, std::ostream& progress, TerminalOptions options = {});
    ~TerminalFrontEnd() override;

    /// Lets Ctrl-C press Cancel (see the class comment) until the front end is destroyed.
    void installInterruptHandler();
    /// What Ctrl-C does; safe to call from a signal handler.
    static void interrupt();

protected:
    int askMessage(const std::string& prompt, int style, const std::string& title) override;
    std::optional<std::string> askInput(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::optional<rt::Long> askColour(rt::Long colour) override;
    std::optional<std::string> askEdit(const std::string& title, const std::string& text) override;
    void openHelp(const HelpRequest& request) override;
    void playModal(Form& form) override;
    void processEvents() override;
    void playModeless() override;
    void onFormShown(Form& form, Modality modality) override;
    void onFormHidden(Form& form) override;
    void onFormUnloaded(Form& form) override;
    void onFormBroughtToFront(Form& form) override;
    void onFormDestroyed(Form& form) override;
    void onStatusLine(const std::string& text) override;
    void onStatusWindowLine(Form& form, const std::string& text) override;
    void onHandlerError(const std::string& message) override;

private:
    /// Reads one line; false at end of input (on a terminal only for this one read).
    bool readLine(std::string& line);
    void interact(Form& form);
    /// Runs one command line typed for a form.
    void runCommand(Form& form, const std::string& line);
    void printHelp();
    void printHeading(const std::string& title);
    void pressCancelOnInterrupt(Form* form);
    void progress(const std::string& text);
    /// Finishes an open progress line so that other output starts on a line of its own.
    void endProgress();
    void statusWindowMayHaveChanged();
    Form* frontModelessForm() const;

    std::istream& m_in;
    std::ostream& m_out;
    std::ostream& m_progress;
    TerminalOptions m_options;
    Form* m_front = nullptr;
    std::string m_lastProgress;
    bool m_progressOpen = false;
    bool m_handlerInstalled = false;
};

} // namespace km::ui
