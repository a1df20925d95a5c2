#include "UserOperations.h"

#include "cashbook/CashOperations.h"
#include "cashbook/codes/CodeOperations.h"
#include "data/AppGlobals.h"
#include "data/AuditLog.h"
#include "data/DataFolder.h"
#include "data/Store.h"
#include "groups/GroupOperations.h"
#include "platform/regional/GreekFormats.h"
#include "shell/login/Maintenance.h"
#include "shell/login/UserAdmin.h"
#include "support/MovementEntries.h"

#include <QDate>
#include <QFile>

namespace reliability {
namespace {

// User administration is reached through the administrator entry only.
auditlog::Author administrator()
{
    return {QStringLiteral("rootdesk"), QStringLiteral("desk1")};
}

QDate march(int day)
{
    return QDate(2026, 3, day);
}

const auto entry = movementEntry;

// The cash operations as the cash sheet calls them, for one store.
struct Cash
{
    explicit Cash(Store &store) : book(store), ops(book) {}
    cashbook::CashBook book;
    cashbook::CashOperations ops;
};

codes::CodeInput code(const QString &number, const QString &description, qint64 group, bool income)
{
    const QString groupName = group == 1 ? QStringLiteral("ΓΕΝΙΚΑ") : QStringLiteral("ΛΟΙΠΑ");
    return codes::CodeInput{number, description, groupName, group, income, true};
}

} // namespace

void makeSampleBook(Store &store)
{
    globals().RightChangeRecords = true;
    globals().RightCloseCash = true;
    db::Database &main = store.main();
    main.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES (?1)"), QStringLiteral("ΓΕΝΙΚΑ"));
    main.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES (?1)"), QStringLiteral("ΛΟΙΠΑ"));
    for (const auto &c : {code(QStringLiteral("10"), QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), 1, true),
                          code(QStringLiteral("20"), QStringLiteral("ΑΓΟΡΕΣ"), 1, false),
                          code(QStringLiteral("40"), QStringLiteral("ΕΝΟΙΚΙΟ"), 2, false)})
        codes::insertCode(main, c);
    Cash cash(store);
    cash.ops.InsertMovement(entry(march(2), 10, QStringLiteral("100"), {}, QStringLiteral("ΤΑΜΕΙΑΚΗ")));
    cash.ops.InsertMovement(entry(march(2), 20, {}, QStringLiteral("30"), QStringLiteral("ΧΑΡΤΙΑ")));
    cash.ops.InsertMovement(entry(march(4), 10, QStringLiteral("50"), {}, QStringLiteral("ΤΑΜΕΙΑΚΗ")));
    cash.ops.InsertMovement(entry(march(6), 20, {}, QStringLiteral("10"), QStringLiteral("ΚΑΦΕΔΕΣ")));
    for (int d : {2, 6})
        store.users().execute(QStringLiteral("INSERT INTO KlhsimoTameioy (Hmeraklhsimatos) VALUES (?1)"), march(d));
    login::addUser(store.users(), {0, QStringLiteral("ΜΑΡΙΑ"), QStringLiteral("1234"), true, false, false},
                   administrator());
}

const std::vector<UserOperation> &userOperations()
{
    static const std::vector<UserOperation> all = {
        {"insert movement",
         [](Store &s) {
             return Cash(s).ops.InsertMovement(entry(march(4), 20, {}, QStringLiteral("12,50"), QStringLiteral("ΝΕΡΟ")))
                 .has_value();
         }},
        {"change movement",
         [](Store &s) {
             return Cash(s).ops.ChangeMovement(3, entry(march(4), 10, QStringLiteral("75"), {}, QStringLiteral("ΑΛΛΑΓΗ")));
         }},
        {"delete movement", [](Store &s) { return Cash(s).ops.DeleteMovement(1); }},
        {"close day", [](Store &s) { return Cash(s).ops.CloseCash(regional::formatDate(march(4))); }},
        {"insert code",
         [](Store &s) {
             return codes::insertCode(s.main(), code(QStringLiteral("50"), QStringLiteral("ΦΟΡΟΙ"), 2, false)).has_value();
         }},
        {"change code",
         [](Store &s) {
             return codes::changeCode(s.main(), 3, code(QStringLiteral("40"), QStringLiteral("ΜΙΣΘΩΜΑ"), 2, false))
                 .has_value();
         }},
        {"delete code", [](Store &s) { return codes::deleteCode(s.main(), 3); }},
        {"insert group", [](Store &s) { return groups::insertGroup(s.main(), QStringLiteral("ΤΡΑΠΕΖΕΣ")); }},
        {"rename group", [](Store &s) { return groups::renameGroup(s.main(), 1, QStringLiteral("ΚΥΡΙΕΣ")); }},
        {"delete group", [](Store &s) { return groups::deleteGroup(s.main(), 2); }},
        {"add user",
         [](Store &s) {
             return login::addUser(s.users(), {0, QStringLiteral("ΝΙΚΟΣ"), QStringLiteral("pass"), false, true, false},
                                   administrator());
         }},
        {"change user",
         [](Store &s) {
             return login::changeUser(s.users(), 2,
                                      {2, QStringLiteral("ΜΑΡΙΑ Κ"), QStringLiteral("4321"), true, true, true},
                                      administrator());
         }},
        {"delete user", [](Store &s) { return login::deleteUser(s.users(), 2, administrator()); }},
        {"close the open days", [](Store &s) { return login::CloseOpenCashDays(s.users()) > 0; }},
        {"delete all data", [](Store &s) { return login::DeleteAllData(s); }},
    };
    return all;
}

void copyBook(const QString &from, const QString &to)
{
    for (const QString &file : {datafolder::mainDatabase(from), datafolder::usersDatabase(from), datafolder::marker(from)}) {
        const QString target = to + file.mid(from.size());
        QFile::remove(target);
        if (QFile::exists(file) && !QFile::copy(file, target))
            throw std::runtime_error("cannot copy the sample book");
    }
}

} // namespace reliability
