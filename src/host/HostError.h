#pragma once
#include "platform/runtime/RuntimeError.h"

namespace km::host {

/// Error numbers of failing host calls (the workbench's automation errors). Values above 1000 keep
/// them apart from the platform's runtime error numbers.
enum class HostErrorCode : int {
    NotFound = 1001,        ///< no object with that id, name or type
    Locked = 1002,          ///< the object is locked by another user or editor
    ReadOnly = 1003,        ///< the object was opened read-only and cannot be changed
    DuplicateName = 1004,   ///< a definition of that type and name exists already
    UnknownType = 1005,     ///< the type number or name is not in the metamodel
    UnknownProperty = 1006, ///< the property is not declared for that type
    BadValue = 1007,        ///< a value that the property cannot take (list names not found, ...)
    Deleted = 1008,         ///< the object has been deleted
    ReportSyntax = 1009,    ///< a report script that does not parse
    Storage = 1010,         ///< the encyclopedia file could not be read or written
    FileStore = 1011,       ///< a file of the encyclopedia's file store could not be handled
    NoEncyclopedia = 1012,  ///< no encyclopedia is open
    NotSupported = 1013,    ///< an interface name or command the workbench does not offer
    Metamodel = 1014,       ///< the property files are malformed
};

/// A failing host call, like an automation error: a number and a description.
class HostError : public rt::RuntimeError {
public:
    HostError(HostErrorCode code, const std::string& description)
        : rt::RuntimeError(static_cast<int>(code), description) {}
    HostErrorCode code() const { return static_cast<HostErrorCode>(number()); }
};

} // namespace km::host
