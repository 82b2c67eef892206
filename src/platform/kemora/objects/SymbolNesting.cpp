#include "SymbolNesting.h"
#include <algorithm>
#include <cstdint>
#include <tuple>

namespace km::kemora {

namespace {

struct Box {
    Long minX, maxX, minY, maxY;
    explicit Box(const Geometry& g)
        : minX(std::min(g.left(), g.xpos)), maxX(std::max(g.left(), g.xpos)), minY(std::min(g.top(), g.ypos)),
          maxY(std::max(g.top(), g.ypos)) {}
    bool within(const Box& other) const {
        return minX >= other.minX && maxX <= other.maxX && minY >= other.minY && maxY <= other.maxY;
    }
    bool operator==(const Box& other) const = default;
    std::int64_t area() const { return std::int64_t(maxX - minX) * std::int64_t(maxY - minY); }
};

/// Cells over a rectangle, each listing the boxes that cover it.
class NestingGrid {
public:
    static constexpr int cells = 32;
    explicit NestingGrid(const Box& area)
        : m_area(area), m_cellWidth(std::max<std::int64_t>(1, (std::int64_t(area.maxX) - area.minX) / cells + 1)),
          m_cellHeight(std::max<std::int64_t>(1, (std::int64_t(area.maxY) - area.minY) / cells + 1)),
          m_cells(cells * cells) {}

    void add(const Box& box, size_t index) {
        for (int y = row(box.minY); y <= row(box.maxY); ++y) {
            for (int x = column(box.minX); x <= column(box.maxX); ++x) {
                m_cells[static_cast<size_t>(y * cells + x)].push_back(index);
            }
        }
    }
    const std::vector<size_t>& at(Long x, Long y) const {
        return m_cells[static_cast<size_t>(row(y) * cells + column(x))];
    }

private:
    int column(Long x) const { return clamp((std::int64_t(x) - m_area.minX) / m_cellWidth); }
    int row(Long y) const { return clamp((std::int64_t(y) - m_area.minY) / m_cellHeight); }
    static int clamp(std::int64_t cell) { return static_cast<int>(std::clamp<std::int64_t>(cell, 0, cells - 1)); }

    Box m_area;
    std::int64_t m_cellWidth, m_cellHeight;
    std::vector<std::vector<size_t>> m_cells;
};

} // namespace

bool SymbolNesting::inside(Long innerId, const Geometry& inner, Long outerId, const Geometry& outer) {
    if (innerId == outerId) {
        return false;
    }
    Box a(inner), b(outer);
    if (!a.within(b)) {
        return false;
    }
    return !(a == b) || innerId > outerId;
}

std::vector<Long> SymbolNesting::descendants(const std::vector<SymbolRow>& candidates) const {
    std::vector<Long> ids;
    for (const SymbolRow& row : candidates) {
        if (inside(row.object.id, row.geometry, m_parentId, m_parent)) {
            ids.push_back(row.object.id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<Long> SymbolNesting::directChildren(const std::vector<SymbolRow>& candidates) const {
    std::vector<const SymbolRow*> inner;
    for (const SymbolRow& row : candidates) {
        if (inside(row.object.id, row.geometry, m_parentId, m_parent)) {
            inner.push_back(&row);
        }
    }
    // Largest first (then oldest first): anything that could contain a symbol comes before it,
    // so a symbol is a direct child exactly when no direct child found so far contains it.
    // Width and height break ties of zero-area symbols, so that a container always sorts first.
    auto key = [](const SymbolRow* r) {
        Box box(r->geometry);
        return std::make_tuple(-box.area(), -(std::int64_t(box.maxX) - box.minX), -(std::int64_t(box.maxY) - box.minY),
                               r->object.id);
    };
    std::sort(inner.begin(), inner.end(), [&](const SymbolRow* a, const SymbolRow* b) { return key(a) < key(b); });
    // A symbol lies inside a direct child only if that child covers its top left corner, so a grid
    // over the parent that lists the direct children covering each cell keeps the check short on
    // containers with thousands of symbols.
    NestingGrid grid{Box(m_parent)};
    std::vector<const SymbolRow*> direct;
    for (const SymbolRow* row : inner) {
        Box box(row->geometry);
        bool nested = false;
        for (size_t index : grid.at(box.minX, box.minY)) {
            const SymbolRow* d = direct[index];
            if (inside(row->object.id, row->geometry, d->object.id, d->geometry)) {
                nested = true;
                break;
            }
        }
        if (!nested) {
            grid.add(box, direct.size());
            direct.push_back(row);
        }
    }
    std::vector<Long> ids;
    for (const SymbolRow* row : direct) {
        ids.push_back(row->object.id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace km::kemora
