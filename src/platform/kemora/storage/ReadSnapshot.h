#pragma once
#include "IStoreTransactions.h"

namespace km::kemora {

/// Holds a read snapshot for the lifetime of the guard.
class ReadSnapshot {
public:
    explicit ReadSnapshot(IStoreTransactions& store) : m_store(store) { m_store.beginRead(); }
    ~ReadSnapshot() {
        try {
            m_store.endRead();
        } catch (...) {
        }
    }
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    IStoreTransactions& m_store;
};

} // namespace km::kemora
