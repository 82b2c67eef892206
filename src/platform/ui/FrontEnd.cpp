#include "FrontEnd.h"
#include "CommandButton.h"
#include "FormDriver.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include <algorithm>

namespace km::ui {

struct FrontEnd::BusyScope {
    explicit BusyScope(FrontEnd& frontEnd) : m_frontEnd(frontEnd) { ++m_frontEnd.m_busy; }
    ~BusyScope() { --m_frontEnd.m_busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    FrontEnd& m_frontEnd;
};

FrontEnd::FrontEnd() = default;

FrontEnd::~FrontEnd() {
    destroyKeptForms();
}

int FrontEnd::msgBox(const std::string& prompt, int style, const std::string& title) {
    return askMessage(prompt, style, title);
}

std::string FrontEnd::inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    return askInput(prompt, title, defaultText).value_or(std::string());
}

std::optional<rt::Long> FrontEnd::chooseColour(rt::Long colour) {
    return askColour(colour);
}

std::optional<std::string> FrontEnd::editText(const std::string& title, const std::string& text) {
    return askEdit(title, text);
}

void FrontEnd::showHelp(const HelpRequest& request) {
    m_lastHelp = request.text();
    openHelp(request);
}

void FrontEnd::doEvents() {
    processEvents();
}

void FrontEnd::runUntilAllClosed() {
    destroyUnloadedKeptForms();
    playModeless();
    // What is still loaded can no longer be reached by the user: unload it as the host does when
    // it closes, in load order, so that a window releases the windows it owns itself.
    std::vector<Form*> kept;
    for (const auto& form : m_keptAlive) {
        kept.push_back(form.get());
    }
    for (Form* form : kept) {
        if (!form->isLoaded()) {
            continue;
        }
        try {
            form->unload();
        } catch (const std::exception& error) {
            onHandlerError("error in '" + form->name() + "' while closing: " + rt::describe(error));
        }
    }
    destroyUnloadedKeptForms();
}

void FrontEnd::keepAlive(std::unique_ptr<Form> form) {
    if (form) {
        m_keptAlive.push_back(std::move(form));
    }
}

void FrontEnd::setMousePointer(MousePointer pointer) {
    m_mousePointer = pointer;
    onMousePointer(pointer);
}

void FrontEnd::setMainWindowEnabled(bool enabled) {
    m_mainWindowEnabled = enabled;
}

void FrontEnd::setStatusLine(std::string text) {
    m_statusLine = std::move(text);
    onStatusLine(m_statusLine);
}

Form* FrontEnd::findForm(std::string_view name) const {
    for (Form* form : m_forms) {
        if (rt::equalsNoCase(form->name(), name)) {
            return form;
        }
    }
    return nullptr;
}

bool FrontEnd::isStatusWindow(const Form& form) const {
    return form.role() == FormRole::Status && form.visible() && form.modality() == Modality::Modeless;
}

Form* FrontEnd::statusWindow() const {
    for (Form* form : m_forms) {
        if (isStatusWindow(*form)) {
            return form;
        }
    }
    return nullptr;
}

FrontEnd::ActionOutcome FrontEnd::perform(Form& form, const FormAction& action) {
    BusyScope busy(*this);
    try {
        FormDriver::apply(form, action);
        return {};
    } catch (const ScriptError& error) {
        return {false, true, error.what()};
    } catch (const std::exception& error) {
        return {false, false, "error in '" + form.name() + "': " + rt::describe(error)};
    }
}

bool FrontEnd::pressStatusCancel() {
    Form* window = statusWindow();
    if (window == nullptr) {
        return false;
    }
    CommandButton* cancel = window->cancelButton();
    if (cancel == nullptr || !cancel->isUsable()) {
        return false;
    }
    BusyScope busy(*this);
    cancel->click();
    return true;
}

std::vector<Form*> FrontEnd::visibleModelessForms() const {
    std::vector<Form*> shown;
    for (Form* form : m_forms) {
        if (form->visible() && form->modality() == Modality::Modeless) {
            shown.push_back(form);
        }
    }
    return shown;
}

rt::Long FrontEnd::formLoaded(Form& form) {
    if (std::find(m_forms.begin(), m_forms.end(), &form) == m_forms.end()) {
        m_forms.push_back(&form);
    }
    return m_nextHandle++;
}

void FrontEnd::formShown(Form& form, Modality modality) {
    onFormShown(form, modality);
}

void FrontEnd::formHidden(Form& form) {
    onFormHidden(form);
}

void FrontEnd::formUnloaded(Form& form) {
    std::erase(m_forms, &form);
    onFormUnloaded(form);
}

void FrontEnd::formBroughtToFront(Form& form) {
    onFormBroughtToFront(form);
}

void FrontEnd::runModal(Form& form) {
    BusyScope busy(*this);
    playModal(form);
    // A modal show must never outlast its front end's run: whatever the front end did, the call
    // returns with the form no longer shown.
    if (form.visible()) {
        form.hide();
    }
}

void FrontEnd::changed(Form& form, Control* control, Property what) {
    if (control != nullptr && control->kind() == ControlKind::Label && what == Property::Caption &&
        isStatusWindow(form)) {
        onStatusWindowLine(form, control->caption());
    }
    onChanged(form, control, what);
}

void FrontEnd::forgetForm(Form& form) {
    std::erase(m_forms, &form);
    onFormDestroyed(form);
}

void FrontEnd::destroyUnloadedKeptForms() {
    if (busy()) {
        return;
    }
    std::vector<std::unique_ptr<Form>> closed;
    for (auto& form : m_keptAlive) {
        if (!form->isLoaded()) {
            closed.push_back(std::move(form));
        }
    }
    std::erase(m_keptAlive, nullptr);
    closed.clear();
}

void FrontEnd::destroyKeptForms() {
    // Destroy one at a time: a form's destructor may release other forms and reach back here.
    while (!m_keptAlive.empty()) {
        std::unique_ptr<Form> form = std::move(m_keptAlive.back());
        m_keptAlive.pop_back();
        form.reset();
    }
}

} // namespace km::ui
