#include "Control.h"
#include "Form.h"
#include "Frame.h"

namespace km::ui {

std::string withoutAccessKeys(std::string_view caption) {
    std::string shown;
    shown.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            shown += caption[i];
            continue;
        }
        // "&&" stands for a literal ampersand; a single '&' only marks the access key.
        if (i + 1 < caption.size() && caption[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

Control::Control(Form& owner, ControlKind kind, std::string name, std::string caption)
    : m_form(owner), m_container(nullptr), m_kind(kind), m_name(std::move(name)), m_caption(std::move(caption)) {
    m_form.addControl(*this);
}

Control::Control(Frame& container, ControlKind kind, std::string name, std::string caption)
    : m_form(container.form()), m_container(&container), m_kind(kind), m_name(std::move(name)),
      m_caption(std::move(caption)) {
    m_form.addControl(*this);
}

Control::~Control() {
    m_form.removeControl(*this);
}

void Control::setVisible(bool visible) {
    if (m_visible == visible) {
        return;
    }
    m_visible = visible;
    changed(Property::Visible);
}

void Control::setEnabled(bool enabled) {
    if (m_enabled == enabled) {
        return;
    }
    m_enabled = enabled;
    changed(Property::Enabled);
}

void Control::setToolTipText(std::string text) {
    if (m_toolTipText == text) {
        return;
    }
    m_toolTipText = std::move(text);
    changed(Property::ToolTip);
}

void Control::setLeft(rt::Long left) {
    setGeometry({left, top(), width(), height()});
}
void Control::setTop(rt::Long top) {
    setGeometry({left(), top, width(), height()});
}
void Control::setWidth(rt::Long width) {
    setGeometry({left(), top(), width, height()});
}
void Control::setHeight(rt::Long height) {
    setGeometry({left(), top(), width(), height});
}

void Control::move(rt::Long left, rt::Long top, rt::Long width, rt::Long height) {
    setGeometry({left, top, width, height});
}

void Control::setGeometry(const Geometry& geometry) {
    if (m_geometry == geometry) {
        return;
    }
    m_geometry = geometry;
    changed(Property::Geometry);
}

bool Control::isShown() const {
    if (!m_visible) {
        return false;
    }
    return m_container == nullptr || m_container->isShown();
}

bool Control::isUsable() const {
    if (!isShown() || !m_enabled || !m_form.visible() || !m_form.enabled()) {
        return false;
    }
    return m_container == nullptr || m_container->isUsable();
}

void Control::setCaptionText(std::string caption) {
    if (m_caption == caption) {
        return;
    }
    m_caption = std::move(caption);
    changed(Property::Caption);
}

void Control::changed(Property what) {
    m_form.controlChanged(*this, what);
}

} // namespace km::ui
