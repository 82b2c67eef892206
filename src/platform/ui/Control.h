#pragma once
#include "platform/runtime/Types.h"
#include <string>
#include <string_view>

namespace km::ui {

class Form;
class Frame;

/// The kinds of control a form can own; front ends show each kind in its own way.
enum class ControlKind {
    Label,
    TextBox,
    ComboBox,
    ListBox,
    OptionButton,
    CommandButton,
    Frame,
    DatePicker,
    UpDown,
    ColourDialog,
};

/// What changed on a control or a form, told to the front end so that it can show the change.
enum class Property {
    Caption,
    Text,
    Value,
    Visible,
    Enabled,
    Items,
    Selection,
    Check,
    BackColor,
    ToolTip,
    Geometry,
    Locked,
};

/// Position and size in twips (1440 to the inch), relative to the form or frame around it.
struct Geometry {
    rt::Long left = 0;
    rt::Long top = 0;
    rt::Long width = 0;
    rt::Long height = 0;
    friend bool operator==(const Geometry&, const Geometry&) = default;
};

/// The caption as shown: single '&' access-key marks removed, "&&" shown as one '&'.
std::string withoutAccessKeys(std::string_view caption);

/// Common part of every control: name, caption, visibility, enabled state, tool tip and geometry.
/// A control registers itself with its form when constructed, so front ends can find it by name
/// and list the form's controls in declaration order. Controls inside a frame take the frame as
/// their container; declare the frame before the controls it holds.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    ControlKind kind() const { return m_kind; }
    const std::string& name() const { return m_name; }
    Form& form() const { return m_form; }
    /// The frame the control sits in; nullptr when it sits on the form itself.
    Frame* container() const { return m_container; }

    /// The caption of labels, buttons, option buttons and frames; empty for other controls.
    const std::string& caption() const { return m_caption; }

    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    const std::string& toolTipText() const { return m_toolTipText; }
    void setToolTipText(std::string text);

    const Geometry& geometry() const { return m_geometry; }
    rt::Long left() const { return m_geometry.left; }
    rt::Long top() const { return m_geometry.top; }
    rt::Long width() const { return m_geometry.width; }
    rt::Long height() const { return m_geometry.height; }
    void setLeft(rt::Long left);
    void setTop(rt::Long top);
    void setWidth(rt::Long width);
    void setHeight(rt::Long height);
    void move(rt::Long left, rt::Long top, rt::Long width, rt::Long height);

    /// True when the control and every frame around it are visible.
    bool isShown() const;
    /// True when a user could act on the control: it is shown, its form is visible, and the
    /// control, the frames around it and its form are enabled.
    bool isUsable() const;

protected:
    Control(Form& owner, ControlKind kind, std::string name, std::string caption);
    Control(Frame& container, ControlKind kind, std::string name, std::string caption);

    /// Changes the caption and tells the front end when it really changed.
    void setCaptionText(std::string caption);
    /// Tells the form (and through it the front end) that a property changed.
    void changed(Property what);

private:
    void setGeometry(const Geometry& geometry);

    Form& m_form;
    Frame* m_container;
    ControlKind m_kind;
    std::string m_name;
    std::string m_caption;
    std::string m_toolTipText;
    Geometry m_geometry;
    bool m_visible = true;
    bool m_enabled = true;
};

} // namespace km::ui
