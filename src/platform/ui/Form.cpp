#include "Form.h"
#include "CommandButton.h"
#include "FrontEnd.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <stdexcept>

namespace km::ui {

namespace {
constexpr int formAlreadyDisplayed = 400;
}

Form::Form(FrontEnd& frontEnd, std::string name, std::string caption)
    : m_frontEnd(frontEnd), m_name(std::move(name)), m_caption(std::move(caption)) {}

Form::~Form() {
    m_frontEnd.forgetForm(*this);
}

void Form::setCaption(std::string caption) {
    if (m_caption == caption) {
        return;
    }
    m_caption = std::move(caption);
    formChanged(Property::Caption);
}

void Form::setEnabled(bool enabled) {
    if (m_enabled == enabled) {
        return;
    }
    m_enabled = enabled;
    formChanged(Property::Enabled);
}

void Form::setLeft(rt::Long left) {
    setGeometry({left, top(), width(), height()});
}
void Form::setTop(rt::Long top) {
    setGeometry({left(), top, width(), height()});
}
void Form::setWidth(rt::Long width) {
    setGeometry({left(), top(), width, height()});
}
void Form::setHeight(rt::Long height) {
    setGeometry({left(), top(), width(), height});
}

void Form::move(rt::Long left, rt::Long top, rt::Long width, rt::Long height) {
    setGeometry({left, top, width, height});
}

void Form::setGeometry(const Geometry& geometry) {
    if (m_geometry == geometry) {
        return;
    }
    m_geometry = geometry;
    formChanged(Property::Geometry);
}

void Form::load() {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    m_windowHandle = m_frontEnd.formLoaded(*this);
    onLoad();
}

void Form::show(Modality modality) {
    if (modality == Modality::Modal && m_visible && m_modality == Modality::Modeless) {
        throw rt::RuntimeError(formAlreadyDisplayed, "Form already displayed; can't show modally");
    }
    load();
    // The load handler may have decided to close the window (for example when there is nothing to
    // show); then there is nothing left to show.
    if (!m_loaded) {
        return;
    }
    m_modality = modality;
    if (!m_visible) {
        setVisibleState(true);
        m_frontEnd.formShown(*this, modality);
        onActivate();
    }
    if (modality == Modality::Modal && m_visible) {
        m_frontEnd.runModal(*this);
    }
}

void Form::hide() {
    if (!m_visible) {
        return;
    }
    setVisibleState(false);
    m_frontEnd.formHidden(*this);
}

void Form::unload() {
    if (!m_loaded || m_unloading) {
        return;
    }
    m_unloading = true;
    try {
        onUnload();
    } catch (...) {
        m_unloading = false;
        throw;
    }
    m_unloading = false;
    hide();
    m_loaded = false;
    m_windowHandle = 0;
    m_frontEnd.formUnloaded(*this);
}

void Form::zOrder() {
    m_frontEnd.formBroughtToFront(*this);
}

Control* Form::findControl(std::string_view name) const {
    for (Control* control : m_controls) {
        if (rt::equalsNoCase(control->name(), name)) {
            return control;
        }
    }
    return nullptr;
}

CommandButton* Form::cancelButton() const {
    for (Control* control : m_controls) {
        if (control->kind() != ControlKind::CommandButton) {
            continue;
        }
        auto* button = static_cast<CommandButton*>(control);
        if (button->cancel()) {
            return button;
        }
    }
    return nullptr;
}

void Form::addControl(Control& control) {
    if (findControl(control.name()) != nullptr) {
        throw std::invalid_argument("Form '" + m_name + "' already has a control named '" + control.name() + "'");
    }
    m_controls.push_back(&control);
}

void Form::removeControl(Control& control) {
    std::erase(m_controls, &control);
}

void Form::controlChanged(Control& control, Property what) {
    m_frontEnd.changed(*this, &control, what);
}

void Form::formChanged(Property what) {
    m_frontEnd.changed(*this, nullptr, what);
}

void Form::setVisibleState(bool visible) {
    m_visible = visible;
    formChanged(Property::Visible);
}

} // namespace km::ui
