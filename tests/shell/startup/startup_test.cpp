#include "data/AppGlobals.h"
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

} // namespace

TEST(Startup, MissingOrNumericFolderIsReplacedByTheProgramFolder)
{
    for (const QByteArray &content : {QByteArray(), QByteArray("123\n"), QByteArray("  \n")}) {
        QTemporaryDir programDir;
        if (!content.isNull())
            writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")), content);
        ScriptedMessages boxes;
        EXPECT_EQ(startup::findDataFolder(programDir.path()), startup::Outcome::End);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή"));
        EXPECT_EQ(boxes.last().icon, msg::Icon::Information);
        EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral("\r H διαδρομή φυλάσετε μέσα στο αρχείο diadromh.dat")));
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
    EXPECT_EQ(startup::findDataFolder(programDir.path()), startup::Outcome::End);
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
    EXPECT_EQ(startup::findDataFolder(programDir.path()), startup::Outcome::ShowLogin);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(globals().DataPath, dataDir.path()); // trailing separator removed
    EXPECT_EQ(globals().ThemeColour, 500);
    EXPECT_EQ(globals().HeaderCaption, QStringLiteral("Υποκατάστημα Β"));

    writeFile(programDir.filePath(QStringLiteral("DIADROMH.DAT")), dataDir.path().toUtf8());
    EXPECT_EQ(startup::findDataFolder(programDir.path()), startup::Outcome::ShowLogin);
    EXPECT_EQ(globals().ThemeColour, 0x8000000F);
    EXPECT_EQ(globals().HeaderCaption, QStringLiteral("Κεντρικό"));
}
