#pragma once
#include "IFileStore.h"
#include "ILockStore.h"
#include "IObjectStore.h"
#include "IStoreTransactions.h"
#include "ISymbolStore.h"
#include "ReadSnapshot.h"
#include "StorageError.h"
#include "Transaction.h"

namespace km::kemora {

/// The persistent store of one encyclopedia: the union of its roles (objects and their lists,
/// symbols and their geometry, files, locks) under one set of transactions. Every mutating call
/// needs an open transaction (see IStoreTransactions). Readers see committed data and their own
/// transaction's changes. Failures throw HostError: StorageError (code Storage) for the database's
/// own failures, DuplicateName for a taken name, Locked for a lock held by another owner.
///
/// SqliteStore stores a SQLite file; a server database implements the same roles, and
/// tests/kemora/StoreConformance.h is the suite every implementation must pass.
class IStore : public IStoreTransactions,
               public IObjectStore,
               public ISymbolStore,
               public IFileStore,
               public ILockStore {
public:
    ~IStore() override = default;
};

} // namespace km::kemora
