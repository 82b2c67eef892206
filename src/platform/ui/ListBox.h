#pragma once
#include "Control.h"
#include "ItemList.h"
#include <functional>

namespace km::ui {

/// Standard: plain entries. CheckBox: every entry has a check box besides its selection.
enum class ListStyle { Standard, CheckBox };
/// Single: at most one entry is selected, the one at listIndex(). Multiple: any number.
enum class MultiSelect { Single, Multiple };

/// A list of entries with item data, selection and (in CheckBox style) check marks.
///
/// Selection and checks are separate: selected() is the highlight, checked() the check box.
/// Changing a check runs onItemCheck(index), also when the program changes it, after the new
/// state is in place. Changing listIndex runs onClick. Removing or inserting entries keeps
/// listIndex on the same entry (-1 when that entry was removed).
class ListBox : public Control {
public:
    ListBox(Form& owner, std::string name);
    ListBox(Frame& container, std::string name);

    ListStyle style() const { return m_style; }
    void setStyle(ListStyle style) { m_style = style; }
    MultiSelect multiSelect() const { return m_multiSelect; }
    void setMultiSelect(MultiSelect mode) { m_multiSelect = mode; }

    /// Adds an entry before \p index (-1 appends); newIndex() answers where it went.
    void addItem(std::string text, int index = -1);
    void removeItem(int index);
    void clear();
    int listCount() const { return m_items.count(); }
    const std::string& list(int index) const { return m_items.at(index).text; }
    void setList(int index, std::string text);
    rt::Long itemData(int index) const { return m_items.at(index).data; }
    void setItemData(int index, rt::Long data) { m_items.at(index).data = data; }
    /// Index of the entry added last; -1 before any was added.
    int newIndex() const { return m_newIndex; }
    /// Index of the first entry whose text is exactly \p text; -1 when none.
    int findItem(std::string_view text) const { return m_items.findText(text); }
    /// Index of the first entry carrying \p data; -1 when none.
    int findItemData(rt::Long data) const { return m_items.findData(data); }

    /// The current entry: in Single mode the selected one; -1 when none.
    int listIndex() const { return m_listIndex; }
    /// Makes \p index the current entry (in Single mode also the only selected one) and runs
    /// onClick when it changed; -1 makes none current. Error 380 for other indexes.
    void setListIndex(int index);

    bool selected(int index) const;
    /// Selects or deselects an entry without an event; in Single mode selecting it makes it the
    /// current entry and deselecting the current entry leaves none.
    void setSelected(int index, bool selected);
    int selCount() const;
    /// Index of the first selected entry; -1 when none is.
    int firstSelected() const;

    bool checked(int index) const { return m_items.at(index).checked; }
    /// Checks or unchecks an entry; runs onItemCheck(index) when the state changed. Error 5 for a
    /// list without check boxes.
    void setChecked(int index, bool checked);

    /// What a user clicking entry \p index does: in Single mode it becomes the only selected and
    /// current entry; in Multiple mode it is added to the selection and becomes current. Runs
    /// onClick once.
    void clickItem(int index);
    /// What a user removing entry \p index from a multiple selection does; runs onClick.
    void unclickItem(int index);
    /// A double click on the list: runs onDblClick.
    void dblClick();

    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(int index)> onItemCheck;

private:
    void makeCurrent(int index);

    ItemList m_items;
    ListStyle m_style = ListStyle::Standard;
    MultiSelect m_multiSelect = MultiSelect::Single;
    int m_listIndex = -1;
    int m_newIndex = -1;
};

} // namespace km::ui
