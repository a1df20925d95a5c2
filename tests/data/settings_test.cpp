#include "platform/desktop/Settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Settings, SectionAndKeyNamesIgnoreCase)
{
    QTemporaryDir dir;
    settings::useFile(dir.filePath(QStringLiteral("kelvora.ini")));
    settings::write(QStringLiteral("AnalyshFRM"), QStringLiteral("Omada1"), QStringLiteral("Ταμείο"));
    EXPECT_EQ(settings::read(QStringLiteral("AnaLyshFRM"), QStringLiteral("omada1")), QStringLiteral("Ταμείο"));
    EXPECT_EQ(settings::read(QStringLiteral("AnalyshFRM"), QStringLiteral("Omada2"), QStringLiteral("Ομαδα 2")),
              QStringLiteral("Ομαδα 2"));
    settings::write(QStringLiteral("Listes"), QStringLiteral("List1(0)"), QStringLiteral("1;2"));
    settings::useFile(dir.filePath(QStringLiteral("kelvora.ini"))); // read back from the file
    EXPECT_EQ(settings::read(QStringLiteral("LISTES"), QStringLiteral("list1(0)")), QStringLiteral("1;2"));
}
