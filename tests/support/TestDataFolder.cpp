#include "TestDataFolder.h"

#include "PgTestServer.h"
#include "data/AppGlobals.h"
#include "data/Schema.h"
#include "data/YearTotals.h"
#include "platform/regional/TextPad.h"
#include "tools/NewInstallation.h"

#include <QFile>
#include <gtest/gtest.h>

TestDataFolder::TestDataFolder(Schema schema)
{
    m_location = PgTestServer::serverEngineRequested() ? PgTestServer::instance().createDatabase() : m_dir.path();
    newinstall::createDatabases(m_location, globals().DbPassword);
    m_store = std::make_unique<Store>(m_location, globals().DbPassword);
    if (schema == Schema::Current) {
        main().execute(QStringLiteral("INSERT INTO taytothta (ariumos) VALUES (?1)"), schema::CurrentVersion);
        main().executeScript(QStringLiteral("ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0;"));
        schema::createChangeLogTable(main());
        schema::addOpeningColumn(main());
        schema::createSearchTables(main());
        yeartotals::create(main());
        // What every start makes when missing: a current book has them.
        schema::createReadIndexes(main());
        newinstall::addUser(users(), {QStringLiteral("admin"), QStringLiteral("admin")});
    }
}

int TestDataFolder::addGroup(const QString &name)
{
    main().execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES (?1)"), name);
    return int(main().lastInsertId());
}

void TestDataFolder::addCode(int code, const QString &description, bool income, int group, bool active)
{
    const QString groupName = group == 0
        ? QStringLiteral(" ")
        : main().scalar(QStringLiteral("SELECT perigrafh FROM omades WHERE aa = ?1"), group).toString();
    main().execute(QStringLiteral("INSERT INTO kvdikoi (kvdikos, perigrafh, omada, aa_omadas, lista, esodo, energos) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"),
                   code, description, groupName, group,
                   regional::PadLeft(QString::number(code), 5) + QLatin1Char(' ') + description, income, active);
}

void TestDataFolder::addUser(const QString &name, const QString &password, bool changeRecords, bool closeCash,
                             bool groupsCodes)
{
    newinstall::addUser(users(), {name, password, changeRecords, closeCash, groupsCodes});
}

void TestDataFolder::closeDay(const QDate &day)
{
    users().execute(QStringLiteral("INSERT INTO KlhsimoTameioy (Hmeraklhsimatos) VALUES (?1)"), day);
}

void TestDataFolder::damageMiddle(const QString &file)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_GT(f.size(), 8 * 4096) << "too small to damage only its middle";
    const qint64 at = (f.size() / 2 / 4096) * 4096 + 700;
    f.seek(at);
    char byte = 0;
    ASSERT_TRUE(f.getChar(&byte));
    f.seek(at);
    ASSERT_TRUE(f.putChar(char(byte ^ 0x5A)));
}

void TestDataFolder::makeUsersFileFromBefore()
{
    users().executeScript(QStringLiteral("PRAGMA application_id = 0;"));
}
