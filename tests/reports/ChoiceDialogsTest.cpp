// The sort window answered by a double click, inside its own modal loop.
#include "reports/widgets/FormaTajinomhshs.h"
#include "support/ModalSteps.h"

#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(FormaTajinomhshsTest, ADoubleClickOnAnOrderChoosesItAndCloses)
{
    for (int order : {1, 2, 0}) {
        ModalSteps steps([order](QWidget *window) {
            auto *option = window->findChild<QRadioButton *>(QStringLiteral("Option1(%1)").arg(order));
            ASSERT_NE(option, nullptr);
            QTest::mouseDClick(option, Qt::LeftButton);
        });
        const reports::SortChoice choice = FormaTajinomhshs::ask(nullptr);
        EXPECT_TRUE(steps.ran());
        EXPECT_EQ(choice.order, order);
        EXPECT_FALSE(choice.onlyActive);
    }
}

} // namespace
