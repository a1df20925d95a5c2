#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/Store.h"
#include "data/AdministratorCode.h"
#include "shell/login/LoginGate.h"
#include "shell/login/LoginSearch.h"
#include "shell/startup/NewDataFolderDialog.h"
#include "shell/startup/Startup.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QFile>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Scene
{
    QTemporaryDir programDir, configDir, base;
    pathfile::Places places{programDir.path(), configDir.path()};
    QString folder = base.filePath(QStringLiteral("Ταμείο"));
};

const QString AdminCode = QStringLiteral("Ταμείο-2026");

void fill(NewDataFolderDialog &d, const QString &folder, const QString &user, const QString &pass,
          const QString &again, const QString &code = AdminCode, const QString &codeAgain = AdminCode)
{
    d.findChild<QLineEdit *>(QStringLiteral("folder"))->setText(folder);
    d.findChild<QLineEdit *>(QStringLiteral("user"))->setText(user);
    d.findChild<QLineEdit *>(QStringLiteral("password"))->setText(pass);
    d.findChild<QLineEdit *>(QStringLiteral("passwordAgain"))->setText(again);
    d.findChild<QLineEdit *>(QStringLiteral("adminCode"))->setText(code);
    d.findChild<QLineEdit *>(QStringLiteral("adminCodeAgain"))->setText(codeAgain);
}

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
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
        QString code = AdminCode, codeAgain = AdminCode;
    };
    const Case cases[] = {
        {"different passwords", s.folder, u"Μαρία"_qs, u"κλειδί"_qs, u"κλειδι"_qs, u"δεν είναι ίδιοι"_qs},
        {"existing folder", s.base.filePath(QStringLiteral("full")), u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"υπάρχει ήδη"_qs},
        {"no name", s.folder, u"  "_qs, u"a"_qs, u"a"_qs, u"όνομα"_qs},
        {"no password", s.folder, u"Μαρία"_qs, QString(), QString(), u"κωδικός"_qs},
        {"no folder", QString(), u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"φάκελος"_qs},
        {"relative folder", u"data"_qs, u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"διαδρομή"_qs},
        {"no administrator code", s.folder, u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"τουλάχιστον"_qs, QString(), QString()},
        {"administrator codes differ", s.folder, u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"δεν είναι ίδιοι"_qs,
         u"Ταμείο-2026"_qs, u"Ταμείο-2025"_qs},
        {"the fixed code", s.folder, u"Μαρία"_qs, u"a"_qs, u"a"_qs, u"κωδικός διαχειριστή"_qs, u"38627"_qs, u"38627"_qs},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        NewDataFolderDialog dialog(s.places);
        fill(dialog, k.folder, k.user, k.pass, k.again, k.code, k.codeAgain);
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
        EXPECT_EQ(startup::findDataFolder(s.places), startup::Outcome::FirstStart); // no DIADROMH.DAT yet
        EXPECT_EQ(boxes.count(), 0);
    }
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

    // The administrator entry of the new book: its own code, never the fixed one.
    LoginGate gate(store.users(), QStringLiteral("desk1"));
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), admincode::fixedCode()).result, LoginGate::Result::Wrong);
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), AdminCode).result, LoginGate::Result::Administrator);
    EXPECT_FALSE(admincode::acceptsFixedCode(store.users()));

    // Private to its owner: a new folder and what is in it.
    EXPECT_EQ(modeOf(s.folder), mode_t(0700));
    for (const QString &f : {datafolder::mainDatabase(s.folder), datafolder::usersDatabase(s.folder),
                             datafolder::marker(s.folder)})
        EXPECT_EQ(modeOf(f), mode_t(0600)) << qPrintable(f);
}

// A book made here never accepts the fixed administrator code, even when its
// own code is missing (made by an older tool, or the row removed); a users
// file from before keeps it until a code is set.
TEST(NewDataFolder, OnlyAUsersFileFromBeforeTakesTheFixedCode)
{
    TestDataFolder made; // made by the new-installation code, no code of its own
    EXPECT_FALSE(admincode::isSet(made.users()));
    EXPECT_FALSE(admincode::accepts(made.users(), admincode::fixedCode()));
    made.makeUsersFileFromBefore();
    EXPECT_TRUE(admincode::accepts(made.users(), admincode::fixedCode()));
    EXPECT_TRUE(admincode::acceptsFixedCode(made.users()));
}

// Enter moves from field to field, as everywhere in the program: it must not
// press "Δημιουργία" with half the fields empty.
TEST(NewDataFolder, EnterMovesToTheNextFieldAndPressesOnlyAFocusedButton)
{
    Scene s;
    ScriptedMessages boxes;
    NewDataFolderDialog dialog(s.places);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto *folder = dialog.findChild<QLineEdit *>(QStringLiteral("folder"));
    folder->setText(s.folder);
    folder->setFocus();
    const char *order[] = {"user", "password", "passwordAgain", "adminCode", "adminCodeAgain"};
    // Typed key by key (Latin letters: the test's key events have no Greek layout).
    const QString typed[] = {u"maria"_qs, u"kleidi"_qs, u"kleidi"_qs, u"Tameio-2026"_qs, u"Tameio-2026"_qs};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), dialog.findChild<QLineEdit *>(QString::fromLatin1(order[i])))
            << order[i];
        QTest::keyClicks(QApplication::focusWidget(), typed[i]);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(boxes.count(), 0);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), dialog.findChild<QPushButton *>(QStringLiteral("create")));
    EXPECT_FALSE(QFile::exists(s.folder));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(boxes.count(), 0) << qPrintable(boxes.texts().join(u'|'));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(datafolder::mainDatabase(s.folder)));
}
