#include "data/AppGlobals.h"
#include "data/PathFile.h"
#include "shell/startup/Startup.h"
#include "support/ScriptedMessages.h"
#include "tools/NewInstallation.h"

#include <QCoreApplication>
#include <QDir>
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

TEST(Startup, EmptyOrNumericFolderIsReplacedByTheProgramFolder)
{
    for (const QByteArray &content : {QByteArray("123\n"), QByteArray("  \n")}) {
        QTemporaryDir programDir;
        writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")), content);
        ScriptedMessages boxes;
        boxes.answerNext(msg::Answer::Ok);
        boxes.answerNext(msg::Answer::No); // the program folder holds no book: not tried again
        const Places at(programDir.path());
        EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::End);
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.shown().first().title, QStringLiteral("Προσοχή"));
        EXPECT_EQ(boxes.shown().first().icon, msg::Icon::Information);
        EXPECT_TRUE(boxes.shown().first().text.endsWith(
            QStringLiteral("\n H διαδρομή φυλάσετε μέσα στο αρχείο diadromh.dat")));
        // The next start finds the program folder in the file.
        QFile f(programDir.filePath(QStringLiteral("DIADROMH.DAT")));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(f.readAll()).trimmed(), programDir.path());
    }
}

// No DIADROMH.DAT anywhere is a first start: nothing is shown and nothing is
// written; the caller offers a new data folder. A book beside a program in a
// folder of its own is the old way of keeping it, taken in the same start.
TEST(Startup, NoPathFileIsAFirstStartUnlessABookIsBesideTheProgram)
{
    QTemporaryDir programDir;
    const Places at(programDir.path());
    {
        ScriptedMessages boxes;
        EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::FirstStart);
        EXPECT_EQ(boxes.count(), 0);
        EXPECT_FALSE(QFile::exists(pathfile::pathIn(programDir.path())));
        EXPECT_FALSE(QFile::exists(pathfile::pathIn(at.configDir.path())));
    }
    newinstall::createDatabases(programDir.path(), globals().DbPassword);
    ScriptedMessages boxes;
    EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::ShowLogin);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().icon, msg::Icon::Information);
    EXPECT_EQ(globals().DataPath, programDir.path());
    EXPECT_EQ(readText(pathfile::pathIn(programDir.path())).trimmed(), programDir.path());
}

// A path file that is there but cannot be read is not a first start.
TEST(Startup, AnUnreadablePathFileIsNeverAFirstStart)
{
    QTemporaryDir programDir;
    ASSERT_TRUE(QDir().mkdir(pathfile::pathIn(programDir.path()))); // cannot be opened as a file
    ScriptedMessages boxes;
    EXPECT_EQ(startup::findDataFolder(Places(programDir.path()).places), startup::Outcome::End);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("δεν διαβάζεται")));
}

// The folder named is a share not mounted yet, or holds no book: never the
// offer of a new book (it would split the business's book), but the reason
// and the chance to try again, which finds the book once it is there.
TEST(Startup, FolderWithoutTheMainDatabaseIsTriedAgainNeverReplaced)
{
    QTemporaryDir programDir, base;
    const QString share = base.filePath(QStringLiteral("share"));
    writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")), share.toUtf8() + "\n");
    const Places at(programDir.path());
    {
        ScriptedMessages boxes;
        boxes.answerNext(msg::Answer::No);
        EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::End);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή στη διαδρομή"));
        EXPECT_TRUE(boxes.last().text.startsWith(
            QStringLiteral("Τα αρχεία του προγράμματος δεν βρέθηκαν. Ορίστε τη διαδρομή ξανά.\n")));
        EXPECT_TRUE(boxes.last().text.contains(share + QStringLiteral(", που ορίζει το αρχείο ")
                                               + pathfile::pathIn(programDir.path())));
        EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("δεν είναι προσβάσιμος")));
        EXPECT_EQ(boxes.last().icon, msg::Icon::Critical);
        EXPECT_EQ(boxes.last().buttons, msg::Buttons::YesNo);
    }
    ASSERT_TRUE(QDir().mkpath(share));
    {
        ScriptedMessages boxes;
        boxes.answerNext(msg::Answer::No);
        EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::End);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("δεν περιέχει βάση")));
    }
    // "Yes": meanwhile the share came up with the book on it.
    ScriptedMessages boxes;
    QDir(share).removeRecursively();
    boxes.answerNext(msg::Answer::Yes);
    boxes.whileNextShown([&] { newinstall::createDatabases(share, globals().DbPassword); });
    EXPECT_EQ(startup::findDataFolder(at.places), startup::Outcome::ShowLogin);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(globals().DataPath, share);
    EXPECT_FALSE(QFile::exists(pathfile::pathIn(at.configDir.path())));
}

// "data" in DIADROMH.DAT is beside that file, wherever the program started.
TEST(Startup, RelativeFolderIsTakenFromTheFolderOfThePathFile)
{
    QTemporaryDir programDir, elsewhere;
    const QString data = programDir.filePath(QStringLiteral("data"));
    newinstall::createDatabases(data, globals().DbPassword);
    writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")), "data\n");
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    ScriptedMessages boxes;
    const startup::Outcome outcome = startup::findDataFolder(Places(programDir.path()).places);
    QDir::setCurrent(started);
    EXPECT_EQ(outcome, startup::Outcome::ShowLogin);
    EXPECT_EQ(globals().DataPath, data);

    // In the configuration folder: taken from there.
    QTemporaryDir other;
    Places inConfig(other.path());
    const QString configData = inConfig.configDir.filePath(QStringLiteral("book"));
    newinstall::createDatabases(configData, globals().DbPassword);
    writeFile(pathfile::pathIn(inConfig.configDir.path()), "./book/\n");
    EXPECT_EQ(startup::findDataFolder(inConfig.places), startup::Outcome::ShowLogin);
    EXPECT_EQ(globals().DataPath, configData);
}

// An installed program never writes beside itself, even run as root (as these
// tests may be): the file goes to the configuration folder.
TEST(Startup, ASystemFolderIsNeverWrittenBesideTheProgram)
{
    EXPECT_TRUE(pathfile::isSystemFolder(QStringLiteral("/usr/bin")));
    EXPECT_TRUE(pathfile::isSystemFolder(QStringLiteral("/opt/kelvora/bin")));
    EXPECT_FALSE(pathfile::isSystemFolder(QDir::homePath() + QStringLiteral("/kelvora")));
    EXPECT_FALSE(pathfile::isSystemFolder(QStringLiteral("/usrlocal")));

    const QString programDir = QStringLiteral("/opt/kelvora-test-%1").arg(QCoreApplication::applicationPid());
    QTemporaryDir config;
    const pathfile::WriteResult written =
        pathfile::writeFolder({programDir, config.path()}, QStringLiteral("/srv/kelvora"));
    const bool besideExists = QFile::exists(pathfile::pathIn(programDir));
    QDir(programDir).removeRecursively(); // in case it was written
    EXPECT_TRUE(written.ok);
    EXPECT_EQ(written.path, pathfile::pathIn(config.path()));
    EXPECT_FALSE(besideExists);

    // An empty file beside it names no folder; the program folder is not taken.
    ScriptedMessages boxes;
    const pathfile::Places places{QStringLiteral("/usr/bin"), config.path()};
    writeFile(pathfile::pathIn(config.path()), "\n");
    EXPECT_EQ(startup::findDataFolder(places), startup::Outcome::End);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("δεν ορίζει φάκελο δεδομένων")));
    EXPECT_EQ(readText(pathfile::pathIn(config.path())), QStringLiteral("\n"));
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

// A program folder that cannot be written (/proc stands in for it, since
// tests may run as root): an empty file there names no folder, and the file
// naming the program folder goes to the configuration folder.
TEST(Startup, ReadOnlyProgramFolderWritesTheFileInTheConfigurationFolder)
{
    QTemporaryDir config;
    const pathfile::Places places{QStringLiteral("/proc"), config.filePath(QStringLiteral("Kelvora"))};
    QDir().mkpath(places.configDir);
    writeFile(pathfile::pathIn(places.configDir), "0\n");
    ScriptedMessages boxes;
    boxes.answerNext(msg::Answer::Ok);
    boxes.answerNext(msg::Answer::No);
    EXPECT_EQ(startup::findDataFolder(places), startup::Outcome::End);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.shown().first().icon, msg::Icon::Information);
    EXPECT_EQ(readText(pathfile::pathIn(places.configDir)).trimmed(), QStringLiteral("/proc"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή στη διαδρομή"));
}

TEST(Startup, FailedWriteNamesEveryPlaceTried)
{
    const pathfile::Places places{QStringLiteral("/proc"), QStringLiteral("/proc/kelvora-none/Kelvora")};
    const pathfile::WriteResult written = pathfile::writeFolder(places, QStringLiteral("/srv/kelvora"));
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.path.contains(QStringLiteral("/proc/DIADROMH.DAT")));
    EXPECT_TRUE(written.path.contains(QStringLiteral("/proc/kelvora-none/Kelvora/DIADROMH.DAT")));
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
