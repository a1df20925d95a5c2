#include "shell/startup/OpeningBalanceDialog.h"
#include "support/ModalSteps.h"
#include "support/ScriptedMessages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QLineEdit *box(QWidget &w, int element)
{
    return w.findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(element));
}

} // namespace

TEST(OpeningBalanceDialog, KeyFiltersAndLeaveHandlers)
{
    FR_ErvthshUpdate dlg;
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QLineEdit *date = box(dlg, 0);
    QLineEdit *amount = box(dlg, 1);
    date->setFocus();
    QTest::keyClicks(date, QStringLiteral("5/12.2005"));
    EXPECT_EQ(date->text(), QStringLiteral("5-12-2005"));
    QTest::keyClick(date, Qt::Key_Return); // Enter moves on, and leaving rewrites the date
    EXPECT_EQ(date->text(), QStringLiteral("05-12-2005"));
    EXPECT_TRUE(amount->hasFocus());
    QTest::keyClicks(amount, QStringLiteral("12.50"));
    EXPECT_EQ(amount->text(), QStringLiteral("12,50"));
    amount->clear();
    QTest::keyClicks(amount, QStringLiteral("1.234,56")); // the form balances are shown in
    EXPECT_EQ(amount->text(), QStringLiteral("1.234,56"));
    amount->clear();
    date->setFocus();
    EXPECT_EQ(amount->text(), QStringLiteral("0")); // an empty amount counts as 0
}

TEST(OpeningBalanceDialog, ValidationMessagesAndConfirmation)
{
    ScriptedMessages boxes;
    FR_ErvthshUpdate dlg;
    box(dlg, 0)->setText(QStringLiteral("31-02-2005"));
    EXPECT_FALSE(dlg.ValidateOpeningBalance());
    EXPECT_EQ(boxes.last().title, QStringLiteral("Δώσε σωστά την ημερομηνία"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Προσοχή στην ημερομηνία Πρέπει να δωθεί π.χ 05-12-2005"));

    box(dlg, 0)->setText(QStringLiteral("05-12-2005"));
    box(dlg, 1)->setText(QStringLiteral("12,5,0"));
    EXPECT_FALSE(dlg.ValidateOpeningBalance());
    EXPECT_EQ(boxes.last().text, QStringLiteral("Εισάγετε το ποσό που έχετε υπόλοιπο ταμείου τη παραπάνω ημερομηνία\n"
                                                "Το ποσό έχει περισσότερα από ένα δεκαδικά κόμματα."));
    // Decimals beyond the cents are refused, not rounded away.
    box(dlg, 1)->setText(QStringLiteral("1,23456"));
    EXPECT_FALSE(dlg.ValidateOpeningBalance());
    // A balance may be negative; an accepted amount is handed on in the form
    // the update reads the same way (a pasted "12.5" is 12,50, not 125).
    box(dlg, 1)->setText(QStringLiteral("-1.234,5"));
    EXPECT_TRUE(dlg.ValidateOpeningBalance());
    EXPECT_EQ(dlg.amountText(), QStringLiteral("-1.234,50"));
    box(dlg, 1)->setText(QStringLiteral("12.5"));
    EXPECT_TRUE(dlg.ValidateOpeningBalance());
    EXPECT_EQ(dlg.amountText(), QStringLiteral("12,50"));

    box(dlg, 1)->setText(QString());
    EXPECT_TRUE(dlg.ValidateOpeningBalance());
    EXPECT_EQ(box(dlg, 1)->text(), QStringLiteral("0"));
}

TEST(OpeningBalanceDialog, AnswerNoKeepsTheDialogYesReturnsTheTexts)
{
    ScriptedMessages boxes;
    boxes.answerNext(msg::Answer::No);
    boxes.answerNext(msg::Answer::Yes);
    bool checkedAfterNo = false;
    ModalSteps driver([&](QWidget *modal) {
        auto *dlg = qobject_cast<FR_ErvthshUpdate *>(modal);
        ASSERT_NE(dlg, nullptr);
        box(*dlg, 0)->setText(QStringLiteral("05-12-2005"));
        box(*dlg, 1)->setText(QStringLiteral("1.500,00"));
        auto *ok = dlg->findChild<QPushButton *>(QStringLiteral("Command1"));
        ok->click();
        checkedAfterNo = dlg->isVisible() && box(*dlg, 1)->text() == QStringLiteral("1.500,00");
        ok->click();
    });
    const auto answer = FR_ErvthshUpdate::ask();
    EXPECT_TRUE(driver.ran());
    EXPECT_TRUE(checkedAfterNo);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->dateText, QStringLiteral("05-12-2005"));
    EXPECT_EQ(answer->amountText, QStringLiteral("1.500,00"));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().defaultButton, msg::Answer::No);
}

// The dialog has only its close box: Esc must not skip the opening balance.
TEST(OpeningBalanceDialog, EscDoesNothingTheCloseBoxLeavesWithoutAnAnswer)
{
    ScriptedMessages boxes;
    bool openAfterEsc = false;
    ModalSteps driver([&](QWidget *modal) {
        for (int element : {0, 1}) {
            box(*modal, element)->setFocus();
            QTest::keyClick(box(*modal, element), Qt::Key_Escape);
        }
        QTest::keyClick(modal, Qt::Key_Escape);
        openAfterEsc = modal->isVisible();
        modal->close();
    });
    EXPECT_FALSE(FR_ErvthshUpdate::ask().has_value());
    EXPECT_TRUE(driver.ran());
    EXPECT_TRUE(openAfterEsc);
    EXPECT_EQ(boxes.count(), 0);
}
