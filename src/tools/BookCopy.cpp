#include "BookCopy.h"

#include "NewInstallation.h"
#include "data/DataFolder.h"
#include "data/Schema.h"
#include "data/ServerBook.h"
#include "data/Store.h"
#include "data/YearTotals.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"

namespace bookcopy {
namespace {

constexpr const char *UsersAlias = "xrhstes";

[[noreturn]] void refuse(const QString &why)
{
    throw db::DbError(db::DbError::Kind::Sql, why);
}

// Rows of a query as text, one line each, for comparing the two sides.
QStringList rowsOf(db::Database &db, const QString &sql)
{
    QStringList rows;
    db::Statement st = db.prepare(sql);
    while (st.next()) {
        QStringList fields;
        for (int i = 0; i < st.columnCount(); ++i)
            fields << (st.isNull(i) ? QStringLiteral("NULL") : st.text(i));
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

// What both sides must agree on before the copy is called done.
QList<QPair<QString, QString>> checks(const QString &usersPrefix, bool yearTotals)
{
    QList<QPair<QString, QString>> all = {
        {QStringLiteral("movements per day"),
         QStringLiteral("SELECT hmeromhnia, count(*), sum(esoda), sum(ejoda) FROM kinhseis GROUP BY hmeromhnia "
                        "ORDER BY hmeromhnia")},
        {QStringLiteral("sums per code"),
         QStringLiteral("SELECT kvdikos, count(*), sum(esoda), sum(ejoda) FROM kinhseis GROUP BY kvdikos ORDER BY kvdikos")},
        {QStringLiteral("balance chain"),
         QStringLiteral("SELECT hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo FROM tameio ORDER BY hmeromhnia")},
        {QStringLiteral("closed days"),
         QStringLiteral("SELECT Hmeraklhsimatos FROM %1KlhsimoTameioy ORDER BY Hmeraklhsimatos").arg(usersPrefix)},
    };
    // A year whose movements were all deleted keeps its row of zeros on the
    // side where that happened.
    if (yearTotals)
        all.append({QStringLiteral("sums per year"),
                    QStringLiteral("SELECT aa_omada, kvdikos, etos, plhuos, esoda, esoda_apolyta, ejoda, ejoda_apolyta,"
                                   " L_tajeos, L_tajeos_apolyta FROM synola_etoys WHERE plhuos <> 0"
                                   " ORDER BY aa_omada, kvdikos, etos")});
    return all;
}

// The year sums are not copied: the server book's triggers make them from
// the movements as these are copied, and the check compares them.
bool copied(const QString &table)
{
    return table.compare(yeartotals::Table, Qt::CaseInsensitive) != 0;
}

// `shape` is the target schema's own connection, for its field names; the rows
// go through `to`, inside its transaction.
void copyTable(db::Database &from, db::Database &shape, db::Database &to, const QString &table, const QString &targetName)
{
    const QStringList columns = from.columnNames(table);
    QStringList targetColumns;
    for (const QString &c : shape.columnNames(table))
        targetColumns << c.toLower();
    QStringList marks;
    for (const QString &c : columns) {
        if (!targetColumns.contains(c.toLower()))
            refuse(QStringLiteral("the server book has no field %1 in %2").arg(c, table));
        marks << QStringLiteral("?%1").arg(marks.size() + 1);
    }
    // Table and field names come from the book's own schema, never from a user.
    to.execute(QStringLiteral("DELETE FROM %1").arg(targetName));
    db::Statement read = from.prepare(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')), table));
    db::Statement write = to.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                         .arg(targetName, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    while (read.next()) {
        write.reset();
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant v = read.value(i);
            if (!v.isValid())
                write.bindNull(i + 1);
            else if (v.typeId() == QMetaType::LongLong)
                write.bind(i + 1, v.toLongLong());
            else
                write.bind(i + 1, v.toString());
        }
        write.run();
    }
    to.continueCounters(targetName);
}

// The server book takes the fields a newer folder book has gained.
void matchSchema(db::Database &from, db::Database &to)
{
    for (const QString &table : from.tableNames())
        if (!to.tableExists(table))
            refuse(QStringLiteral("the server book has no table ") + table);
}

} // namespace

void copyToServer(const QString &folder, const QString &key, const QString &connection,
                  const std::function<void(db::Database &server)> &beforeCheck)
{
    if (!serverbook::isConnection(connection))
        refuse(QStringLiteral("not a server connection: ") + connection);
    Store source(folder, key);
    source.checkTables();
    newinstall::createDatabases(connection, key);
    Store target(connection, key);
    db::Database &to = target.main();
    const QString usersSchema = QString::fromLatin1(serverbook::UsersSchema);
    try {
        // Brings the server book to the folder book's version, as the program would at its start.
        for (const QString &table : source.main().tableNames())
            if (!to.tableExists(table) && table.compare(QLatin1String("allages"), Qt::CaseInsensitive) != 0
                && table.compare(QLatin1String("kinhseis_lejeis"), Qt::CaseInsensitive) != 0 && copied(table))
                refuse(QStringLiteral("the server book has no table ") + table);
        if (source.main().columnNames(QStringLiteral("kinhseis")).contains(QStringLiteral("L_tajeos"), Qt::CaseInsensitive))
            to.executeScript(QStringLiteral("ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0;"));
        if (source.main().tableExists(QStringLiteral("allages")))
            schema::createChangeLogTable(to);
        if (source.main().columnNames(QStringLiteral("tameio")).contains(QStringLiteral("arxiko"), Qt::CaseInsensitive))
            schema::addOpeningColumn(to);
        if (source.main().tableExists(QStringLiteral("kinhseis_lejeis")))
            schema::createSearchTables(to);
        const bool yearTotals = yeartotals::kept(source.main());
        if (yearTotals && !yeartotals::kept(to))
            yeartotals::create(to);
        schema::createReadIndexes(to);
        matchSchema(source.users(), target.users());

        to.attach(usersSchema, key, QLatin1String(UsersAlias));
        const QString prefix = QLatin1String(UsersAlias) + QLatin1Char('.');
        db::Transaction t(to);
        for (const QString &table : source.main().tableNames())
            if (copied(table))
                copyTable(source.main(), to, to, table, table);
        for (const QString &table : source.users().tableNames())
            copyTable(source.users(), target.users(), to, table, prefix + table);
        if (beforeCheck)
            beforeCheck(to);

        for (const QString &table : source.main().tableNames())
            if (copied(table) && source.main().scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong()
                != to.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong())
                refuse(QStringLiteral("copy differs: row count of ") + table);
        for (const QString &table : source.users().tableNames())
            if (source.users().scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong()
                != to.scalar(QStringLiteral("SELECT count(*) FROM %1%2").arg(prefix, table)).toLongLong())
                refuse(QStringLiteral("copy differs: row count of ") + table);
        source.main().attach(datafolder::usersDatabase(folder), key, QLatin1String(UsersAlias));
        for (const auto &[what, sql] : checks(prefix, yearTotals)) {
            const QStringList here = rowsOf(source.main(), sql);
            const QStringList there = rowsOf(to, sql);
            if (here != there) {
                qsizetype i = 0;
                while (i < here.size() && i < there.size() && here[i] == there[i])
                    ++i;
                refuse(QStringLiteral("copy differs in the %1: folder has \"%2\", server has \"%3\"")
                           .arg(what, here.value(i), there.value(i)));
            }
        }
        t.commit();
    } catch (...) {
        try {
            to.detach(QLatin1String(UsersAlias));
            to.executeScript(QStringLiteral("DROP SCHEMA %1 CASCADE; DROP SCHEMA %2 CASCADE;")
                                 .arg(QLatin1String(serverbook::MainSchema), usersSchema));
        } catch (const db::DbError &) {
            // The first failure is the one to report.
        }
        throw;
    }
}

} // namespace bookcopy
