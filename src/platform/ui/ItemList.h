#pragma once
#include "platform/runtime/Types.h"
#include <string>
#include <string_view>
#include <vector>

namespace km::ui {

/// The entries of a list or combo box: text, item data (an id the program keeps with the entry),
/// and the entry's selection and check marks. Indexes count from 0; a bad index raises error 381
/// ("Invalid property array index"), as the platform's list controls do.
class ItemList {
public:
    struct Item {
        std::string text;
        rt::Long data = 0;
        bool selected = false;
        bool checked = false;
    };

    int count() const { return static_cast<int>(m_items.size()); }
    /// Inserts before \p index (-1 or count() appends); answers the index of the new entry.
    int insert(std::string text, int index);
    void remove(int index);
    void clear() { m_items.clear(); }

    const Item& at(int index) const;
    Item& at(int index);
    /// Index of the first entry whose text equals \p text exactly; -1 when none does.
    int findText(std::string_view text) const;
    /// Index of the first entry carrying \p data; -1 when none does.
    int findData(rt::Long data) const;

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    void check(int index) const;

    std::vector<Item> m_items;
};

} // namespace km::ui
