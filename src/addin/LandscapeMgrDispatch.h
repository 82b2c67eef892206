#pragma once
#include "DispatchMembers.h"
#include "LandscapeMgr.h"
#include "host/IAddinLibrary.h"

namespace KM_SLN_SOA {

/// LandscapeMgr as the host calls it: members by name with text arguments; Booleans answer
/// "True"/"False", the other methods "".
class LandscapeMgrDispatch : public km::host::IDispatchObject {
public:
    LandscapeMgrDispatch();
    std::string Invoke(const std::string& member, const std::vector<std::string>& arguments) override;
    /// The member names in the order of the class's interface.
    std::vector<std::string> MemberNames() const { return m_members.names(); }

private:
    LandscapeMgr m_landscapeMgr;
    DispatchMembers m_members;
};

} // namespace KM_SLN_SOA
