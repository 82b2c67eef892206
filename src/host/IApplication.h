#pragma once
#include "platform/runtime/Types.h"
#include <memory>
#include <string>

namespace km::host {

using rt::Long;
class IEncyclopedia;
class IImf;

/// The host application ("KM2001.Application").
class IApplication {
public:
    virtual ~IApplication() = default;

    /// The open encyclopedia, or nothing.
    virtual std::shared_ptr<IEncyclopedia> encyclopedia() = 0;
    /// The host's program folder.
    virtual std::string GetExePath() = 0;
    virtual void WriteStatusLine(const std::string& text) = 0;
    virtual void browserrefresh() = 0;
    /// Closes the open encyclopedia and opens the named one (rebuilding its metamodel).
    virtual void OpenEncyclopediaUsingDisplayName(const std::string& name) = 0;
    /// A host interface object by name; "IKMImf" is the only one. HostError NotSupported otherwise.
    virtual std::shared_ptr<IImf> Interface(const std::string& name) = 0;
};

} // namespace km::host
