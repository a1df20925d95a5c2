#pragma once

namespace db {

class Database;

// One user operation is one transaction: everything it wrote commits together,
// or, when it leaves by an exception or without commit(), nothing of it stays.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &m_db;
    bool m_done = false;
};

} // namespace db
