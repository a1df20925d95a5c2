#include "BookInspection.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/ServerBook.h"
#include "platform/db/Database.h"
#include "platform/regional/Money.h"

#include <QMap>

namespace inspect {
namespace {

void dumpTables(db::Database &db, QString &out)
{
    QStringList tables;
    db::Statement list = db.prepare(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (list.next())
        tables << list.text(0);
    for (const QString &table : tables) {
        out += QStringLiteral("[%1]\n").arg(table);
        db::Statement rows = db.prepare(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
        while (rows.next()) {
            for (int c = 0; c < rows.columnCount(); ++c) {
                // The logs stamp when an operation ran, and a password hash
                // has a fresh random salt: two runs of one operation differ
                // in those alone.
                const QString column = rows.columnName(c);
                if (column == QLatin1String("pote") || column == QLatin1String("xronos"))
                    out += QStringLiteral("<time>|");
                else if (column == QLatin1String("upass"))
                    out += QStringLiteral("<hash>|");
                else
                    out += (rows.isNull(c) ? QStringLiteral("<null>") : rows.value(c).toString()) + QLatin1Char('|');
            }
            out += QLatin1Char('\n');
        }
    }
}

void checkIntegrity(db::Database &db, const QString &file, QStringList &faults)
{
    if (db.isOnServer())
        return;
    const QString result = db.scalar(QStringLiteral("PRAGMA integrity_check")).toString();
    if (result != QLatin1String("ok"))
        faults << file + QStringLiteral(": integrity_check: ") + result;
}

struct Totals
{
    Money income, expense;
};

} // namespace

std::unique_ptr<db::Database> openPart(const QString &book, const QString &part)
{
    if (serverbook::isConnection(book))
        return db::Database::openOnServer(book, part);
    return db::Database::open(part, globals().DbPassword);
}

QString snapshot(const QString &dataFolder)
{
    QString out;
    dumpTables(*openPart(dataFolder, datafolder::mainDatabase(dataFolder)), out);
    dumpTables(*openPart(dataFolder, datafolder::usersDatabase(dataFolder)), out);
    return out;
}

QStringList consistencyFaults(const QString &dataFolder)
{
    try {
        auto main = openPart(dataFolder, datafolder::mainDatabase(dataFolder));
        auto users = openPart(dataFolder, datafolder::usersDatabase(dataFolder));
        return consistencyFaults(*main, *users);
    } catch (const std::exception &e) {
        return {QStringLiteral("the book does not open: ") + QString::fromUtf8(e.what())};
    }
}

QStringList consistencyFaults(db::Database &main, db::Database &users)
{
    QStringList faults;
    checkIntegrity(main, QStringLiteral("kelvora.mdb"), faults);
    checkIntegrity(users, QStringLiteral("mapcodes.mdb"), faults);

    QMap<QString, Totals> sums;
    db::Statement moves = main.prepare(QStringLiteral("SELECT hmeromhnia, esoda, ejoda FROM kinhseis"));
    while (moves.next()) {
        Totals &t = sums[moves.text(0)];
        t.income += moves.money(1);
        t.expense += moves.money(2);
    }

    // The opening balance enters the chain on its own day (arxiko, 0 elsewhere).
    const bool hasOpening = main.columnNames(QStringLiteral("tameio")).contains(QStringLiteral("arxiko"));
    db::Statement days = main.prepare(
        QStringLiteral("SELECT hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo, ")
        + (hasOpening ? QStringLiteral("IFNULL(arxiko, 0)") : QStringLiteral("0"))
        + QStringLiteral(" FROM tameio ORDER BY hmeromhnia, id"));
    QString previousDay;
    Money previousBalance;
    bool first = true;
    while (days.next()) {
        const QString day = days.text(0);
        const Money income = days.money(1), expense = days.money(2), balance = days.money(3),
                    opening = days.money(4);
        if (day == previousDay)
            faults << QStringLiteral("two tameio rows for ") + day;
        // The first row carries the opening balance, which no movement explains.
        if (!first && balance != previousBalance + opening + income - expense)
            faults << QStringLiteral("balance chain broken at %1: %2 != %3 + %4 - %5")
                          .arg(day)
                          .arg(balance.units())
                          .arg(previousBalance.units())
                          .arg(income.units())
                          .arg(expense.units());
        const Totals t = sums.take(day);
        if (t.income != income || t.expense != expense)
            faults << QStringLiteral("totals of %1 are %2/%3, its movements add up to %4/%5")
                          .arg(day)
                          .arg(income.units())
                          .arg(expense.units())
                          .arg(t.income.units())
                          .arg(t.expense.units());
        previousDay = day;
        previousBalance = balance;
        first = false;
    }
    for (auto it = sums.cbegin(); it != sums.cend(); ++it)
        faults << QStringLiteral("movements on %1 without a tameio row").arg(it.key());
    return faults;
}

} // namespace inspect
