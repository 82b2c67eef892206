#include "HierarchyLayout.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/objects/Symbol.h"
#include <algorithm>
#include <limits>

namespace km::kemora {

Symbol& HierarchyLayout::symbol(Long id) {
    auto& slot = m_symbols[id];
    if (!slot) {
        slot = m_encyclopedia.loadSymbol(id);
    }
    return *slot;
}

Long HierarchyLayout::subtreeWidth(Long id) {
    if (auto known = m_width.find(id); known != m_width.end()) {
        return known->second;
    }
    // A hierarchy that loops back on itself is cut where it loops.
    if (!m_visiting.insert(id).second) {
        return 0;
    }
    Long children = 0;
    for (Long child : m_children[id]) {
        children += subtreeWidth(child) + horizontalGap;
    }
    if (children > 0) {
        children -= horizontalGap;
    }
    Long width = std::max(symbol(id).XSize(), children);
    m_visiting.erase(id);
    return m_width[id] = width;
}

void HierarchyLayout::place(Long id, Long left, Long top) {
    if (!m_visiting.insert(id).second) {
        return;
    }
    Symbol& node = symbol(id);
    Long width = m_width[id];
    node.XPos(left + (width + node.XSize()) / 2);
    node.ypos(top + node.YSize());
    Long childTop = top + node.YSize() + verticalGap;
    Long children = -horizontalGap;
    for (Long child : m_children[id]) {
        children += m_width[child] + horizontalGap;
    }
    Long childLeft = left + (width - std::max<Long>(children, 0)) / 2;
    for (Long child : m_children[id]) {
        place(child, childLeft, childTop);
        childLeft += m_width[child] + horizontalGap;
    }
    m_visiting.erase(id);
}

void HierarchyLayout::arrange(Long diagram) {
    IStore& store = m_encyclopedia.store();
    std::vector<Long> roots;
    for (Long id : store.symbolsOfDiagram(diagram, 0, {})) {
        std::vector<Long> children = store.hierarchyChildren(id);
        bool hasParent = store.hierarchyParent(id).has_value();
        if (!children.empty()) {
            m_children[id] = std::move(children);
        }
        if (!hasParent && m_children.count(id)) {
            roots.push_back(id);
        }
    }
    if (roots.empty()) {
        return;
    }
    Long left = std::numeric_limits<Long>::max(), top = std::numeric_limits<Long>::max();
    for (Long root : roots) {
        left = std::min(left, symbol(root).XPos() - symbol(root).XSize());
        top = std::min(top, symbol(root).ypos() - symbol(root).YSize());
    }
    for (Long root : roots) {
        Long width = subtreeWidth(root);
        place(root, left, top);
        left += width + 2 * horizontalGap;
    }
    Transaction transaction(store);
    for (auto& [id, moved] : m_symbols) {
        moved->save();
    }
    transaction.commit();
}

} // namespace km::kemora
