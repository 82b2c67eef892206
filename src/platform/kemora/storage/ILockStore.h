#pragma once
#include "platform/runtime/Types.h"
#include <optional>
#include <string>

namespace km::kemora {

/// Locks on objects by other users and editors: a named owner per object.
class ILockStore {
public:
    virtual ~ILockStore() = default;

    virtual std::optional<std::string> lockOwner(rt::Long id) = 0;
    /// Locks \p id for \p owner (again, for the owner holding it). Held by another owner:
    /// HostError Locked, and the lock stays as it was.
    virtual void lock(rt::Long id, const std::string& owner) = 0;
    virtual void unlock(rt::Long id) = 0;
};

} // namespace km::kemora
