#pragma once

#include "platform/ObjectStore.h"

// Groups the writes of one command: all of them or none. Rolls back on
// destruction unless commit() succeeded.
class StoreTransaction {
public:
    explicit StoreTransaction(ObjectStore& store) : m_store(store), m_open(store.beginTransaction()) {}
    ~StoreTransaction()
    {
        if (m_open)
            m_store.rollbackTransaction();
    }
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    // False when the transaction could not begin (the book is busy or unwritable).
    bool isOpen() const { return m_open; }

    [[nodiscard]] bool commit()
    {
        if (!m_open)
            return false;
        m_open = false;
        return m_store.commitTransaction();
    }

    void rollback()
    {
        if (m_open)
            m_store.rollbackTransaction();
        m_open = false;
    }

private:
    ObjectStore& m_store;
    bool m_open;
};
