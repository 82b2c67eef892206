#pragma once
#include "IStoreTransactions.h"
#include <type_traits>
#include <utility>

namespace km::kemora {

/// Runs a block in a transaction: commits on commit(), rolls back when left without it.
class Transaction {
public:
    explicit Transaction(IStoreTransactions& store) : m_store(store) { m_store.begin(); }
    ~Transaction() {
        if (!m_done) {
            try {
                m_store.rollback();
            } catch (...) {
            }
        }
    }
    void commit() {
        m_store.commit();
        m_done = true;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    IStoreTransactions& m_store;
    bool m_done = false;
};

/// Runs \p work in a transaction (nested when one is open) and commits it; answers what \p work
/// answers. Throwing, \p work leaves nothing behind.
template <class Work> decltype(auto) inTransaction(IStoreTransactions& store, Work&& work) {
    Transaction transaction(store);
    if constexpr (std::is_void_v<decltype(std::forward<Work>(work)())>) {
        std::forward<Work>(work)();
        transaction.commit();
    } else {
        decltype(auto) result = std::forward<Work>(work)();
        transaction.commit();
        return result;
    }
}

} // namespace km::kemora
