#include "platform/db/Database.h"
#include "platform/security/PasswordHash.h"

#include <QApplication>
#include <gtest/gtest.h>

// One QApplication for every test executable, so window tests and
// font-dependent layout tests run the same way headless.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Key derivation at full cost takes tens of milliseconds per open; the
    // tests that need the real cost set it back themselves.
    // Password hashes likewise: the count is kept in each hash, so a low one is
    // checked the same way.
    if (!qEnvironmentVariableIsEmpty("KELVORA_TEST_FAST_KDF")) {
        db::Database::setKdfIterations(64);
        passwordhash::setIterations(64);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
