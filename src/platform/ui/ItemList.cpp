#include "ItemList.h"
#include "platform/runtime/RuntimeError.h"

namespace km::ui {

namespace {
constexpr int invalidArrayIndex = 381;
}

int ItemList::insert(std::string text, int index) {
    if (index < -1 || index > count()) {
        throw rt::RuntimeError(invalidArrayIndex, "Invalid property array index");
    }
    if (index == -1) {
        index = count();
    }
    m_items.insert(m_items.begin() + index, Item{std::move(text)});
    return index;
}

void ItemList::remove(int index) {
    check(index);
    m_items.erase(m_items.begin() + index);
}

const ItemList::Item& ItemList::at(int index) const {
    check(index);
    return m_items[static_cast<std::size_t>(index)];
}

ItemList::Item& ItemList::at(int index) {
    check(index);
    return m_items[static_cast<std::size_t>(index)];
}

int ItemList::findText(std::string_view text) const {
    for (int i = 0; i < count(); ++i) {
        if (m_items[static_cast<std::size_t>(i)].text == text) {
            return i;
        }
    }
    return -1;
}

int ItemList::findData(rt::Long data) const {
    for (int i = 0; i < count(); ++i) {
        if (m_items[static_cast<std::size_t>(i)].data == data) {
            return i;
        }
    }
    return -1;
}

void ItemList::check(int index) const {
    if (index < 0 || index >= count()) {
        throw rt::RuntimeError(invalidArrayIndex, "Invalid property array index");
    }
}

} // namespace km::ui
