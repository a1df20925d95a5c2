#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct Form
{
    QWidget window;
    QLineEdit *text1 = new QLineEdit(&window);
    QLineEdit *text2 = new QLineEdit(&window);
    QPushButton *command1 = new QPushButton(QStringLiteral("OK"), &window);
    QLabel *label1 = new QLabel(QStringLiteral("Λ"), &window);
    int clicks = 0;

    Form()
    {
        auto *l = new QVBoxLayout(&window);
        for (QWidget *w : std::initializer_list<QWidget *>{text1, text2, command1, label1})
            l->addWidget(w);
        text1->setObjectName(QStringLiteral("Text1(0)"));
        text2->setObjectName(QStringLiteral("Text2"));
        command1->setObjectName(QStringLiteral("Command1(3)"));
        label1->setObjectName(QStringLiteral("Label1"));
        QObject::connect(command1, &QPushButton::clicked, &window, [this] { ++clicks; });
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

} // namespace

TEST(WindowRules, EnterMovesToTheNextFieldAndPressesAFocusedButton)
{
    Form f;
    ui::InstallEnterAsTab(&f.window);
    f.text1->setFocus();
    QTest::keyClick(f.text1, Qt::Key_Return);
    EXPECT_TRUE(f.text2->hasFocus());
    QTest::keyClick(f.text2, Qt::Key_Enter);
    EXPECT_TRUE(f.command1->hasFocus());
    EXPECT_EQ(f.clicks, 0);
    QTest::keyClick(f.command1, Qt::Key_Return);
    EXPECT_EQ(f.clicks, 1);
}

TEST(WindowRules, UpperCaseBoxTurnsGreekIntoCapitalsWithoutAccents)
{
    Form f;
    ui::SetUpperCase(f.text1);
    f.text1->setFocus();
    // QTest only types ASCII; Greek letters arrive as key events carrying their text.
    for (const QChar c : QStringLiteral("ενοίκια ς")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(f.text1, &press);
    }
    EXPECT_EQ(f.text1->text(), QStringLiteral("ΕΝΟΙΚΙΑ Σ"));
}

TEST(WindowRules, ColouringWhitensNamedControlsAndThemesTheRest)
{
    Form f;
    const QColor theme(0xC0, 0xE0, 0xFF);
    ui::ApplyColouring(&f.window, QStringLiteral(" text1 list1 "), theme);
    EXPECT_EQ(f.text1->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(f.text2->palette().color(QPalette::Base), theme); // "text2" is not in the list
    EXPECT_EQ(f.label1->palette().color(QPalette::Window), theme);
    EXPECT_EQ(ui::colourFromVb(0x00FF8040), QColor(0x40, 0x80, 0xFF)); // blue in the high byte
}

TEST(WindowRules, BusyGuardShowsTheHourglassOnEveryPath)
{
    Form f;
    EXPECT_FALSE(BusyGuard::isBusy(&f.window));
    try {
        BusyGuard guard(&f.window);
        EXPECT_TRUE(BusyGuard::isBusy(&f.window));
        throw std::runtime_error("step failed");
    } catch (const std::runtime_error &) {
    }
    EXPECT_FALSE(BusyGuard::isBusy(&f.window));
}
