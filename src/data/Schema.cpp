#include "Schema.h"

#include "platform/db/Database.h"

namespace schema {

// Amounts are INTEGER ten-thousandths; dates are ISO text; Yes/No are -1/0.
// Counters use AUTOINCREMENT so a number is never handed out twice, as codes
// and movements keep group numbers.
void createMainTables(db::Database &db)
{
    db.executeScript(QStringLiteral(
        "CREATE TABLE taytothta (ariumos INTEGER);"
        "CREATE TABLE kvdikoi ("
        "  id INTEGER PRIMARY KEY AUTOINCREMENT,"
        "  kvdikos INTEGER,"
        "  perigrafh TEXT,"
        "  omada TEXT,"
        "  aa_omadas INTEGER DEFAULT 0,"
        "  lista TEXT,"
        "  esodo INTEGER DEFAULT 0,"
        "  energos INTEGER DEFAULT -1);"
        "CREATE INDEX kvdikoi_kvdikos ON kvdikoi (kvdikos);"
        "CREATE TABLE omades ("
        "  aa INTEGER PRIMARY KEY AUTOINCREMENT,"
        "  sxolio TEXT,"
        "  perigrafh TEXT);"
        "CREATE TABLE kinhseis ("
        "  aa INTEGER PRIMARY KEY AUTOINCREMENT,"
        "  kvdikos INTEGER,"
        "  hmeromhnia TEXT,"
        "  perigrafh TEXT,"
        "  esoda INTEGER DEFAULT 0,"
        "  ejoda INTEGER DEFAULT 0,"
        "  aa_omada INTEGER DEFAULT 0,"
        "  grammh TEXT,"
        "  epitagh INTEGER DEFAULT 0);"
        "CREATE INDEX aa ON kinhseis (aa);"
        "CREATE INDEX kvdikos ON kinhseis (kvdikos);"
        "CREATE INDEX kinhseis_hmeromhnia ON kinhseis (hmeromhnia);"
        "CREATE TABLE tameio ("
        "  id INTEGER PRIMARY KEY AUTOINCREMENT,"
        "  hmeromhnia TEXT,"
        "  esoda_hmeras INTEGER DEFAULT 0,"
        "  ejoda_hmeras INTEGER DEFAULT 0,"
        "  ypoloipo INTEGER DEFAULT 0);"
        "CREATE UNIQUE INDEX hmeromhnia ON tameio (hmeromhnia);"));
}

void createUsersTables(db::Database &db)
{
    db.executeScript(QStringLiteral(
        "CREATE TABLE codes ("
        "  uname TEXT,"
        "  upass TEXT,"
        "  dikaivma_eggrafes INTEGER DEFAULT 0,"
        "  dikaivma_klhsimo INTEGER DEFAULT 0,"
        "  dikaivma_kvdikoi INTEGER DEFAULT 0);"
        "CREATE TABLE KlhsimoTameioy (Hmeraklhsimatos TEXT);"
        "CREATE UNIQUE INDEX hmeraklhsimatos ON KlhsimoTameioy (Hmeraklhsimatos);"));
}

// Times are local ISO text "YYYY-MM-DDTHH:MM:SS"; the movement before and after
// are kept as readable text, so that the log says what was there even after
// codes change; kleisto is -1 when the movement's day was closed.
void createChangeLogTable(db::Database &db)
{
    db.executeScript(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS allages ("
        "  aa INTEGER PRIMARY KEY AUTOINCREMENT,"
        "  pote TEXT NOT NULL,"
        "  xrhsths TEXT,"
        "  staumos TEXT,"
        "  eidos TEXT NOT NULL,"
        "  kinhsh INTEGER,"
        "  hmeromhnia TEXT,"
        "  prin TEXT,"
        "  meta TEXT,"
        "  kleisto INTEGER DEFAULT 0);"
        "CREATE INDEX IF NOT EXISTS allages_pote ON allages (pote);"));
}

void addOpeningColumn(db::Database &db)
{
    if (!db.columnNames(QStringLiteral("tameio")).contains(QStringLiteral("arxiko"), Qt::CaseInsensitive))
        db.execute(QStringLiteral("ALTER TABLE tameio ADD COLUMN arxiko INTEGER DEFAULT 0"));
}

void createSearchTables(db::Database &db)
{
    db.executeScript(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS kinhseis_lejeis ("
        "  lejh TEXT NOT NULL,"
        "  aa INTEGER NOT NULL);"
        "CREATE INDEX IF NOT EXISTS kinhseis_lejeis_lejh ON kinhseis_lejeis (lejh, aa);"
        "CREATE INDEX IF NOT EXISTS kinhseis_lejeis_aa ON kinhseis_lejeis (aa);"
        "CREATE INDEX IF NOT EXISTS kinhseis_esoda ON kinhseis (esoda);"
        "CREATE INDEX IF NOT EXISTS kinhseis_ejoda ON kinhseis (ejoda);"
        "CREATE INDEX IF NOT EXISTS kinhseis_epitagh ON kinhseis (epitagh);"));
}

void createReadIndexes(db::Database &db)
{
    db.execute(QStringLiteral(
        "CREATE INDEX IF NOT EXISTS kinhseis_hmeromhnia_posa ON kinhseis (hmeromhnia, kvdikos, esoda, ejoda)"));
    // A book older than the memo amount gets this one at the start after the
    // version walk has added the column (a copied book before its first start).
    if (db.columnNames(QStringLiteral("kinhseis")).contains(QStringLiteral("L_tajeos"), Qt::CaseInsensitive)) {
        db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS kinhseis_omada_posa"
                                  "  ON kinhseis (aa_omada, kvdikos, hmeromhnia, esoda, ejoda, L_tajeos)"));
        // The cheque reports: their rows by day (the summary's groups in
        // their order) and their totals, without the table's rows.
        db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS kinhseis_epitagh_posa"
                                  "  ON kinhseis (epitagh, hmeromhnia, esoda, ejoda, L_tajeos, kvdikos)"));
    }
    db.leaveRoomForUpdates(QStringLiteral("tameio"));
}

} // namespace schema
