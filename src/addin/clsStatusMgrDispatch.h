#pragma once
#include "DispatchMembers.h"
#include "host/IAddinLibrary.h"
#include <memory>

namespace KM_SLN_SOA {

class clsStatusMgr;

/// clsStatusMgr as callers outside the library use it: members by name with text arguments.
/// The properties blnSilent and Cancelled are read without an argument and written with one.
class clsStatusMgrDispatch : public km::host::IDispatchObject {
public:
    clsStatusMgrDispatch();
    std::string Invoke(const std::string& member, const std::vector<std::string>& arguments) override;
    clsStatusMgr& StatusMgr() const { return *m_statusMgr; }

private:
    std::shared_ptr<clsStatusMgr> m_statusMgr;
    DispatchMembers m_members;
};

} // namespace KM_SLN_SOA
