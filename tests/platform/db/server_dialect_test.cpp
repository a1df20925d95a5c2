#include "platform/db/DbError.h"
#include "platform/db/ServerDialect.h"

#include <gtest/gtest.h>

using db::server::Conversion;
using db::server::translate;
using db::server::translateScript;

namespace {

std::string onServer(const char *sql)
{
    return translate(QString::fromUtf8(sql)).text.toStdString();
}

bool refused(const char *sql)
{
    try {
        translate(QString::fromUtf8(sql));
    } catch (const db::DbError &) {
        return true;
    }
    return false;
}

} // namespace

TEST(ServerDialect, PlaceholdersAreNumberedAndQuotedTextIsLeftAlone)
{
    const auto s = translate(QStringLiteral("SELECT ?2, ?1, '?3 and ? stay', ? FROM t WHERE a = ?"));
    EXPECT_EQ(s.text.toStdString(), "SELECT $2, $1, '?3 and ? stay', $3 FROM t WHERE a = $4");
    EXPECT_EQ(s.parameterCount, 4);
    // A doubled quote inside a literal does not end it.
    EXPECT_EQ(onServer("SELECT 'it''s ?1' , ?1"), "SELECT 'it''s ?1' , $1");
}

TEST(ServerDialect, ConversionsBecomeTypedParametersConvertedByTheLayer)
{
    const auto s = translate(QStringLiteral("SELECT csng(?1), cdate( ?2 )"));
    EXPECT_EQ(s.text.toStdString(), "SELECT ($1::bigint), ($2::text)");
    EXPECT_EQ(s.conversions.value(1), Conversion::Amount);
    EXPECT_EQ(s.conversions.value(2), Conversion::Date);
    EXPECT_TRUE(refused("SELECT cdate(hmeromhnia) FROM t"));
}

TEST(ServerDialect, GreekFoldingComparisonAndOrder)
{
    EXPECT_EQ(onServer("SELECT 1 FROM codes WHERE uname = ?1 COLLATE GREEKCI LIMIT 1"),
              "SELECT 1 FROM codes WHERE pg_temp.greekci(uname) = pg_temp.greekci($1) LIMIT 1");
    EXPECT_EQ(onServer("SELECT * FROM k ORDER BY perigrafh COLLATE GREEKCI, kvdikos"),
              "SELECT * FROM k ORDER BY pg_temp.greekci(perigrafh) COLLATE \"C\", kvdikos");
    EXPECT_TRUE(refused("SELECT 1 FROM t WHERE lower(a) = ?1 COLLATE GREEKCI"));
}

TEST(ServerDialect, FunctionsWhoseNamesDiffer)
{
    EXPECT_EQ(onServer("SELECT IFNULL(SUM(esoda), 0), instr(?1, ',' || x || ',') FROM t"),
              "SELECT coalesce(SUM(esoda), 0), strpos($1, ',' || x || ',') FROM t");
    // Scalar max of several values is greatest(); the aggregate keeps its name.
    EXPECT_EQ(onServer("SELECT max(total(a), total(b)), max(c) FROM t"),
              "SELECT greatest(coalesce(sum((a)::float8), 0), coalesce(sum((b)::float8), 0)), max(c) FROM t");
    EXPECT_EQ(onServer("SELECT 1 FROM t WHERE k = ?1 AND +hmeromhnia <= ?2"),
              "SELECT 1 FROM t WHERE k = $1 AND hmeromhnia <= $2");
    EXPECT_EQ(onServer("SELECT a + b FROM t"), "SELECT a + b FROM t");
}

TEST(ServerDialect, InsertOrIgnoreAndCounters)
{
    EXPECT_EQ(onServer("INSERT OR IGNORE INTO k (d) VALUES (?1);"), "INSERT INTO k (d) VALUES ($1) ON CONFLICT DO NOTHING");
    EXPECT_TRUE(refused("INSERT OR REPLACE INTO k (d) VALUES (?1)"));
    EXPECT_EQ(onServer("PRAGMA user_version"),
              "SELECT coalesce((SELECT value FROM kelvora_counters WHERE name = 'user_version'), 0)");
    EXPECT_NE(onServer("PRAGMA application_id = 42;").find("VALUES ('application_id', 42)"), std::string::npos);
    EXPECT_TRUE(refused("PRAGMA journal_mode = WAL"));
}

TEST(ServerDialect, TableTypesAndTheHiddenRowNumber)
{
    const QString script = translateScript(QStringLiteral(
        "CREATE TABLE k (id INTEGER PRIMARY KEY AUTOINCREMENT, amount INTEGER DEFAULT 0, name TEXT);"
        "CREATE TABLE codes (uname TEXT, rights INTEGER DEFAULT 0);"
        "ALTER TABLE tameio ADD COLUMN arxiko INTEGER DEFAULT 0;"));
    EXPECT_EQ(script.toStdString(),
              "CREATE TABLE k (id bigserial PRIMARY KEY, amount bigint DEFAULT 0, name TEXT);\n"
              "CREATE TABLE codes (uname TEXT, rights bigint DEFAULT 0, rowid bigserial);\n"
              "ALTER TABLE tameio ADD COLUMN arxiko bigint DEFAULT 0");
    EXPECT_EQ(onServer("SELECT CAST(a AS INTEGER) FROM t"), "SELECT CAST(a AS bigint) FROM t");
}

TEST(ServerDialect, AttachedAliasesNameTheirSchema)
{
    const QHash<QString, QString> aliases{{QStringLiteral("xrhstes"), QStringLiteral("users")}};
    EXPECT_EQ(translate(QStringLiteral("SELECT count(*) FROM xrhstes.codes, t WHERE t.xrhstes = 1"), aliases)
                  .text.toStdString(),
              "SELECT count(*) FROM users.codes, t WHERE t.xrhstes = 1");
}

TEST(ServerDialect, RefusingTriggerBecomesAFunctionAndARowTrigger)
{
    const QString script = translateScript(QStringLiteral(
        "CREATE TRIGGER refuse_later BEFORE UPDATE OF ypoloipo ON tameio WHEN NEW.hmeromhnia > '2026-03-10' "
        "BEGIN SELECT RAISE(ABORT, 'later days refused'); END;"
        "CREATE TABLE t (a INTEGER);"));
    EXPECT_EQ(script.toStdString(),
              "CREATE FUNCTION refuse_later_trigger() RETURNS trigger LANGUAGE plpgsql AS $t$ BEGIN "
              "IF NEW.hmeromhnia > '2026-03-10' THEN RAISE EXCEPTION '%', 'later days refused'; END IF; RETURN NEW; "
              "END $t$;\n"
              "CREATE TRIGGER refuse_later BEFORE UPDATE OF ypoloipo ON tameio FOR EACH ROW EXECUTE FUNCTION "
              "refuse_later_trigger();\n"
              "CREATE TABLE t (a bigint, rowid bigserial)");
    EXPECT_TRUE(refused("CREATE TRIGGER x AFTER INSERT ON t BEGIN SELECT 1 END"));
}

TEST(ServerDialect, TriggerThatKeepsATableCarriesEachStatementOfItsBody)
{
    EXPECT_EQ(onServer("CREATE TRIGGER keep AFTER DELETE ON t WHEN OLD.a IS NOT NULL BEGIN "
                       "INSERT INTO s (a) SELECT OLD.a WHERE NOT EXISTS (SELECT 1 FROM s WHERE a = OLD.a); "
                       "UPDATE s SET n = n - IFNULL(OLD.b, 0), m = max(m, 1) WHERE a = OLD.a; END;"),
              "CREATE FUNCTION keep_trigger() RETURNS trigger LANGUAGE plpgsql AS $t$ BEGIN IF OLD.a IS NOT NULL THEN "
              "INSERT INTO s (a) SELECT OLD.a WHERE NOT EXISTS (SELECT 1 FROM s WHERE a = OLD.a);"
              "UPDATE s SET n = n - coalesce(OLD.b, 0), m = greatest(m, 1) WHERE a = OLD.a; END IF; RETURN OLD; "
              "END $t$;\n"
              "CREATE TRIGGER keep AFTER DELETE ON t FOR EACH ROW EXECUTE FUNCTION keep_trigger()");
}

TEST(ServerDialect, DroppingATriggerDropsItsFunction)
{
    EXPECT_EQ(onServer("DROP TRIGGER refuse;"), "DROP FUNCTION refuse_trigger() CASCADE");
    EXPECT_EQ(onServer("DROP TRIGGER IF EXISTS refuse"), "DROP FUNCTION IF EXISTS refuse_trigger() CASCADE");
}
