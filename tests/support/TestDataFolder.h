#pragma once

#include "data/Store.h"

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A fresh data folder with both databases, for one test. By default the schema
// is already at the current version (as after a first start) and one user
// "admin"/"admin" with all rights exists.
//
// When the suites run on the server engine (KELVORA_TEST_ENGINE=postgresql)
// the book is made on the private test server instead, and path() is its
// connection text.
class TestDataFolder
{
public:
    enum class Schema { Fresh, Current };
    explicit TestDataFolder(Schema schema = Schema::Current);

    QString path() const { return m_location; }
    bool onServer() const { return m_location != m_dir.path(); }
    Store &store() { return *m_store; }
    db::Database &main() { return m_store->main(); }
    db::Database &users() { return m_store->users(); }

    // Convenience rows for tests (bound values, real tables).
    int addGroup(const QString &name);
    void addCode(int code, const QString &description, bool income, int group = 0, bool active = true);
    void addUser(const QString &name, const QString &password, bool changeRecords, bool closeCash, bool groupsCodes);
    void closeDay(const QDate &day);
    // The users file as an older program left it: not marked as made here,
    // so the fixed administrator code opens it until it has its own.
    void makeUsersFileFromBefore();

    // Flips one byte in the middle of a file (not its first page), as a bad
    // sector or a broken copy would.
    static void damageMiddle(const QString &file);

private:
    QTemporaryDir m_dir;
    QString m_location;
    std::unique_ptr<Store> m_store;
};
