#include "support/TempBook.h"

#include <gtest/gtest.h>

TempBook::TempBook()
{
    QString error;
    m_store = ObjectStore::open(storePath(), &error);
    EXPECT_TRUE(m_store) << error.toStdString();
    if (!m_store)
        return;
    m_tables.attach(m_store.get());
    EXPECT_TRUE(m_tables.openAll());
    EXPECT_TRUE(m_tables.setWorkingSorts());
}

std::unique_ptr<ObjectStore> TempBook::openSecondConnection() const
{
    return ObjectStore::open(storePath());
}
