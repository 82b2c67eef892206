#pragma once
#include "host/HostError.h"
#include <string>

namespace km::kemora {

/// What went wrong in a storage call, whatever database lies behind the store.
enum class StorageFailure {
    Other,
    UniqueViolation,    ///< a row would repeat a key that must be unique (a name, a file name, ...)
    Busy,               ///< another connection held the database longer than the wait allows
    OutsideTransaction, ///< a mutating call made while no transaction was open
};

/// A failing storage call: a HostError Storage that also tells what kind of failure it was and
/// carries the database driver's own error code (0 when the failure did not come from the
/// driver), so that callers test the kind instead of searching the message.
class StorageError : public host::HostError {
public:
    StorageError(StorageFailure failure, int driverCode, const std::string& description)
        : host::HostError(host::HostErrorCode::Storage, description), m_failure(failure), m_driverCode(driverCode) {}

    StorageFailure failure() const { return m_failure; }
    int driverCode() const { return m_driverCode; }
    bool isUniqueViolation() const { return m_failure == StorageFailure::UniqueViolation; }

private:
    StorageFailure m_failure;
    int m_driverCode;
};

} // namespace km::kemora
