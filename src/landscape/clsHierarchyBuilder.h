#pragma once

namespace KM_SLN_SOA {

/// Builds the service hierarchy diagrams. FIXME: not written yet; BuildServiceHierarchies does nothing.
class clsHierarchyBuilder {
public:
    void BuildServiceHierarchies();
};

} // namespace KM_SLN_SOA
