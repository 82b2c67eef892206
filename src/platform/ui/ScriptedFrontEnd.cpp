#include "ScriptedFrontEnd.h"
#include "MessageBoxStyle.h"
#include "ScriptLexer.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <stdexcept>

namespace km::ui {

namespace {

std::string quoted(std::string_view text) {
    return ScriptLexer::quote(text);
}

} // namespace

ScriptedFrontEnd::~ScriptedFrontEnd() {
    destroyKeptForms();
}

void ScriptedFrontEnd::answerMessage(int answer) {
    m_messageAnswers.push_back({answer, {}});
}

void ScriptedFrontEnd::answerInput(std::string text) {
    m_inputAnswers.push_back({InputAnswer::Kind::Text, std::move(text), {}});
}

void ScriptedFrontEnd::cancelInput() {
    m_inputAnswers.push_back({InputAnswer::Kind::Cancel, {}, {}});
}

void ScriptedFrontEnd::answerColour(rt::Long colour) {
    m_colourAnswers.push_back({ColourAnswer::Kind::Colour, colour, {}});
}

void ScriptedFrontEnd::cancelColour() {
    m_colourAnswers.push_back({ColourAnswer::Kind::Cancel, 0, {}});
}

void ScriptedFrontEnd::addFormScript(std::string formName, std::string_view actions) {
    rt::SourcePosition position{"script for " + formName, 0};
    addFormScript({formName, FormAction::parseList(actions, position), position});
}

void ScriptedFrontEnd::addFormScript(FormScript script) {
    m_formScripts.push_back(std::move(script));
}

void ScriptedFrontEnd::cancelStatusAfter(int statusLines) {
    m_cancelAfter = std::max(statusLines, 0);
    m_linesSinceArmed = 0;
    m_cancelPressed = false;
    m_cancelDue = *m_cancelAfter == 0;
}

void ScriptedFrontEnd::load(const AnswerScript& script) {
    m_messageAnswers.insert(m_messageAnswers.end(), script.messageAnswers.begin(), script.messageAnswers.end());
    m_inputAnswers.insert(m_inputAnswers.end(), script.inputAnswers.begin(), script.inputAnswers.end());
    m_colourAnswers.insert(m_colourAnswers.end(), script.colourAnswers.begin(), script.colourAnswers.end());
    m_formScripts.insert(m_formScripts.end(), script.formScripts.begin(), script.formScripts.end());
    if (script.cancelStatusAfter) {
        cancelStatusAfter(*script.cancelStatusAfter);
    }
}

void ScriptedFrontEnd::loadFile(const std::string& path) {
    load(AnswerScript::parseFile(path));
}

const MessageRecord& ScriptedFrontEnd::lastMessage() const {
    if (m_messages.empty()) {
        throw std::logic_error("no message box was shown");
    }
    return m_messages.back();
}

int ScriptedFrontEnd::askMessage(const std::string& prompt, int style, const std::string& title) {
    MessageBoxStyle box(style);
    MessageRecord record{prompt, style, title, box.defaultAnswer(), true};
    if (!m_messageAnswers.empty()) {
        MessageAnswer queued = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        if (queued.answer == 0) {
            record.defaulted = false;
        } else if (box.accepts(queued.answer)) {
            record = {prompt, style, title, queued.answer, false};
        } else {
            error(rt::formatLocated(queued.position, "answer " + MessageBoxStyle::answerName(queued.answer) +
                                                         " does not fit the message box " + quoted(prompt) +
                                                         " (style " + std::to_string(style) + "); answered " +
                                                         MessageBoxStyle::answerName(record.answer)));
        }
    }
    note("msgbox " + quoted(title) + " " + quoted(prompt) + " style " + std::to_string(style) + " -> " +
         MessageBoxStyle::answerName(record.answer) + (record.defaulted ? " (default)" : ""));
    m_messages.push_back(record);
    return record.answer;
}

std::optional<std::string> ScriptedFrontEnd::askInput(const std::string& prompt, const std::string& title,
                                                      const std::string& defaultText) {
    InputRecord record{prompt, title, defaultText, std::nullopt, true};
    record.answer = takeInputAnswer(defaultText, record.defaulted);
    note("input " + quoted(title) + " " + quoted(prompt) + " -> " +
         (record.answer ? quoted(*record.answer) : std::string("cancel")) + (record.defaulted ? " (default)" : ""));
    m_inputs.push_back(record);
    return record.answer;
}

std::optional<std::string> ScriptedFrontEnd::askEdit(const std::string& title, const std::string& text) {
    EditRecord record{title, text, std::nullopt, true};
    record.answer = takeInputAnswer(text, record.defaulted);
    note("edit " + quoted(title) + " -> " + (record.answer ? quoted(*record.answer) : std::string("cancel")) +
         (record.defaulted ? " (default)" : ""));
    m_edits.push_back(record);
    return record.answer;
}

std::optional<std::string> ScriptedFrontEnd::takeInputAnswer(const std::string& shown, bool& defaulted) {
    defaulted = m_inputAnswers.empty();
    if (defaulted) {
        return shown;
    }
    InputAnswer queued = m_inputAnswers.front();
    m_inputAnswers.pop_front();
    if (queued.kind == InputAnswer::Kind::Text) {
        return queued.text;
    }
    if (queued.kind == InputAnswer::Kind::Cancel) {
        return std::nullopt;
    }
    return shown;
}

std::optional<rt::Long> ScriptedFrontEnd::askColour(rt::Long colour) {
    ColourRecord record{colour, colour, true};
    if (!m_colourAnswers.empty()) {
        ColourAnswer queued = m_colourAnswers.front();
        m_colourAnswers.pop_front();
        record.defaulted = false;
        if (queued.kind == ColourAnswer::Kind::Colour) {
            record.answer = queued.colour;
        } else if (queued.kind == ColourAnswer::Kind::Cancel) {
            record.answer.reset();
        }
    }
    note("colour " + std::to_string(colour) + " -> " +
         (record.answer ? std::to_string(*record.answer) : std::string("cancel")) +
         (record.defaulted ? " (default)" : ""));
    m_colours.push_back(record);
    return record.answer;
}

void ScriptedFrontEnd::playModal(Form& form) {
    std::optional<FormScript> script = takeScript(form.name());
    if (!script) {
        close(form, "no script queued");
        return;
    }
    std::size_t played = 0;
    for (; played < script->actions.size() && form.visible(); ++played) {
        if (!play(form, script->actions[played])) {
            close(form, "the script stopped at an action that did not fit");
            return;
        }
    }
    if (played < script->actions.size()) {
        error(rt::formatLocated(script->position, std::to_string(script->actions.size() - played) +
                                                      " action(s) of the script for '" + form.name() +
                                                      "' left unplayed: the window closed before"));
    }
    if (form.visible()) {
        close(form, "its script ended with the window open");
    }
}

void ScriptedFrontEnd::processEvents() {
    ++m_doEventsCount;
    pressCancelWhenDue();
    if (!busy()) {
        playOneModelessAction();
    }
}

void ScriptedFrontEnd::playModeless() {
    for (;;) {
        pressCancelWhenDue();
        if (playOneModelessAction()) {
            continue;
        }
        std::vector<Form*> open = visibleModelessForms();
        if (open.empty()) {
            return;
        }
        close(*open.front(), "no more actions");
    }
}

void ScriptedFrontEnd::onFormShown(Form& form, Modality modality) {
    m_formsShown.push_back({form.name(), form.caption(), modality});
    note("show " + form.name() + (modality == Modality::Modal ? " modal " : " modeless ") + quoted(form.caption()));
    if (modality != Modality::Modeless) {
        return;
    }
    auto running =
        std::find_if(m_running.begin(), m_running.end(), [&](const RunningScript& r) { return r.form == &form; });
    if (running != m_running.end() && !running->actions.empty()) {
        return;
    }
    if (std::optional<FormScript> script = takeScript(form.name())) {
        if (running != m_running.end()) {
            running->actions.assign(script->actions.begin(), script->actions.end());
        } else {
            m_running.push_back({&form, {script->actions.begin(), script->actions.end()}});
        }
    }
}

void ScriptedFrontEnd::onFormUnloaded(Form& form) {
    dropRunningScript(form, true);
}

void ScriptedFrontEnd::onFormDestroyed(Form& form) {
    dropRunningScript(form, false);
}

void ScriptedFrontEnd::onStatusLine(const std::string& text) {
    m_hostStatusLines.push_back(text);
}

void ScriptedFrontEnd::onStatusWindowLine(Form& form, const std::string& text) {
    m_statusLines.push_back(text);
    note("status " + form.name() + " " + quoted(text));
    if (!m_cancelAfter || m_cancelPressed) {
        return;
    }
    if (++m_linesSinceArmed >= *m_cancelAfter) {
        m_cancelDue = true;
    }
}

std::optional<FormScript> ScriptedFrontEnd::takeScript(const std::string& formName) {
    auto found = std::find_if(m_formScripts.begin(), m_formScripts.end(),
                              [&](const FormScript& script) { return rt::equalsNoCase(script.formName, formName); });
    if (found == m_formScripts.end()) {
        return std::nullopt;
    }
    FormScript script = std::move(*found);
    m_formScripts.erase(found);
    return script;
}

bool ScriptedFrontEnd::playOneModelessAction() {
    for (RunningScript& running : m_running) {
        if (running.actions.empty() || !running.form->visible() || running.form->modality() != Modality::Modeless) {
            continue;
        }
        Form& form = *running.form;
        FormAction action = running.actions.front();
        running.actions.pop_front();
        // After an action that did not fit, the rest of the script cannot be trusted either.
        if (!play(form, action)) {
            dropRunningScript(form, false);
        }
        return true;
    }
    return false;
}

bool ScriptedFrontEnd::play(Form& form, const FormAction& action) {
    note(form.name() + ": " + action.text());
    ActionOutcome outcome = perform(form, action);
    if (!outcome.ok) {
        error(outcome.error);
    }
    return outcome.ok || !outcome.scriptProblem;
}

void ScriptedFrontEnd::pressCancelWhenDue() {
    if (!m_cancelDue) {
        return;
    }
    Form* window = statusWindow();
    if (window == nullptr || !pressStatusCancel()) {
        return;
    }
    m_cancelDue = false;
    m_cancelPressed = true;
    note("cancel pressed on " + window->name());
}

void ScriptedFrontEnd::close(Form& form, const std::string& why) {
    note("close " + form.name() + " (" + why + ")");
    try {
        form.unload();
    } catch (const std::exception& failure) {
        error("error in '" + form.name() + "' while closing: " + rt::describe(failure));
        form.hide();
    }
}

void ScriptedFrontEnd::dropRunningScript(Form& form, bool reportLeftovers) {
    auto running =
        std::find_if(m_running.begin(), m_running.end(), [&](const RunningScript& r) { return r.form == &form; });
    if (running == m_running.end()) {
        return;
    }
    if (reportLeftovers && !running->actions.empty()) {
        error(rt::formatLocated(running->actions.front().position, std::to_string(running->actions.size()) +
                                                                       " action(s) of the script for '" + form.name() +
                                                                       "' left unplayed: the window closed before"));
    }
    m_running.erase(running);
}

void ScriptedFrontEnd::error(std::string message) {
    note("error: " + message);
    m_errors.push_back(std::move(message));
}

} // namespace km::ui
