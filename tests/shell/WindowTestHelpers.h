#pragma once

#include <QAbstractButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

// Clicks like a user: only what is visible and enabled can be clicked.
inline void clickButton(QAbstractButton *button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// Tabs are numbered 1..4 as the pages are.
inline void clickTab(QTabBar *tabs, int tab)
{
    ASSERT_NE(tabs, nullptr);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab - 1).center());
}

// Types text key by key, Greek letters included (QTest::keyClicks knows only ASCII).
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

template <typename T> T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}
