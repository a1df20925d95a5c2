#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/Store.h"
#include "shell/login/LoginSearch.h"
#include "shell/startup/NewDataFolderDialog.h"
#include "shell/startup/Startup.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Scene
{
    QTemporaryDir programDir, configDir, base;
    pathfile::Places places{programDir.path(), configDir.path()};
    QString folder = base.filePath(QStringLiteral("Ταμείο"));
};

void fill(NewDataFolderDialog &d, const QString &folder, const QString &user, const QString &pass,
          const QString &again)
{
    d.findChild<QLineEdit *>(QStringLiteral("folder"))->setText(folder);
    d.findChild<QLineEdit *>(QStringLiteral("user"))->setText(user);
    d.findChild<QLineEdit *>(QStringLiteral("password"))->setText(pass);
    d.findChild<QLineEdit *>(QStringLiteral("passwordAgain"))->setText(again);
}

} // namespace

// Everything that must be refused, and that nothing is created then.
TEST(NewDataFolder, RefusesWhatCannotMakeAGoodFolder)
{
    Scene s;
    QDir().mkpath(s.base.filePath(QStringLiteral("full")));
    QFile stray(s.base.filePath(QStringLiteral("full/notes.txt")));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    struct Case
    {
        const char *name;
        QString folder, user, pass, again, says;
    };
    const Case cases[] = {
        {"different passwords", s.folder, u"Μαρία"_qs, u"κλειδί"_qs, u"κλειδι"_qs, u"δεν είναι ίδιοι"_qs},
        {"existing folder", s.base.filePath(QStringLiteral("full")), u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"υπάρχει ήδη"_qs},
        {"no name", s.folder, u"  "_qs, u"a"_qs, u"a"_qs, u"όνομα"_qs},
        {"no password", s.folder, u"Μαρία"_qs, QString(), QString(), u"κωδικός"_qs},
        {"no folder", QString(), u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"φάκελος"_qs},
        {"relative folder", u"data"_qs, u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"διαδρομή"_qs},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        NewDataFolderDialog dialog(s.places);
        fill(dialog, k.folder, k.user, k.pass, k.again);
        ScriptedMessages boxes;
        EXPECT_FALSE(dialog.create());
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().text.contains(k.says)) << qPrintable(boxes.last().text);
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(QFile::exists(s.folder));
        EXPECT_FALSE(QFile::exists(pathfile::pathIn(s.programDir.path())));
    }
    EXPECT_TRUE(QFile::exists(s.base.filePath(QStringLiteral("full/notes.txt"))));
}

// The way of a first start: the files are missing, the new folder is made with
// its user, and the next start goes straight to the log-in, where that user
// logs in.
TEST(NewDataFolder, CreatesBothDatabasesTheUserAndThePathFile)
{
    Scene s;
    {
        ScriptedMessages boxes;
        EXPECT_EQ(startup::findDataFolder(s.places), startup::Outcome::End); // no DIADROMH.DAT yet
    }
    QFile::remove(pathfile::pathIn(s.programDir.path()));
    {
        ScriptedMessages boxes;
        NewDataFolderDialog dialog(s.places);
        fill(dialog, s.folder, u"Μαρία"_qs, u"κλειδί"_qs, u"κλειδί"_qs);
        EXPECT_TRUE(dialog.create());
        EXPECT_EQ(boxes.count(), 0) << qPrintable(boxes.texts().join(u'|'));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(globals().DataPath, s.folder);
    ScriptedMessages boxes;
    EXPECT_EQ(startup::findDataFolder(s.places), startup::Outcome::ShowLogin);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(globals().DataPath, s.folder);
    Store store(s.folder, globals().DbPassword);
    EXPECT_NO_THROW(store.checkTables());
    EXPECT_TRUE(login::findUser(store.users(), u"ΜΑΡΙΑ"_qs, u"κλειδί"_qs).has_value());
    EXPECT_FALSE(login::findUser(store.users(), u"Μαρία"_qs, u"άλλο"_qs).has_value());
    EXPECT_TRUE(QFile::exists(datafolder::marker(s.folder)));
}
