#pragma once
#include "platform/kemora/storage/IStore.h"
#include <vector>

namespace km::kemora {

/// Geometric nesting of symbols (relation 28). Symbol A lies inside symbol B when A's rectangle
/// lies within B's (edges included) and, for identical rectangles, A was created after B; so
/// identical rectangles nest in creation order instead of containing each other.
class SymbolNesting {
public:
    SymbolNesting(Long parentId, const Geometry& parent) : m_parentId(parentId), m_parent(parent) {}

    static bool inside(Long innerId, const Geometry& inner, Long outerId, const Geometry& outer);

    /// Of \p candidates (symbols within the parent's rectangle), the ids of those inside the parent
    /// and inside no other candidate that is itself inside the parent; in creation order.
    std::vector<Long> directChildren(const std::vector<SymbolRow>& candidates) const;
    /// Of \p candidates, the ids of all those inside the parent; in creation order.
    std::vector<Long> descendants(const std::vector<SymbolRow>& candidates) const;

private:
    Long m_parentId;
    Geometry m_parent;
};

} // namespace km::kemora
