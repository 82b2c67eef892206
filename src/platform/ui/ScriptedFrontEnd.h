#pragma once
#include "AnswerScript.h"
#include "FrontEnd.h"
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace km::ui {

/// A message box as it was shown and answered.
struct MessageRecord {
    std::string prompt;
    int style = 0;
    std::string title;
    int answer = 0;
    bool defaulted = false; ///< answered with the default button because no answer was queued
};

/// An input box as it was shown and answered (no answer: Cancel).
struct InputRecord {
    std::string prompt;
    std::string title;
    std::string defaultText;
    std::optional<std::string> answer;
    bool defaulted = false;
};

/// A text editor as it was opened and left (no answer: the edit was abandoned).
struct EditRecord {
    std::string title;
    std::string text;
    std::optional<std::string> answer;
    bool defaulted = false;
};

/// A colour dialog as it was shown and answered (no answer: Cancel).
struct ColourRecord {
    rt::Long initial = 0;
    std::optional<rt::Long> answer;
    bool defaulted = false;
};

/// A form as it was shown.
struct FormRecord {
    std::string name;
    std::string caption;
    Modality modality = Modality::Modeless;
};

/// The front end of tests and batch runs: nobody looks at the screen, answers come from queues
/// and user actions from form scripts, and everything shown is recorded.
///
/// - Message boxes take the next queued answer; with none queued they answer the style's default
///   button (the first, or the one 256/512 asks for: OK for OK/Cancel, Yes for Yes/No). A queued
///   answer that is not one of the box's buttons is recorded as an error and the default button
///   answers instead.
/// - Input boxes take the next queued answer; with none queued they answer the default text (OK).
/// - The text editor is answered from the same queue as input boxes: a text is the edited text,
///   Cancel abandons the edit; with none queued the text comes back unchanged.
/// - Help requests are recorded, nothing is opened.
/// - The colour dialog takes the next queued colour; with none queued it keeps the colour shown.
/// - A modal form plays the next script queued under its name as soon as it is shown; with none
///   queued, or when its script ends while it is still open, it is closed (unloaded), as with its
///   close box: the dialog is cancelled.
/// - A modeless form takes the next script queued under its name when it is shown; doEvents plays
///   one action of it (not while another action or a modal form is running, so a handler that lets
///   events run is not interrupted by the next action), runUntilAllClosed plays the rest and then
///   closes the modeless forms still open.
/// - cancelStatusAfter(n): once n status lines (captions set on a label of the status window) have
///   been shown, the next doEvents presses the status window's Cancel button, once.
/// Every step is also written to transcript(); actions that do not fit their form and errors
/// escaping event handlers go to errors().
class ScriptedFrontEnd : public FrontEnd {
public:
    ScriptedFrontEnd() = default;
    ~ScriptedFrontEnd() override;

    /// Queues a message-box answer (answer::yes ...); 0 presses the default button.
    void answerMessage(int answer);
    void answerInput(std::string text);
    void cancelInput();
    void answerColour(rt::Long colour);
    void cancelColour();
    /// Queues the actions for the next showing of a form, as script text ("type txtA \"x\"; click cmdOK").
    /// ScriptError for malformed text.
    void addFormScript(std::string formName, std::string_view actions);
    void addFormScript(FormScript script);
    /// Arms the status window's Cancel button to be pressed after \p statusLines more status lines.
    void cancelStatusAfter(int statusLines);
    /// Queues everything an answers file holds.
    void load(const AnswerScript& script);
    /// Reads and queues an answers file; ScriptError when it cannot be read or parsed.
    void loadFile(const std::string& path);

    const std::vector<MessageRecord>& messages() const { return m_messages; }
    /// The last message box; std::logic_error when none was shown.
    const MessageRecord& lastMessage() const;
    const std::vector<InputRecord>& inputs() const { return m_inputs; }
    const std::vector<ColourRecord>& colours() const { return m_colours; }
    const std::vector<EditRecord>& edits() const { return m_edits; }
    const std::vector<HelpRequest>& helpRequests() const { return m_helpRequests; }
    const std::vector<FormRecord>& formsShown() const { return m_formsShown; }
    /// The status lines of the status window, in order.
    const std::vector<std::string>& statusLines() const { return m_statusLines; }
    /// The host status bar texts, in order.
    const std::vector<std::string>& hostStatusLines() const { return m_hostStatusLines; }
    /// Script actions that did not fit, unplayed actions and errors escaping event handlers.
    const std::vector<std::string>& errors() const { return m_errors; }
    /// One line per thing shown, answered or done, in order.
    const std::vector<std::string>& transcript() const { return m_transcript; }
    bool cancelPressed() const { return m_cancelPressed; }
    int doEventsCount() const { return m_doEventsCount; }
    std::size_t pendingMessageAnswers() const { return m_messageAnswers.size(); }
    std::size_t pendingInputAnswers() const { return m_inputAnswers.size(); }
    std::size_t pendingFormScripts() const { return m_formScripts.size(); }

protected:
    int askMessage(const std::string& prompt, int style, const std::string& title) override;
    std::optional<std::string> askInput(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::optional<rt::Long> askColour(rt::Long colour) override;
    std::optional<std::string> askEdit(const std::string& title, const std::string& text) override;
    void openHelp(const HelpRequest& request) override { m_helpRequests.push_back(request); }
    void playModal(Form& form) override;
    void processEvents() override;
    void playModeless() override;
    void onFormShown(Form& form, Modality modality) override;
    void onFormUnloaded(Form& form) override;
    void onFormDestroyed(Form& form) override;
    void onStatusLine(const std::string& text) override;
    void onStatusWindowLine(Form& form, const std::string& text) override;
    void onHandlerError(const std::string& message) override { error(message); }

private:
    struct RunningScript {
        Form* form;
        std::deque<FormAction> actions;
    };

    /// The next queued input answer for a box or editor showing \p shown; nothing queued keeps it.
    std::optional<std::string> takeInputAnswer(const std::string& shown, bool& defaulted);
    std::optional<FormScript> takeScript(const std::string& formName);
    bool playOneModelessAction();
    /// Plays one action; false when it did not fit the form (recorded in errors()).
    bool play(Form& form, const FormAction& action);
    void pressCancelWhenDue();
    void close(Form& form, const std::string& why);
    void dropRunningScript(Form& form, bool reportLeftovers);
    void note(std::string line) { m_transcript.push_back(std::move(line)); }
    void error(std::string message);

    std::deque<MessageAnswer> m_messageAnswers;
    std::deque<InputAnswer> m_inputAnswers;
    std::deque<ColourAnswer> m_colourAnswers;
    std::deque<FormScript> m_formScripts;
    std::vector<RunningScript> m_running;

    std::vector<MessageRecord> m_messages;
    std::vector<InputRecord> m_inputs;
    std::vector<ColourRecord> m_colours;
    std::vector<EditRecord> m_edits;
    std::vector<HelpRequest> m_helpRequests;
    std::vector<FormRecord> m_formsShown;
    std::vector<std::string> m_statusLines;
    std::vector<std::string> m_hostStatusLines;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_transcript;

    std::optional<int> m_cancelAfter;
    int m_linesSinceArmed = 0;
    bool m_cancelDue = false;
    bool m_cancelPressed = false;
    int m_doEventsCount = 0;
};

} // namespace km::ui
