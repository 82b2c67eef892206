#pragma once

namespace KM_SLN_SOA {

/// Builds a nested landscape level by level over a whole diagram. FIXME: not written yet; BuildLAA does nothing.
class clsAutoLandscapeBuilder {
public:
    void BuildLAA();
};

} // namespace KM_SLN_SOA
