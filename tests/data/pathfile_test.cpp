#include "data/PathFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pathfile;

TEST(PathFile, ReadsFreeFormatItems)
{
    struct Case { const char *text; const char16_t *path; std::optional<qint64> colour; std::optional<QString> caption; bool missing; };
    const Case cases[] = {
        {"/srv/kelvora\n", u"/srv/kelvora", {}, {}, false},
        {"  /srv/kelvora  ", u"/srv/kelvora", {}, {}, false},
        {"\"/srv/my data\",12632256,\"Ταμείο, Κεντρικό\"\r\n", u"/srv/my data", 12632256, QStringLiteral("Ταμείο, Κεντρικό"), false},
        {"/srv/k\n500\nΥποκατάστημα\n", u"/srv/k", 500, QStringLiteral("Υποκατάστημα"), false},
        {"123\n", u"123", {}, {}, true},
        {"\n", u"", {}, {}, true},
        {"", u"", {}, {}, true},
    };
    for (const auto &c : cases) {
        const Contents got = parse(QString::fromUtf8(c.text));
        EXPECT_EQ(got.dataPath, QString::fromUtf16(c.path)) << c.text;
        EXPECT_EQ(got.colour, c.colour) << c.text;
        EXPECT_EQ(got.caption, c.caption) << c.text;
        EXPECT_EQ(dataPathMissing(got), c.missing) << c.text;
    }
}

TEST(PathFile, MissingFileReadsEmptyAndWritingGivesOneLine)
{
    QTemporaryDir dir;
    EXPECT_TRUE(dataPathMissing(read(dir.path())));
    ASSERT_TRUE(writeFolder(dir.path(), dir.path()));
    QFile f(dir.filePath(QStringLiteral("DIADROMH.DAT")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), dir.path().toUtf8() + '\n');
    EXPECT_EQ(read(dir.path()).dataPath, dir.path());
}
