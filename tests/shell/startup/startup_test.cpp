#include "data/AppGlobals.h"
#include "data/PathFile.h"
#include "shell/startup/Startup.h"
#include "support/ScriptedMessages.h"
#include "tools/NewInstallation.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The program folder given, and an empty configuration folder of the test's
// own, so that no test reads the configuration of the user running it.
struct Places
{
    explicit Places(const QString &programDir) : places{programDir, configDir.path()} {}
    QTemporaryDir configDir;
    pathfile::Places places;
};

QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(Startup, MissingOrNumericFolderIsReplacedByTheProgramFolder)
{
    for (const QByteArray &content : {QByteArray(), QByteArray("123\n"), QByteArray("  \n")}) {
        QTemporaryDir programDir;
        if (!content.isNull())
            writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")), content);
        ScriptedMessages boxes;
        const Places at(programDir.path());
        EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::End);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή"));
        EXPECT_EQ(boxes.last().icon, msg::Icon::Information);
        EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral("\n H διαδρομή φυλάσετε μέσα στο αρχείο diadromh.dat")));
        // The next start finds the program folder in the file.
        QFile f(programDir.filePath(QStringLiteral("DIADROMH.DAT")));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(f.readAll()).trimmed(), programDir.path());
    }
}

TEST(Startup, FolderWithoutTheMainDatabaseEnds)
{
    QTemporaryDir programDir, dataDir;
    writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")), dataDir.path().toUtf8() + "\n");
    ScriptedMessages boxes;
    EXPECT_EQ(startup::findDataFolder(Places(programDir.path()).places), startup::Outcome::NoDatabase);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή στη διαδρομή"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Τα αρχεία του προγράμματος δεν βρέθηκαν. Ορίστε τη διαδρομή ξανά."));
    EXPECT_EQ(boxes.last().icon, msg::Icon::Critical);
}

TEST(Startup, ReadsFolderColourAndCaption)
{
    QTemporaryDir programDir, dataDir;
    newinstall::createDatabases(dataDir.path(), globals().DbPassword);
    writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")),
              "\"" + dataDir.path().toUtf8() + "/\",500,\"Υποκατάστημα Β\"\n");
    ScriptedMessages boxes;
    const Places at(programDir.path());
    EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::ShowLogin);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(globals().DataPath, dataDir.path()); // trailing separator removed
    EXPECT_EQ(globals().ThemeColour, 500);
    EXPECT_EQ(globals().HeaderCaption, QStringLiteral("Υποκατάστημα Β"));

    writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")), dataDir.path().toUtf8());
    EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::ShowLogin);
    EXPECT_EQ(globals().ThemeColour, 0x8000000F);
    EXPECT_EQ(globals().HeaderCaption, QStringLiteral("Κεντρικό"));
}

// Each place alone, both, and an unusable file beside the program with a good
// one in the configuration folder.
TEST(Startup, FileIsFoundBesideTheProgramFirstThenInTheConfigurationFolder)
{
    QTemporaryDir besideData, configData;
    for (const QString &d : {besideData.path(), configData.path()})
        newinstall::createDatabases(d, globals().DbPassword);
    struct Case
    {
        const char *name;
        QByteArray beside, config; // null: no file there
        QString expected;
    };
    const QByteArray b = besideData.path().toUtf8() + "\n", c = configData.path().toUtf8() + "\n";
    const Case cases[] = {
        {"beside only", b, QByteArray(), besideData.path()},
        {"config only", QByteArray(), c, configData.path()},
        {"both", b, c, besideData.path()},
        {"numeric beside", QByteArray("12\n"), c, configData.path()},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        QTemporaryDir programDir;
        const Places at(programDir.path());
        if (!k.beside.isNull())
            writeFile(pathfile::pathIn(programDir.path()), k.beside);
        if (!k.config.isNull())
            writeFile(pathfile::pathIn(at.configDir.path()), k.config);
        ScriptedMessages boxes;
        EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::ShowLogin);
        EXPECT_EQ(boxes.count(), 0);
        EXPECT_EQ(globals().DataPath, k.expected);
    }
}

// An installed program lives where it cannot write (/proc stands in for a
// read-only /usr/bin, since tests may run as root). The file goes to the
// configuration folder, and the next start does not ask again.
TEST(Startup, ReadOnlyProgramFolderWritesTheFileInTheConfigurationFolder)
{
    QTemporaryDir config;
    const pathfile::Places places{QStringLiteral("/proc"), config.filePath(QStringLiteral("Kelvora"))};
    ScriptedMessages boxes;
    EXPECT_EQ(startup::findDataFolder(places), startup::Outcome::End);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().icon, msg::Icon::Information);
    EXPECT_EQ(readText(pathfile::pathIn(places.configDir)).trimmed(), QStringLiteral("/proc"));

    boxes.clear();
    EXPECT_EQ(startup::findDataFolder(places), startup::Outcome::NoDatabase);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή στη διαδρομή"));
}

TEST(Startup, FailedWriteIsReportedWithEveryPlaceTried)
{
    const pathfile::Places places{QStringLiteral("/proc"), QStringLiteral("/proc/kelvora-none/Kelvora")};
    ScriptedMessages boxes;
    EXPECT_EQ(startup::findDataFolder(places), startup::Outcome::End);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().icon, msg::Icon::Critical);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("δεν μπόρεσε να γραφτεί"))) << qPrintable(boxes.last().text);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("/proc/DIADROMH.DAT")));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("/proc/kelvora-none/Kelvora/DIADROMH.DAT")));
    EXPECT_FALSE(boxes.last().text.contains(QStringLiteral("φυλάσετε")));
}

// Files written by the old program are in the Greek single-byte code page.
TEST(Startup, CaptionIsReadInTheGreekCodePageOrUtf8)
{
    QTemporaryDir programDir, dataDir;
    newinstall::createDatabases(dataDir.path(), globals().DbPassword);
    const QString caption = QStringLiteral("Υποκατάστημα Άργους");
    const QByteArray cp1253 = "\xD5\xF0\xEF\xEA\xE1\xF4\xDC\xF3\xF4\xE7\xEC\xE1 \xA2\xF1\xE3\xEF\xF5\xF2";
    for (const QByteArray &encoded : {cp1253, caption.toUtf8()}) {
        writeFile(pathfile::pathIn(programDir.path()), dataDir.path().toUtf8() + ",500,\"" + encoded + "\"\r\n");
        ScriptedMessages boxes;
        EXPECT_EQ(startup::findDataFolder(Places(programDir.path()).places), startup::Outcome::ShowLogin);
        EXPECT_EQ(globals().HeaderCaption, caption);
    }
}
