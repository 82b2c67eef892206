#include "BatchedTransaction.h"

namespace km::bench {

BatchedTransaction::BatchedTransaction(kemora::IStore& store, std::int64_t stepsPerTransaction)
    : m_store(store), m_stepsPerTransaction(stepsPerTransaction) {
    m_store.begin();
    m_open = true;
}

BatchedTransaction::~BatchedTransaction() {
    if (!m_open) {
        return;
    }
    try {
        m_store.rollback();
    } catch (...) {
    }
}

void BatchedTransaction::step() {
    if (++m_steps % m_stepsPerTransaction != 0) {
        return;
    }
    m_store.commit();
    m_open = false;
    m_store.begin();
    m_open = true;
}

void BatchedTransaction::finish() {
    if (!m_open) {
        return;
    }
    m_store.commit();
    m_open = false;
}

} // namespace km::bench
