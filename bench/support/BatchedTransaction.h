#pragma once
#include "platform/kemora/storage/IStore.h"
#include <cstdint>

namespace km::bench {

/// One long run of writes split into transactions of a fixed number of steps: big enough that
/// commits cost little, small enough that the write-ahead log stays bounded. Rolls back the open
/// transaction when left without finish().
class BatchedTransaction {
public:
    BatchedTransaction(kemora::IStore& store, std::int64_t stepsPerTransaction);
    ~BatchedTransaction();
    BatchedTransaction(const BatchedTransaction&) = delete;
    BatchedTransaction& operator=(const BatchedTransaction&) = delete;

    /// Counts one step; commits and begins the next transaction when the batch is full.
    void step();
    /// Commits the last transaction.
    void finish();

private:
    kemora::IStore& m_store;
    std::int64_t m_stepsPerTransaction;
    std::int64_t m_steps = 0;
    bool m_open = false;
};

} // namespace km::bench
