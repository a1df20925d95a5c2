// The choice windows answered as a user would, inside their own modal loop.
#include "cashbook/QStringPrinter.h"
#include "reports/widgets/FormaTajinomhshs.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `steps` on the modal window once its loop runs; a guard closes it and
// fails the test if the steps did not.
reports::SortChoice askSortOrder(const std::function<void(QDialog *)> &steps)
{
    bool guardFired = false;
    QTimer::singleShot(0, qApp, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        steps(dialog);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [&] {
        guardFired = true;
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    guard.start(5000);
    const reports::SortChoice choice = FormaTajinomhshs::ask(nullptr);
    EXPECT_FALSE(guardFired) << "the window did not close";
    return choice;
}

TEST(FormaTajinomhshsTest, ADoubleClickOnAnOrderChoosesItAndCloses)
{
    for (int order : {1, 2, 0}) {
        const reports::SortChoice choice = askSortOrder([order](QDialog *dialog) {
            auto *option = dialog->findChild<QRadioButton *>(QStringLiteral("Option1(%1)").arg(order));
            ASSERT_NE(option, nullptr);
            QTest::mouseDClick(option, Qt::LeftButton);
        });
        EXPECT_EQ(choice.order, order);
        EXPECT_FALSE(choice.onlyActive);
    }
}

TEST(FormaTajinomhshsTest, OkClosesWithTheOrderAndTheActiveBox)
{
    const reports::SortChoice choice = askSortOrder([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Ταξινόμηση"));
        EXPECT_TRUE(dialog->findChild<QRadioButton *>(QStringLiteral("Option1(0)"))->isChecked());  // preset
        dialog->findChild<QRadioButton *>(QStringLiteral("Option1(2)"))->click();
        auto *active = dialog->findChild<QCheckBox *>(QStringLiteral("Check1"));
        EXPECT_EQ(active->text(), QStringLiteral("Μόνο οι ενεργοί"));
        active->click();
        dialog->findChild<QPushButton *>(QStringLiteral("SSCommand1"))->click();
    });
    EXPECT_EQ(choice.order, reports::SortChoice::ByGroup);
    EXPECT_TRUE(choice.onlyActive);
}

} // namespace
