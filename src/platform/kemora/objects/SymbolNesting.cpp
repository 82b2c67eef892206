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

} // namespace

bool SymbolNesting::inside(Long innerId, const Geometry& inner, Long outerId, const Geometry& outer) {
    if (innerId == outerId)
        return false;
    Box a(inner), b(outer);
    if (!a.within(b))
        return false;
    return !(a == b) || innerId > outerId;
}

std::vector<Long> SymbolNesting::descendants(const std::vector<SymbolRow>& candidates) const {
    std::vector<Long> ids;
    for (const SymbolRow& row : candidates)
        if (inside(row.object.id, row.geometry, m_parentId, m_parent))
            ids.push_back(row.object.id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<Long> SymbolNesting::directChildren(const std::vector<SymbolRow>& candidates) const {
    std::vector<const SymbolRow*> inner;
    for (const SymbolRow& row : candidates)
        if (inside(row.object.id, row.geometry, m_parentId, m_parent))
            inner.push_back(&row);
    // Largest first (then oldest first): anything that could contain a symbol comes before it,
    // so a symbol is a direct child exactly when no direct child found so far contains it.
    // Width and height break ties of zero-area symbols, so that a container always sorts first.
    auto key = [](const SymbolRow* r) {
        Box box(r->geometry);
        return std::make_tuple(-box.area(), -(std::int64_t(box.maxX) - box.minX), -(std::int64_t(box.maxY) - box.minY),
                               r->object.id);
    };
    std::sort(inner.begin(), inner.end(), [&](const SymbolRow* a, const SymbolRow* b) { return key(a) < key(b); });
    std::vector<const SymbolRow*> direct;
    for (const SymbolRow* row : inner) {
        bool nested = std::any_of(direct.begin(), direct.end(), [row](const SymbolRow* d) {
            return inside(row->object.id, row->geometry, d->object.id, d->geometry);
        });
        if (!nested)
            direct.push_back(row);
    }
    std::vector<Long> ids;
    for (const SymbolRow* row : direct)
        ids.push_back(row->object.id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace km::kemora
