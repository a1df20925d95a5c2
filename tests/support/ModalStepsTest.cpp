#include "ModalSteps.h"

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// The failures the dialog run produced, kept away from the running test.
void collectFailures(::testing::TestPartResultArray &results, const std::function<void()> &run)
{
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    run();
}

} // namespace

// Both used to hang the whole test run; now they end the dialog and fail.
TEST(ModalSteps, AFailedCheckInsideEndsTheDialogAndFailsTheTest)
{
    QElapsedTimer clock;
    clock.start();
    ::testing::TestPartResultArray results;
    collectFailures(results, [] {
        QDialog dialog;
        ModalSteps steps([](QWidget *) { ASSERT_TRUE(false) << "a check inside the dialog failed"; });
        dialog.exec();
    });
    EXPECT_LT(clock.elapsed(), 5000); // ended by the steps' end, not by the guard
    ASSERT_GE(results.size(), 1);
    EXPECT_TRUE(results.GetTestPartResult(0).fatally_failed());
    EXPECT_NE(std::string(results.GetTestPartResult(0).message()).find("a check inside the dialog failed"),
              std::string::npos);
}

TEST(ModalSteps, TheGuardEndsAWindowNobodyAnswersAndFailsTheTest)
{
    ::testing::TestPartResultArray results;
    collectFailures(results, [] {
        QDialog dialog;
        ModalSteps steps(
            [](QWidget *) {
                QDialog nested; // a box the steps wait on forever
                nested.exec();
            },
            200);
        dialog.exec();
    });
    ASSERT_GE(results.size(), 1);
    EXPECT_NE(std::string(results.GetTestPartResult(0).message()).find("guard"), std::string::npos);
}

TEST(ModalSteps, StepsRunInsideTheModalWindow)
{
    QDialog dialog;
    QWidget *seen = nullptr;
    ModalSteps steps([&](QWidget *modal) {
        seen = modal;
        dialog.accept();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(steps.ran());
    EXPECT_EQ(seen, &dialog);
}
