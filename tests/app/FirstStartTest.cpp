#include "app/Program.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/PathFile.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/kentrikh.h"
#include "shell/startup/NewDataFolderDialog.h"
#include "shell/startup/OpeningBalanceDialog.h"
#include "support/ModalSteps.h"
#include "support/ScriptedMessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Types into the focused field and presses Enter, as a clerk does.
void typeAndEnter(const QString &text)
{
    QWidget *field = QApplication::focusWidget();
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

} // namespace

// A first start from an empty home folder goes in one launch from the
// new-folder dialog to the log-in: no message that the path file was written,
// no red "files not found" box, and Enter moving from field to field.
TEST(FirstStart, OneLaunchFromAnEmptyHomeToTheLogIn)
{
    QTemporaryDir home, programDir;
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    globals() = AppGlobals{};
    ScriptedMessages boxes;

    Program program(programDir.path());
    bool dialogShown = false;
    ModalSteps driver([&](QWidget *modal) {
        auto *dialog = qobject_cast<NewDataFolderDialog *>(modal);
        ASSERT_NE(dialog, nullptr) << "not the new-folder dialog";
        dialogShown = true;
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        // The folder is offered in the home folder; the clerk starts at the name.
        EXPECT_EQ(dialog->findChild<QLineEdit *>(QStringLiteral("folder"))->text(),
                  QDir(home.path()).filePath(QStringLiteral("Kelvora")));
        // Key by key, in Latin letters (the test's key events have no Greek layout).
        typeAndEnter(QStringLiteral("maria"));
        typeAndEnter(QStringLiteral("kleidi"));
        typeAndEnter(QStringLiteral("kleidi"));
        typeAndEnter(QStringLiteral("Tameio-2026"));
        EXPECT_TRUE(dialog->isVisible());
        typeAndEnter(QStringLiteral("Tameio-2026"));
        ASSERT_EQ(QApplication::focusWidget(), dialog->findChild<QPushButton *>(QStringLiteral("create")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    const bool started = program.start();
    qputenv("HOME", savedHome);
    qputenv("XDG_CONFIG_HOME", savedConfig);

    ASSERT_TRUE(started);
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(boxes.count(), 0) << qPrintable(boxes.texts().join(u'|'));
    const QString data = QDir(home.path()).filePath(QStringLiteral("Kelvora"));
    EXPECT_EQ(globals().DataPath, data);
    EXPECT_TRUE(QFile::exists(datafolder::mainDatabase(data)));
    // The path file beside this program (a folder of its own, writable), and
    // nowhere else: the next start finds the book.
    EXPECT_TRUE(QFile::exists(pathfile::pathIn(programDir.path())));
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral(".config/Kelvora/DIADROMH.DAT"))));

    Login *login = program.login();
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(login));
    login->findChild<QLineEdit *>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("MARIA"));
    login->findChild<QLineEdit *>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("kleidi"));
    boxes.answerNext(msg::Answer::Yes); // the opening balance's confirmation
    ModalSteps opening([&](QWidget *modal) {
        auto *dialog = qobject_cast<FR_ErvthshUpdate *>(modal);
        ASSERT_NE(dialog, nullptr) << "not the opening-balance dialog";
        dialog->findChild<QLineEdit *>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("01-12-2026"));
        dialog->findChild<QLineEdit *>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("0"));
        dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    });
    login->findChild<QAbstractButton *>(QStringLiteral("Command1(0)"))->click();
    ASSERT_NE(program.mainWindow(), nullptr);
    EXPECT_TRUE(program.mainWindow()->isVisible());
    EXPECT_TRUE(program.mainWindow()->state().OwnsMarker);
    program.mainWindow()->close();
    QCoreApplication::processEvents();
}
