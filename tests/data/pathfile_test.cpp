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
    QTemporaryDir dir, config;
    const Places places{dir.path(), config.path()};
    EXPECT_TRUE(dataPathMissing(read(places)));
    const WriteResult written = writeFolder(places, QStringLiteral("/srv/Ταμείο"));
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(written.path, dir.filePath(QStringLiteral("DIADROMH.DAT")));
    QFile f(written.path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QStringLiteral("/srv/Ταμείο\n").toUtf8()); // written as UTF-8
    EXPECT_EQ(read(places).dataPath, QStringLiteral("/srv/Ταμείο"));
    EXPECT_FALSE(QFile::exists(config.filePath(QStringLiteral("DIADROMH.DAT"))));
}
