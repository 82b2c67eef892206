#include "TerminalFrontEnd.h"
#include "AnswerScript.h"
#include "ColourNames.h"
#include "CommandButton.h"
#include "ExternalProgram.h"
#include "FormText.h"
#include "MessageBoxStyle.h"
#include "ScriptLexer.h"
#include "platform/runtime/Text.h"
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace km::ui {

namespace {

// What the Ctrl-C handler may touch: flags only.
volatile std::sig_atomic_t g_interruptPending = 0;
volatile std::sig_atomic_t g_statusWindowShown = 0;
volatile std::sig_atomic_t g_handlerInstalled = 0;
struct sigaction g_previousAction {};

extern "C" void onInterruptSignal(int) {
    TerminalFrontEnd::interrupt();
}

// Message-box prompts use CR LF line breaks; the terminal wants plain ones.
std::string plainLines(const std::string& text) {
    return rt::Replace(rt::Replace(text, "\r\n", "\n"), "\r", "\n");
}

std::string oneLine(const std::string& text) {
    return rt::Replace(plainLines(text), "\n", " ");
}

std::optional<int> buttonFromText(const std::string& typed, const MessageBoxStyle& box) {
    std::vector<int> buttons = box.buttons();
    std::string text(ScriptLexer::trim(typed));
    if (text.empty()) {
        return box.defaultAnswer();
    }
    if (text.size() == 1 && std::isdigit(static_cast<unsigned char>(text[0]))) {
        std::size_t number = static_cast<std::size_t>(text[0] - '0');
        if (number >= 1 && number <= buttons.size()) {
            return buttons[number - 1];
        }
        return std::nullopt;
    }
    if (std::optional<int> named = MessageBoxStyle::answerFromName(text); named && box.accepts(*named)) {
        return named;
    }
    for (int button : buttons) {
        if (text.size() == 1 && rt::equalsNoCase(MessageBoxStyle::answerName(button).substr(0, 1), text)) {
            return button;
        }
    }
    return std::nullopt;
}

constexpr const char* helpText = "Commands (join several with ';'):\n"
                                 "  select LIST \"entry\"     select LIST #n        deselect LIST \"entry\"\n"
                                 "  check LIST \"entry\"      uncheck LIST \"entry\"  dblclick LIST [\"entry\"]\n"
                                 "  type BOX \"text\"         choose OPTION         date PICKER 2024-03-15\n"
                                 "  click BUTTON            (its name or caption) up SPIN    down SPIN\n"
                                 "  close                   closes the window     show       help\n";

std::string environmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

TerminalOptions TerminalOptions::detect() {
    TerminalOptions options;
    options.inputIsTerminal = ::isatty(STDIN_FILENO) == 1;
    options.progressIsTerminal = ::isatty(STDERR_FILENO) == 1;
    winsize size{};
    if (options.progressIsTerminal && ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1) {
        options.progressWidth = size.ws_col - 1;
    }
    options.editor = environmentText("VISUAL");
    if (options.editor.empty()) {
        options.editor = environmentText("EDITOR");
    }
    options.helpViewer = environmentText("KEMORA_HELP_VIEWER");
    return options;
}

TerminalFrontEnd::TerminalFrontEnd(std::istream& in, std::ostream& out, std::ostream& progress, TerminalOptions options)
    : m_in(in), m_out(out), m_progress(progress), m_options(options) {
    g_interruptPending = 0;
    g_statusWindowShown = 0;
}

TerminalFrontEnd::~TerminalFrontEnd() {
    destroyKeptForms();
    endProgress();
    if (m_handlerInstalled) {
        ::sigaction(SIGINT, &g_previousAction, nullptr);
        g_handlerInstalled = 0;
    }
    g_statusWindowShown = 0;
}

void TerminalFrontEnd::installInterruptHandler() {
    if (m_handlerInstalled) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = onInterruptSignal;
    sigemptyset(&action.sa_mask);
    // Reads go on after Ctrl-C: the press is handled at the next doEvents or command.
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &g_previousAction);
    m_handlerInstalled = true;
    g_handlerInstalled = 1;
}

void TerminalFrontEnd::interrupt() {
    if (g_handlerInstalled && g_interruptPending && !g_statusWindowShown) {
        // Nothing took up the first Ctrl-C and there is no Cancel button to press: stop as usual.
        ::signal(SIGINT, SIG_DFL);
        ::raise(SIGINT);
        return;
    }
    g_interruptPending = 1;
}

int TerminalFrontEnd::askMessage(const std::string& prompt, int style, const std::string& title) {
    MessageBoxStyle box(style);
    endProgress();
    printHeading(title.empty() ? "Message" : title);
    std::string icon = box.iconName();
    m_out << (icon.empty() ? "" : icon + ": ") << plainLines(prompt) << "\n";
    std::vector<int> buttons = box.buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        m_out << "  " << (i + 1) << ") " << MessageBoxStyle::answerName(buttons[i]);
    }
    m_out << "\n";
    for (;;) {
        m_out << "Answer [" << MessageBoxStyle::answerName(box.defaultAnswer()) << "]: " << std::flush;
        std::string line;
        if (!readLine(line)) {
            int answer = box.dismissAnswer();
            m_out << "\n(end of input: " << MessageBoxStyle::answerName(answer) << ")\n";
            return answer;
        }
        if (std::optional<int> answer = buttonFromText(line, box)) {
            return *answer;
        }
        m_out << "Please answer with a button's number, name or first letter.\n";
    }
}

std::optional<std::string> TerminalFrontEnd::askInput(const std::string& prompt, const std::string& title,
                                                      const std::string& defaultText) {
    endProgress();
    printHeading(title.empty() ? "Input" : title);
    m_out << plainLines(prompt) << "\n";
    m_out << (defaultText.empty() ? std::string() : "[" + defaultText + "] ") << "> " << std::flush;
    std::string line;
    if (!readLine(line)) {
        m_out << "\n(end of input: cancelled)\n";
        return std::nullopt;
    }
    return line.empty() ? defaultText : line;
}

std::optional<rt::Long> TerminalFrontEnd::askColour(rt::Long colour) {
    endProgress();
    printHeading("Colour");
    for (;;) {
        m_out << "Colour [" << colour << " " << FormText::colourText(colour) << "] (number or #RRGGBB): " << std::flush;
        std::string line;
        if (!readLine(line)) {
            m_out << "\n(end of input: cancelled)\n";
            return std::nullopt;
        }
        if (ScriptLexer::trim(line).empty()) {
            return colour;
        }
        if (std::optional<rt::Long> chosen = AnswerScript::colourFromText(line)) {
            return chosen;
        }
        if (std::optional<rt::Long> named = ColourNames::valueOf(ScriptLexer::trim(line))) {
            return named;
        }
        m_out << "Please enter a colour number from 0 to 16777215, #RRGGBB or a colour name (" << ColourNames::list()
              << ").\n";
    }
}

std::optional<std::string> TerminalFrontEnd::askEdit(const std::string& title, const std::string& text) {
    if (m_options.editor.empty() || !m_options.inputIsTerminal) {
        setStatusLine("No editor to open \"" + title + "\" (set EDITOR).");
        return std::nullopt;
    }
    endProgress();
    return ExternalProgram::editText(m_options.editor, text);
}

void TerminalFrontEnd::openHelp(const HelpRequest& request) {
    endProgress();
    m_out << request.text() << "\n";
    if (m_options.helpViewer.empty() || !request.installed) {
        return;
    }
    if (!ExternalProgram::startHelpViewer(m_options.helpViewer, request)) {
        m_out << "! the help viewer could not be started: " << m_options.helpViewer << "\n";
    }
}

void TerminalFrontEnd::playModal(Form& form) {
    interact(form);
}

void TerminalFrontEnd::processEvents() {
    pressCancelOnInterrupt(nullptr);
}

void TerminalFrontEnd::playModeless() {
    while (Form* form = frontModelessForm()) {
        interact(*form);
    }
}

void TerminalFrontEnd::onFormShown(Form& form, Modality) {
    m_front = &form;
    statusWindowMayHaveChanged();
}

void TerminalFrontEnd::onFormHidden(Form& form) {
    if (form.role() == FormRole::Status) {
        endProgress();
    }
    statusWindowMayHaveChanged();
}

void TerminalFrontEnd::onFormUnloaded(Form& form) {
    if (m_front == &form) {
        m_front = nullptr;
    }
    statusWindowMayHaveChanged();
}

void TerminalFrontEnd::onFormBroughtToFront(Form& form) {
    m_front = &form;
}

void TerminalFrontEnd::onFormDestroyed(Form& form) {
    if (m_front == &form) {
        m_front = nullptr;
    }
    statusWindowMayHaveChanged();
}

void TerminalFrontEnd::onStatusLine(const std::string& text) {
    progress(text);
}

void TerminalFrontEnd::onStatusWindowLine(Form&, const std::string& text) {
    progress(text);
}

void TerminalFrontEnd::onHandlerError(const std::string& message) {
    endProgress();
    m_out << "! " << message << "\n";
}

bool TerminalFrontEnd::readLine(std::string& line) {
    if (!std::getline(m_in, line)) {
        // On a terminal Ctrl-D ends this one answer; the person can go on typing afterwards.
        if (m_options.inputIsTerminal) {
            m_in.clear();
        }
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

void TerminalFrontEnd::interact(Form& form) {
    endProgress();
    m_out << "\n" << FormText::render(form);
    while (form.visible()) {
        m_out << form.name() << "> " << std::flush;
        std::string line;
        if (!readLine(line)) {
            m_out << "\n(end of input: closing " << form.name() << ")\n";
            FormAction close;
            close.kind = ActionKind::Close;
            ActionOutcome outcome = perform(form, close);
            if (!outcome.ok) {
                m_out << "! " << outcome.error << "\n";
                form.hide();
            }
            return;
        }
        pressCancelOnInterrupt(&form);
        runCommand(form, line);
    }
}

void TerminalFrontEnd::runCommand(Form& form, const std::string& line) {
    std::string_view command = ScriptLexer::trim(line);
    if (command.empty() || !form.visible()) {
        return;
    }
    if (command == "help" || command == "?") {
        printHelp();
        return;
    }
    if (command == "show") {
        m_out << FormText::render(form);
        return;
    }
    std::vector<FormAction> actions;
    try {
        actions = FormAction::parseList(command, {});
    } catch (const ScriptError& error) {
        m_out << "! " << error.what() << " (type help for the commands)\n";
        return;
    }
    for (const FormAction& action : actions) {
        if (!form.visible()) {
            return;
        }
        ActionOutcome outcome = perform(form, action);
        if (!outcome.ok) {
            m_out << "! " << outcome.error << "\n";
            break;
        }
    }
    endProgress();
    if (form.visible()) {
        m_out << FormText::render(form);
    }
}

void TerminalFrontEnd::printHelp() {
    m_out << helpText;
}

void TerminalFrontEnd::printHeading(const std::string& title) {
    m_out << "\n== " << title << " ==\n";
}

void TerminalFrontEnd::pressCancelOnInterrupt(Form* form) {
    if (!g_interruptPending) {
        return;
    }
    if (form != nullptr && form->visible()) {
        CommandButton* cancel = form->cancelButton();
        if (cancel != nullptr && cancel->isUsable()) {
            g_interruptPending = 0;
            FormAction click;
            click.kind = ActionKind::Click;
            click.control = cancel->name();
            ActionOutcome outcome = perform(*form, click);
            if (!outcome.ok) {
                m_out << "! " << outcome.error << "\n";
            }
            return;
        }
    }
    if (pressStatusCancel()) {
        g_interruptPending = 0;
        endProgress();
        m_progress << "Cancel pressed: stopping at the next step." << std::endl;
    }
}

void TerminalFrontEnd::progress(const std::string& text) {
    std::string line = oneLine(text);
    if (line == m_lastProgress) {
        return;
    }
    m_lastProgress = line;
    if (m_options.progressIsTerminal) {
        m_progress << '\r' << rt::Left(line, m_options.progressWidth) << "\x1b[K" << std::flush;
        m_progressOpen = !line.empty();
        return;
    }
    if (!line.empty()) {
        m_progress << line << '\n' << std::flush;
    }
}

void TerminalFrontEnd::endProgress() {
    m_lastProgress.clear();
    if (!m_progressOpen) {
        return;
    }
    m_progress << '\n' << std::flush;
    m_progressOpen = false;
}

void TerminalFrontEnd::statusWindowMayHaveChanged() {
    g_statusWindowShown = statusWindow() != nullptr ? 1 : 0;
}

Form* TerminalFrontEnd::frontModelessForm() const {
    if (m_front != nullptr && m_front->visible() && m_front->modality() == Modality::Modeless) {
        return m_front;
    }
    std::vector<Form*> shown = visibleModelessForms();
    return shown.empty() ? nullptr : shown.back();
}

} // namespace km::ui
