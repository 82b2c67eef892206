#pragma once
#include "Control.h"
#include <string>
#include <string_view>
#include <vector>

namespace km::ui {

class CommandButton;
class FrontEnd;

/// Modal: show() returns when the form is hidden or unloaded. Modeless: show() returns at once.
enum class Modality { Modeless = 0, Modal = 1 };

/// What a window is to the front ends. The status window is the add-in's progress window: front
/// ends show the captions of its labels as progress and press its cancel button for the user.
enum class FormRole { Window = 0, Status = 1 };

/// A window: its caption, state and geometry (twips), and the controls it owns.
///
/// A window of the add-in derives from Form, holds its controls as members under their own
/// names and puts its logic into their event handlers and into onLoad/onActivate/onUnload:
///
///     class frmStatus : public km::ui::Form {
///     public:
///         explicit frmStatus(km::ui::FrontEnd& ui) : Form(ui, "frmStatus", "Status") {
///             setRole(km::ui::FormRole::Status);
///             cmdCancel.setCancel(true);
///             cmdCancel.onClick = [this] { blnCancel = true; };
///         }
///         km::ui::Label lblStatus{*this, "lblStatus"};
///         km::ui::CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};
///         bool blnCancel = false;
///     };
///
/// Lifecycle: load() runs onLoad once until the form is unloaded; show() loads the form when
/// needed, makes it visible and runs onActivate; unload() runs onUnload and hides the form. A
/// form may be loaded and shown again after it was unloaded; its controls keep their contents.
class Form {
public:
    Form(FrontEnd& frontEnd, std::string name, std::string caption);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const std::string& name() const { return m_name; }
    FrontEnd& frontEnd() const { return m_frontEnd; }

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    bool visible() const { return m_visible; }
    FormRole role() const { return m_role; }
    void setRole(FormRole role) { m_role = role; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    rt::Long left() const { return m_geometry.left; }
    rt::Long top() const { return m_geometry.top; }
    rt::Long width() const { return m_geometry.width; }
    rt::Long height() const { return m_geometry.height; }
    void setLeft(rt::Long left);
    void setTop(rt::Long top);
    void setWidth(rt::Long width);
    void setHeight(rt::Long height);
    void move(rt::Long left, rt::Long top, rt::Long width, rt::Long height);

    bool isLoaded() const { return m_loaded; }
    /// The window handle number: non-zero while the form is loaded, new for every load.
    rt::Long windowHandle() const { return m_windowHandle; }
    /// How the form was last shown.
    Modality modality() const { return m_modality; }

    /// Loads the form (runs onLoad) unless it is loaded already.
    void load();
    /// Loads the form if needed and shows it. A form that unloads itself while loading is not
    /// shown. Showing a visible modeless form modally is error 400.
    void show(Modality modality = Modality::Modeless);
    /// Hides the form; it stays loaded. A modal show() returns.
    void hide();
    /// Runs onUnload, hides the form and unloads it. Nothing when it is not loaded.
    void unload();
    /// Brings the form to the front of the other windows.
    void zOrder();

    /// The form's controls in declaration order.
    const std::vector<Control*>& controls() const { return m_controls; }
    /// The control of that name (compared without regard to case); nullptr when none.
    Control* findControl(std::string_view name) const;
    /// The first command button marked as the cancel button; nullptr when none is.
    CommandButton* cancelButton() const;

protected:
    virtual void onLoad() {}
    virtual void onActivate() {}
    virtual void onUnload() {}

private:
    friend class Control;
    void addControl(Control& control);
    void removeControl(Control& control);
    void controlChanged(Control& control, Property what);
    void formChanged(Property what);
    void setVisibleState(bool visible);
    void setGeometry(const Geometry& geometry);

    FrontEnd& m_frontEnd;
    std::string m_name;
    std::string m_caption;
    Geometry m_geometry{0, 0, 4800, 3600};
    std::vector<Control*> m_controls;
    rt::Long m_windowHandle = 0;
    Modality m_modality = Modality::Modeless;
    FormRole m_role = FormRole::Window;
    bool m_visible = false;
    bool m_enabled = true;
    bool m_loaded = false;
    bool m_unloading = false;
};

} // namespace km::ui
