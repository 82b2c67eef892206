#include "clsStatusMgrDispatch.h"
#include "clsStatusMgr.h"
#include <optional>

namespace KM_SLN_SOA {

namespace {

using Arguments = DispatchMembers::Arguments;

// A Boolean property: read without an argument, written with one.
DispatchMembers::Handler booleanProperty(std::function<bool()> get, std::function<void(bool)> let) {
    return [get, let](const Arguments& a) {
        if (a.empty()) {
            return DispatchMembers::booleanText(get());
        }
        let(DispatchMembers::booleanFromText(a[0]));
        return std::string();
    };
}

} // namespace

clsStatusMgrDispatch::clsStatusMgrDispatch() : m_statusMgr(std::make_shared<clsStatusMgr>()) {
    clsStatusMgr& mgr = *m_statusMgr;
    m_members.add("blnSilent", 0, 1,
                  booleanProperty([&mgr] { return mgr.blnSilent(); }, [&mgr](bool value) { mgr.blnSilent(value); }));
    m_members.add("LogError", 1, 1, [&mgr](const Arguments& a) {
        mgr.LogError(a[0]);
        return std::string();
    });
    m_members.add("KMMsgBox", 1, 5, [&mgr](const Arguments& a) {
        int buttons = a.size() > 1 ? DispatchMembers::longFromText(a[1]) : 0;
        std::optional<std::string> title;
        if (a.size() > 2) {
            title = a[2];
        }
        km::rt::Long context = a.size() > 4 ? DispatchMembers::longFromText(a[4]) : 0;
        return std::to_string(mgr.KMMsgBox(a[0], buttons, title, DispatchMembers::optionalArgument(a, 3, ""), context));
    });
    m_members.add("ShowStatus", 0, 0, [&mgr](const Arguments&) {
        mgr.ShowStatus();
        return std::string();
    });
    m_members.add("LogItem", 2, 2, [&mgr](const Arguments& a) {
        mgr.LogItem(a[0], DispatchMembers::longFromText(a[1]));
        return std::string();
    });
    m_members.add("HideStatus", 0, 0, [&mgr](const Arguments&) {
        mgr.HideStatus();
        return std::string();
    });
    m_members.add("DisplayErrors", 0, 0, [&mgr](const Arguments&) {
        mgr.DisplayErrors();
        return std::string();
    });
    m_members.add("SetStatus", 1, 1,
                  [&mgr](const Arguments& a) { return DispatchMembers::booleanText(mgr.SetStatus(a[0])); });
    m_members.add("Cancelled", 0, 1,
                  booleanProperty([&mgr] { return mgr.Cancelled(); }, [&mgr](bool value) { mgr.Cancelled(value); }));
}

std::string clsStatusMgrDispatch::Invoke(const std::string& member, const std::vector<std::string>& arguments) {
    return m_members.invoke(member, arguments);
}

} // namespace KM_SLN_SOA
