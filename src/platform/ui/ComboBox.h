#pragma once
#include "Control.h"
#include "ItemList.h"
#include <functional>

namespace km::ui {

/// DropDownCombo: the user picks an entry or types any text. DropDownList: only entries can be
/// chosen.
enum class ComboStyle { DropDownCombo, DropDownList };

/// A drop-down list of entries with item data, plus the text it shows.
///
/// text() and listIndex() go together: choosing an entry shows its text; setting the text to
/// exactly the text of an entry chooses the first such entry, any other text leaves no entry
/// chosen (-1). Only setting listIndex (or a user's choice) runs onClick; text changes run
/// onChange.
class ComboBox : public Control {
public:
    ComboBox(Form& owner, std::string name);
    ComboBox(Frame& container, std::string name);

    ComboStyle style() const { return m_style; }
    void setStyle(ComboStyle style) { m_style = style; }

    /// Adds an entry before \p index (-1 appends); newIndex() answers where it went.
    void addItem(std::string text, int index = -1);
    void removeItem(int index);
    /// Removes every entry and empties the text.
    void clear();
    int listCount() const { return m_items.count(); }
    const std::string& list(int index) const { return m_items.at(index).text; }
    rt::Long itemData(int index) const { return m_items.at(index).data; }
    void setItemData(int index, rt::Long data);
    /// Index of the entry added last; -1 before any was added.
    int newIndex() const { return m_newIndex; }
    /// Index of the first entry whose text is exactly \p text; -1 when none.
    int findItem(std::string_view text) const { return m_items.findText(text); }

    int listIndex() const { return m_listIndex; }
    /// Chooses entry \p index (its text becomes the text) and runs onClick; -1 chooses none and
    /// empties the text, without an event. Error 380 for other indexes.
    void setListIndex(int index);

    const std::string& text() const { return m_text; }
    /// Sets the text (see the class comment). A DropDownList accepts only the text of one of its
    /// entries or an empty text: error 383 otherwise.
    void setText(std::string text);

    /// What a user choosing entry \p index does: chooses it and runs onClick, also when it was
    /// already chosen.
    void choose(int index);

    std::function<void()> onClick;
    std::function<void()> onChange;

private:
    void assignText(std::string text);

    ItemList m_items;
    ComboStyle m_style = ComboStyle::DropDownCombo;
    std::string m_text;
    int m_listIndex = -1;
    int m_newIndex = -1;
};

} // namespace km::ui
