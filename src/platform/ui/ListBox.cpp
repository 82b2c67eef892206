#include "ListBox.h"
#include "platform/runtime/RuntimeError.h"

namespace km::ui {

namespace {
constexpr int invalidPropertyValue = 380;
}

ListBox::ListBox(Form& owner, std::string name) : Control(owner, ControlKind::ListBox, std::move(name), {}) {}

ListBox::ListBox(Frame& container, std::string name) : Control(container, ControlKind::ListBox, std::move(name), {}) {}

void ListBox::addItem(std::string text, int index) {
    m_newIndex = m_items.insert(std::move(text), index);
    if (m_listIndex >= m_newIndex) {
        ++m_listIndex;
    }
    changed(Property::Items);
}

void ListBox::removeItem(int index) {
    m_items.remove(index);
    if (m_listIndex == index) {
        m_listIndex = -1;
    } else if (m_listIndex > index) {
        --m_listIndex;
    }
    changed(Property::Items);
}

void ListBox::clear() {
    m_items.clear();
    m_listIndex = -1;
    m_newIndex = -1;
    changed(Property::Items);
}

void ListBox::setList(int index, std::string text) {
    m_items.at(index).text = std::move(text);
    changed(Property::Items);
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= listCount()) {
        throw rt::RuntimeError(invalidPropertyValue, "Invalid property value");
    }
    if (index == m_listIndex) {
        return;
    }
    makeCurrent(index);
    if (onClick) {
        onClick();
    }
}

bool ListBox::selected(int index) const {
    return m_items.at(index).selected;
}

void ListBox::setSelected(int index, bool selected) {
    ItemList::Item& item = m_items.at(index);
    if (m_multiSelect == MultiSelect::Single) {
        if (selected) {
            makeCurrent(index);
        } else if (m_listIndex == index) {
            makeCurrent(-1);
        }
        return;
    }
    if (item.selected == selected) {
        return;
    }
    item.selected = selected;
    changed(Property::Selection);
}

int ListBox::selCount() const {
    int count = 0;
    for (const ItemList::Item& item : m_items) {
        count += item.selected ? 1 : 0;
    }
    return count;
}

int ListBox::firstSelected() const {
    for (int i = 0; i < listCount(); ++i) {
        if (m_items.at(i).selected) {
            return i;
        }
    }
    return -1;
}

void ListBox::setChecked(int index, bool checked) {
    if (m_style != ListStyle::CheckBox) {
        throw rt::RuntimeError(rt::ErrorNumber::InvalidCall, "The list '" + name() + "' has no check boxes");
    }
    ItemList::Item& item = m_items.at(index);
    if (item.checked == checked) {
        return;
    }
    item.checked = checked;
    changed(Property::Check);
    if (onItemCheck) {
        onItemCheck(index);
    }
}

void ListBox::clickItem(int index) {
    m_items.at(index).selected = true;
    makeCurrent(index);
    changed(Property::Selection);
    if (onClick) {
        onClick();
    }
}

void ListBox::unclickItem(int index) {
    m_items.at(index).selected = false;
    if (m_multiSelect == MultiSelect::Single && m_listIndex == index) {
        m_listIndex = -1;
    }
    changed(Property::Selection);
    if (onClick) {
        onClick();
    }
}

void ListBox::dblClick() {
    if (onDblClick) {
        onDblClick();
    }
}

// In Single mode the current entry is the selected one; in Multiple mode it only has the focus.
void ListBox::makeCurrent(int index) {
    if (m_multiSelect == MultiSelect::Single) {
        for (int i = 0; i < listCount(); ++i) {
            m_items.at(i).selected = (i == index);
        }
    }
    m_listIndex = index;
    changed(Property::Selection);
}

} // namespace km::ui
