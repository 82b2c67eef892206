#include "LandscapeMgrDispatch.h"

namespace KM_SLN_SOA {

namespace {

using Arguments = DispatchMembers::Arguments;

// A method without arguments that answers a Boolean, or one that answers nothing.
template <class Method> DispatchMembers::Handler booleanMethod(LandscapeMgr& object, Method method) {
    return [&object, method](const Arguments&) { return DispatchMembers::booleanText((object.*method)()); };
}

template <class Method> DispatchMembers::Handler emptyMethod(LandscapeMgr& object, Method method) {
    return [&object, method](const Arguments&) {
        (object.*method)();
        return std::string();
    };
}

} // namespace

LandscapeMgrDispatch::LandscapeMgrDispatch() {
    LandscapeMgr& mgr = m_landscapeMgr;
    m_members.add("LoadMetamodel", 0, 0, booleanMethod(mgr, &LandscapeMgr::LoadMetamodel));
    m_members.add("CheckInstallation", 0, 0, booleanMethod(mgr, &LandscapeMgr::CheckInstallation));
    m_members.add("RunReportServiceRoadmap", 0, 0, emptyMethod(mgr, &LandscapeMgr::RunReportServiceRoadmap));
    m_members.add("ShowHelp", 0, 0, emptyMethod(mgr, &LandscapeMgr::ShowHelp));
    m_members.add("SimpleQuery", 4, 6, [&mgr](const Arguments& a) {
        return DispatchMembers::booleanText(mgr.SimpleQuery(a[0], a[1], a[2], a[3],
                                                            DispatchMembers::optionalArgument(a, 4, "="),
                                                            DispatchMembers::optionalArgument(a, 5, "")));
    });
    m_members.add("ExecuteAnalyticsForDiagram", 0, 0, booleanMethod(mgr, &LandscapeMgr::ExecuteAnalyticsForDiagram));
    m_members.add("ComplexQuery", 4, 7, [&mgr](const Arguments& a) {
        return DispatchMembers::booleanText(
            mgr.ComplexQuery(a[0], a[1], a[2], a[3], DispatchMembers::optionalArgument(a, 4, ""),
                             DispatchMembers::optionalArgument(a, 5, ""), DispatchMembers::optionalArgument(a, 6, "")));
    });
    m_members.add("CreateAnalytic", 0, 0, booleanMethod(mgr, &LandscapeMgr::CreateAnalytic));
    m_members.add("AnalyticExecutor", 0, 0, booleanMethod(mgr, &LandscapeMgr::AnalyticExecutor));
    m_members.add("ClearAnalytics", 0, 0, emptyMethod(mgr, &LandscapeMgr::ClearAnalytics));
    m_members.add("BuildLandscape", 0, 0, emptyMethod(mgr, &LandscapeMgr::BuildLandscape));
    m_members.add("BuildAutoLandscape", 0, 0, emptyMethod(mgr, &LandscapeMgr::BuildAutoLandscape));
    m_members.add("RefreshLandscape", 0, 0, emptyMethod(mgr, &LandscapeMgr::RefreshLandscape));
    m_members.add("BuildServiceHierarchies", 0, 0, emptyMethod(mgr, &LandscapeMgr::BuildServiceHierarchies));
    m_members.add("InitialiseObjects", 0, 0, emptyMethod(mgr, &LandscapeMgr::InitialiseObjects));
    m_members.add("DestroyObjects", 0, 0, emptyMethod(mgr, &LandscapeMgr::DestroyObjects));
}

std::string LandscapeMgrDispatch::Invoke(const std::string& member, const std::vector<std::string>& arguments) {
    return m_members.invoke(member, arguments);
}

} // namespace KM_SLN_SOA
