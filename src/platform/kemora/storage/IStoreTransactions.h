#pragma once
#include <string>

namespace km::kemora {

/// The transactions of a store, the part of the storage contract every role shares.
///
/// The rule: every mutating call of every role (the calls that are not const queries: insert,
/// rename, delete, set, update, write, lock and unlock) needs an open transaction (begin, or the
/// Transaction guard). Called while none is open, it changes nothing and throws StorageError
/// OutsideTransaction; so does a call made inside a read snapshot only. A mutating call that
/// throws has no effect: the transaction stays open with the work done before the call, and the
/// caller decides to carry on or roll back.
class IStoreTransactions {
public:
    virtual ~IStoreTransactions() = default;

    virtual std::string path() const = 0;

    /// Opens a transaction, or a nested one (rolled back on its own) inside an open one. The
    /// outermost takes the write lock at once so that two processes never deadlock.
    virtual void begin() = 0;
    virtual void commit() = 0;   ///< StorageError when no transaction is open
    virtual void rollback() = 0; ///< does nothing when no transaction is open
    virtual bool inTransaction() const = 0;
    /// Starts a read snapshot: until endRead every read sees one committed state (and this
    /// connection's own open transaction). Takes no write lock, so other processes can go on
    /// writing. Nests; inside a transaction it only counts. Do not write inside a snapshot: once
    /// another process has written, the snapshot cannot become a write transaction (Storage error).
    virtual void beginRead() = 0;
    virtual void endRead() = 0;
};

} // namespace km::kemora
