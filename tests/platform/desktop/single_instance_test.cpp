#include "platform/desktop/FrontRequests.h"
#include "platform/desktop/SingleInstance.h"
#include "platform/desktop/widgets/WindowPlacement.h"

#include <QSignalSpy>
#include <QTest>
#include <QMainWindow>
#include <QWidget>

#include <QUuid>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(SingleInstance, ASecondCopyIsToldAndTheLockEndsWithTheFirst)
{
    const QString name = QStringLiteral("kelvora-test-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        const SingleInstance first(name);
        ASSERT_TRUE(first.isFirst());
        // Another process started meanwhile sees the running copy.
        const pid_t child = fork();
        if (child == 0)
            _exit(SingleInstance(name).isFirst() ? 1 : 0);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_TRUE(SingleInstance(name).isFirst());
}

// A second launch calls the running copy, which brings its window to the front.
TEST(SingleInstance, ASecondLaunchBringsTheRunningWindowToTheFront)
{
    const QString name = QStringLiteral("kelvora-test-") + QUuid::createUuid().toString(QUuid::Id128);
    EXPECT_FALSE(FrontRequests::askRunningCopy(name, 200)); // nobody listens yet

    FrontRequests running(name);
    ASSERT_TRUE(running.listening());
    QMainWindow mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("κύριο"));
    mainWindow.show();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QObject::connect(&running, &FrontRequests::frontRequested, [&] {
        other.hide();
        ui::BringProgramToFront();
    });

    QSignalSpy asked(&running, &FrontRequests::frontRequested);
    // The later copy is another process; the call itself needs no event loop there.
    const pid_t child = fork();
    if (child == 0)
        _exit(FrontRequests::askRunningCopy(name) ? 0 : 1);
    ASSERT_TRUE(asked.wait(5000));
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
}
