#pragma once
#include "platform/runtime/Types.h"
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace km::kemora {

class Encyclopedia;
class Symbol;
using rt::Long;

/// Lays the hierarchies (relation 41) of a diagram out as tidy trees: each parent centred over its
/// children, children in their hierarchy order from left to right, one row per level, the trees
/// side by side from the left edge and top of the leftmost root.
class HierarchyLayout {
public:
    static constexpr Long horizontalGap = 20;
    static constexpr Long verticalGap = 40;

    explicit HierarchyLayout(Encyclopedia& encyclopedia) : m_encyclopedia(encyclopedia) {}
    /// Arranges every hierarchy of the diagram and saves the moved symbols.
    void arrange(Long diagram);

private:
    Long subtreeWidth(Long id);
    void place(Long id, Long left, Long top);
    Symbol& symbol(Long id);

    Encyclopedia& m_encyclopedia;
    std::map<Long, std::vector<Long>> m_children;
    std::map<Long, Long> m_width;
    std::map<Long, std::shared_ptr<Symbol>> m_symbols;
    std::set<Long> m_visiting;
};

} // namespace km::kemora
