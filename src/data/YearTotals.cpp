#include "YearTotals.h"

#include "platform/db/Database.h"

namespace yeartotals {

namespace {

// The condition under which the movement `row` (NEW or OLD) is counted.
QString counted(const QString &row)
{
    return QStringLiteral("%1.aa_omada IS NOT NULL AND %1.kvdikos IS NOT NULL"
                          " AND %1.hmeromhnia BETWEEN substr(%1.hmeromhnia, 1, 4) || '-01-01'"
                          " AND substr(%1.hmeromhnia, 1, 4) || '-12-31'")
        .arg(row);
}

// The statements that add (sign "+") or take away ("-") the movement `row`
// from its year's sums, making the year's row when it is the first.
QString change(const QString &row, const QString &sign)
{
    const QString key = QStringLiteral("aa_omada = %1.aa_omada AND kvdikos = %1.kvdikos"
                                       " AND etos = substr(%1.hmeromhnia, 1, 4)")
                            .arg(row);
    QString update = QStringLiteral("UPDATE synola_etoys SET plhuos = plhuos %1 1").arg(sign);
    for (const char *column : {"esoda", "ejoda", "L_tajeos"})
        update += QStringLiteral(", %2 = %2 %1 IFNULL(%3.%2, 0), %2_apolyta = %2_apolyta %1 abs(IFNULL(%3.%2, 0))")
                      .arg(sign, QLatin1String(column), row);
    return QStringLiteral("INSERT INTO synola_etoys (aa_omada, kvdikos, etos)"
                          " SELECT %1.aa_omada, %1.kvdikos, substr(%1.hmeromhnia, 1, 4)"
                          " WHERE NOT EXISTS (SELECT 1 FROM synola_etoys WHERE %2); ")
               .arg(row, key)
           + update + QStringLiteral(" WHERE ") + key + QStringLiteral("; ");
}

QString trigger(const QString &name, const QString &event, const QString &row, const QString &sign)
{
    return QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON kinhseis WHEN %3 BEGIN %4END;")
        .arg(name, event, counted(row), change(row, sign));
}

} // namespace

void create(db::Database &db)
{
    // Only the columns the sums depend on fire the update triggers, so a
    // changed description costs nothing here. The key is the table's own,
    // without a counter: on a server the number of the movement just booked
    // is the session's last counter value, which a trigger must not move.
    const QString updated = QStringLiteral("UPDATE OF kvdikos, aa_omada, hmeromhnia, esoda, ejoda, L_tajeos");
    db.executeScript(QStringLiteral(
                         "CREATE TABLE synola_etoys ("
                         "  aa_omada INTEGER NOT NULL,"
                         "  kvdikos INTEGER NOT NULL,"
                         "  etos TEXT NOT NULL,"
                         "  plhuos INTEGER NOT NULL DEFAULT 0,"
                         "  esoda INTEGER NOT NULL DEFAULT 0,"
                         "  esoda_apolyta INTEGER NOT NULL DEFAULT 0,"
                         "  ejoda INTEGER NOT NULL DEFAULT 0,"
                         "  ejoda_apolyta INTEGER NOT NULL DEFAULT 0,"
                         "  L_tajeos INTEGER NOT NULL DEFAULT 0,"
                         "  L_tajeos_apolyta INTEGER NOT NULL DEFAULT 0,"
                         "  PRIMARY KEY (aa_omada, kvdikos, etos));")
                     + trigger(QStringLiteral("synola_etoys_nea"), QStringLiteral("INSERT"), QStringLiteral("NEW"),
                               QStringLiteral("+"))
                     + trigger(QStringLiteral("synola_etoys_diagrafh"), QStringLiteral("DELETE"), QStringLiteral("OLD"),
                               QStringLiteral("-"))
                     + trigger(QStringLiteral("synola_etoys_prin"), updated, QStringLiteral("OLD"), QStringLiteral("-"))
                     + trigger(QStringLiteral("synola_etoys_meta"), updated, QStringLiteral("NEW"), QStringLiteral("+")));
}

void remove(db::Database &db)
{
    db.executeScript(QStringLiteral("DROP TRIGGER IF EXISTS synola_etoys_nea;"
                                    "DROP TRIGGER IF EXISTS synola_etoys_diagrafh;"
                                    "DROP TRIGGER IF EXISTS synola_etoys_prin;"
                                    "DROP TRIGGER IF EXISTS synola_etoys_meta;"
                                    "DROP TABLE IF EXISTS synola_etoys;"));
}

void fill(db::Database &db)
{
    QString sums;
    for (const char *column : {"esoda", "ejoda", "L_tajeos"})
        sums += QStringLiteral(", SUM(IFNULL(%1, 0)), SUM(abs(IFNULL(%1, 0)))").arg(QLatin1String(column));
    db.execute(QStringLiteral("INSERT INTO synola_etoys (aa_omada, kvdikos, etos, plhuos, esoda, esoda_apolyta,"
                              " ejoda, ejoda_apolyta, L_tajeos, L_tajeos_apolyta)"
                              " SELECT aa_omada, kvdikos, substr(hmeromhnia, 1, 4), COUNT(*)")
               + sums + QStringLiteral(" FROM kinhseis WHERE ") + counted(QStringLiteral("kinhseis"))
               + QStringLiteral(" GROUP BY aa_omada, kvdikos, substr(hmeromhnia, 1, 4)"));
}

bool kept(db::Database &db)
{
    return db.tableExists(Table);
}

} // namespace yeartotals
