#include "SchemaUpgrade.h"

#include "Balances.h"
#include "MovementWords.h"
#include "Schema.h"
#include "YearTotals.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "platform/db/Statement.h"

#include <QDebug>

namespace schemaupgrade {
namespace {

// Also mends version rows holding NULL or 0: they are removed, so the version
// read next is a real one (a row with a known version behind them keeps it)
// and the walk can never add rows without end.
void toVersion1(db::Database &db)
{
    db::Transaction t(db);
    db.execute(QStringLiteral("DELETE FROM taytothta WHERE ariumos IS NULL OR ariumos = 0"));
    if (db.scalar(QStringLiteral("SELECT count(*) FROM taytothta")).toLongLong() == 0)
        db.execute(QStringLiteral("INSERT INTO taytothta (ariumos) VALUES (1)"));
    t.commit();
}

void toVersion2(db::Database &db)
{
    db::Transaction t(db);
    // The memo amount is kept exact in ten-thousandths like every other amount.
    if (!db.columnNames(QStringLiteral("kinhseis")).contains(QStringLiteral("L_tajeos"), Qt::CaseInsensitive))
        db.execute(QStringLiteral("ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0"));
    db.execute(QStringLiteral("UPDATE taytothta SET ariumos = 2"));
    db.execute(QStringLiteral("UPDATE kinhseis SET L_tajeos = 0"));
    t.commit();
}

// False when the user gave no opening balance: the version stays 2.
bool toVersion3(db::Database &db, const AskOpeningBalance &ask)
{
    // The column comes first, on its own: a book whose question was left
    // unanswered is still shown and booked on.
    {
        db::Transaction t(db);
        schema::addOpeningColumn(db);
        t.commit();
    }
    const std::optional<OpeningBalance> answer = ask ? ask() : std::nullopt;
    if (!answer)
        return false;
    db::Transaction t(db);
    // cdate/csng fail the statement on text they cannot read, so nothing is
    // written then.
    db::Statement typed = db.prepare(QStringLiteral("SELECT csng(?1), cdate(?2)"));
    typed.bind(1, answer->amountText).bind(2, answer->dateText);
    typed.next();
    const Money amount = typed.money(0);
    const QDate day = typed.date(1);
    // The balance is kept as the opening of its day, not only written over
    // rows that exist: a new book has none, and a later booking on that day,
    // or before it, must not lose it.
    balances::setOpeningBalance(db, day, amount);
    db.execute(QStringLiteral("UPDATE taytothta SET ariumos = 3"));
    t.commit();
    return true;
}

// The change log table; nothing of version 3 is touched.
void toVersion4(db::Database &db)
{
    db::Transaction t(db);
    schema::createChangeLogTable(db);
    db.execute(QStringLiteral("UPDATE taytothta SET ariumos = 4"));
    t.commit();
}

// The opening column for files that passed version 3 before it was kept.
void toVersion5(db::Database &db)
{
    db::Transaction t(db);
    schema::addOpeningColumn(db);
    db.execute(QStringLiteral("UPDATE taytothta SET ariumos = 5"));
    t.commit();
}

// The search's words and indexes, made for every movement already booked.
void toVersion6(db::Database &db)
{
    db::Transaction t(db);
    schema::createSearchTables(db);
    movementwords::rebuildAll(db);
    db.execute(QStringLiteral("UPDATE taytothta SET ariumos = 6"));
    t.commit();
}

// The sums per group number, code and year, made for every movement already
// booked and kept from then on by the table's triggers. A file whose version
// was set back after it had them gets them made again.
void toVersion7(db::Database &db)
{
    db::Transaction t(db);
    yeartotals::remove(db);
    yeartotals::create(db);
    yeartotals::fill(db);
    db.execute(QStringLiteral("UPDATE taytothta SET ariumos = 7"));
    t.commit();
}

} // namespace

int currentVersion(db::Database &db)
{
    const QVariant v = db.scalar(QStringLiteral("SELECT ariumos FROM taytothta"));
    return v.isValid() ? v.toInt() : 0;
}

int UpgradeSchema(db::Database &db, const AskOpeningBalance &ask)
{
    int version = 0;
    try {
        version = currentVersion(db);
        while (version != schema::CurrentVersion) {
            switch (version) {
            case 0: toVersion1(db); break;
            case 1: toVersion2(db); break;
            case 2:
                if (!toVersion3(db, ask))
                    return version;
                break;
            case 3: toVersion4(db); break;
            case 4: toVersion5(db); break;
            case 5: toVersion6(db); break;
            case 6: toVersion7(db); break;
            default:
                return version; // a version this program does not know: left alone
            }
            const int reached = currentVersion(db);
            if (reached == version)
                return version; // a step that changed nothing would repeat for ever
            version = reached;
        }
        schema::createReadIndexes(db);
    } catch (const std::exception &e) {
        qWarning() << "schema upgrade stopped at version" << version << ":" << e.what();
    }
    return version;
}

} // namespace schemaupgrade
