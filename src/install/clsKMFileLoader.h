#pragma once

namespace KM_SLN_SOA {

/// Installs the solution into the open encyclopedia and checks the host's installation. FIXME: the loading and the
/// check are not written yet; both do nothing.
class clsKMFileLoader {
public:
    void LoadMetamodel();
    /// Answers whether the host's files hold the solution's matrices and framework.
    bool CheckInstallation();
};

} // namespace KM_SLN_SOA
