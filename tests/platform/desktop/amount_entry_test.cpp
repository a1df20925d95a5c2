#include "platform/desktop/widgets/AmountKeyFilter.h"
#include "platform/desktop/widgets/MessageBoxPresenter.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct AmountForm
{
    QWidget window;
    QLineEdit *amount = new QLineEdit(&window);
    QLineEdit *other = new QLineEdit(&window);

    AmountForm()
    {
        auto *l = new QVBoxLayout(&window);
        l->addWidget(amount);
        l->addWidget(other);
        amount->setMaxLength(18);
        ui::installAmountKeyFilter(amount);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        amount->setFocus();
    }

    QString typed(const QString &keys)
    {
        amount->clear();
        QTest::keyClicks(amount, keys);
        return amount->text();
    }
};

} // namespace

// The keypad's dot is the decimal comma, yet the amounts the program shows can
// be typed back as they stand; the minus stays for the amount rule to refuse.
TEST(AmountKeyFilter, TypedAmountsKeepTheirMeaning)
{
    AmountForm f;
    struct Case { const char *keys; const char16_t *shown; };
    const Case cases[] = {
        {"1.234,56", u"1.234,56"},    {"12.5", u"12,5"},       {"1.234.567,89", u"1.234.567,89"},
        {"999.999.999,99", u"999.999.999,99"}, {"1234,56", u"1234,56"}, {"-50", u"-50"},
        {"12a5", u"12,5"},            {"1,23456", u"1,23456"}, {"1,2,3", u"1,2,3"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(f.typed(QString::fromLatin1(c.keys)), QString::fromUtf16(c.shown)) << c.keys;
}

TEST(AmountKeyFilter, PastedTextIsNotRewritten)
{
    AmountForm f;
    f.amount->clear();
    f.amount->insert(QStringLiteral("1.234,56"));
    EXPECT_EQ(f.amount->text(), QStringLiteral("1.234,56"));
    f.amount->clear();
    f.amount->insert(QStringLiteral("-5"));
    EXPECT_EQ(f.amount->text(), QStringLiteral("-5")); // kept, for the check to refuse with its reason
}

TEST(WindowRules, SelectTextOnFocusSelectsTheWholeText)
{
    AmountForm f;
    ui::SelectTextOnFocus(f.other);
    f.other->setText(QStringLiteral("ΕΝΟΙΚΙΟ"));
    f.other->setFocus();
    QTRY_COMPARE_WITH_TIMEOUT(f.other->selectedText(), QStringLiteral("ΕΝΟΙΚΙΟ"), 1000);
}

// Boxes with a short text and a long title are cut by the window manager
// unless the box is at least as wide as its title needs.
TEST(MessageBoxPresenter, BoxIsWideEnoughForItsTitle)
{
    for (const QString &title : {QStringLiteral("Κλείσιμο ταμείου"), QStringLiteral("Λάθος στην ημερομηνία"),
                                 QStringLiteral("Δώσε σωστά την ημερομηνία")}) {
        QMessageBox mb(QMessageBox::Question, title, QStringLiteral("Ναι;"));
        msg::prepareMessageBox(mb, {title, QStringLiteral("Ναι;"), msg::Icon::Question, msg::Buttons::OkCancel,
                                    msg::Answer::Ok});
        mb.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&mb));
        EXPECT_GE(mb.width(), msg::titleFitWidth(title)) << title.toStdString();
        EXPECT_GT(msg::titleFitWidth(title), mb.fontMetrics().horizontalAdvance(title) + 100);
        mb.hide();
    }
}
