#include "platform/desktop/SingleInstance.h"

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
