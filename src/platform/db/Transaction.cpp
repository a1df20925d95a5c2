#include "Transaction.h"

#include "Database.h"

namespace db {

Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.begin();
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.rollback();
        } catch (...) {
            // A failed rollback leaves SQLite's own automatic rollback in charge.
        }
    }
}

void Transaction::commit()
{
    m_db.commit();
    m_done = true;
}

} // namespace db
