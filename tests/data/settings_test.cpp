#include "platform/desktop/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Settings, SectionAndKeyNamesIgnoreCase)
{
    QTemporaryDir dir;
    settings::useFile(dir.filePath(QStringLiteral("kelvora.ini")));
    EXPECT_TRUE(settings::write(QStringLiteral("AnalyshFRM"), QStringLiteral("Omada1"), QStringLiteral("Ταμείο")));
    EXPECT_EQ(settings::read(QStringLiteral("AnaLyshFRM"), QStringLiteral("omada1")), QStringLiteral("Ταμείο"));
    EXPECT_EQ(settings::read(QStringLiteral("AnalyshFRM"), QStringLiteral("Omada2"), QStringLiteral("Ομαδα 2")),
              QStringLiteral("Ομαδα 2"));
    EXPECT_TRUE(settings::write(QStringLiteral("Listes"), QStringLiteral("List1(0)"), QStringLiteral("1;2")));
    settings::useFile(dir.filePath(QStringLiteral("kelvora.ini"))); // read back from the file
    EXPECT_EQ(settings::read(QStringLiteral("LISTES"), QStringLiteral("list1(0)")), QStringLiteral("1;2"));
}

// A settings file that cannot be written (here its folder is a plain file, which
// no permission of root gets around) says so instead of seeming kept.
TEST(Settings, AFailedWriteIsReported)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    settings::useFile(dir.filePath(QStringLiteral("not-a-folder/kelvora.ini")));
    EXPECT_FALSE(settings::write(QStringLiteral("Listes"), QStringLiteral("List1(0)"), QStringLiteral("1;2")));
    EXPECT_FALSE(settings::remove(QStringLiteral("Listes"), QStringLiteral("List1(0)")));
    settings::useFile(dir.filePath(QStringLiteral("kelvora.ini")));
    EXPECT_TRUE(settings::remove(QStringLiteral("Listes"), QStringLiteral("List1(0)")));
}
