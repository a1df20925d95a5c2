#include "TestDataFolder.h"

#include "data/AppGlobals.h"
#include "data/Schema.h"
#include "platform/regional/TextPad.h"
#include "tools/NewInstallation.h"

#include <gtest/gtest.h>

TestDataFolder::TestDataFolder(Schema schema)
{
    newinstall::createDatabases(m_dir.path(), globals().DbPassword);
    m_store = std::make_unique<Store>(m_dir.path(), globals().DbPassword);
    if (schema == Schema::Current) {
        main().executeScript(QStringLiteral("INSERT INTO taytothta (ariumos) VALUES (4);"
                                            "ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0;"));
        schema::createChangeLogTable(main());
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
