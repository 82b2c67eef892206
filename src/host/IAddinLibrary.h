#pragma once
#include <memory>
#include <string>
#include <vector>

namespace km::host {

class IHostServices;

/// An object of one of the add-in's creatable classes, called by member name with its arguments
/// as texts, the way a host macro calls it.
class IDispatchObject {
public:
    virtual ~IDispatchObject() = default;
    /// Calls a method (name compared without regard to case; optional arguments may be left out)
    /// and answers its result as text: "True"/"False" for Booleans, "" for an empty result.
    /// Throws rt::RuntimeError 438 for an unknown member and 450 for a wrong number of arguments;
    /// an error that the called method does not handle itself propagates as it is.
    virtual std::string Invoke(const std::string& member, const std::vector<std::string>& arguments) = 0;
};

/// What the add-in library offers its host once loaded.
class IAddinLibrary {
public:
    virtual ~IAddinLibrary() = default;
    /// A new object of a creatable class ("LandscapeMgr", "clsStatusMgr"); nothing for others.
    virtual std::shared_ptr<IDispatchObject> CreateObject(const std::string& className) = 0;
    /// The folder the library was loaded from (its solution files lie there).
    virtual std::string LibraryFolder() = 0;
    /// A report script prepared exactly as the add-in prepares scripts before it runs them.
    virtual std::string PrepareReportString(const std::string& script) = 0;
};

/// Name and type of the one function the add-in library exports. The host calls it once after
/// loading the library; \p services must outlive the returned library object, which the host
/// deletes before unloading the library.
inline constexpr const char* addinEntryPoint = "KM_SLN_SOA_Load";
using AddinEntryPoint = IAddinLibrary* (*)(IHostServices* services);

} // namespace km::host
