#pragma once

namespace KM_SLN_SOA {

/// Builds and refreshes an application landscape inside a chosen symbol. FIXME: not written yet; both entries do
/// nothing.
class clsLandscapeBuilder {
public:
    void BuildLAA();
    void RefreshLAA();
};

} // namespace KM_SLN_SOA
