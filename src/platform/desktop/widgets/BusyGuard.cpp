#include "BusyGuard.h"

#include <QGuiApplication>
#include <QWidget>

BusyGuard::BusyGuard(QWidget *window) : m_window(window)
{
    m_window->setCursor(Qt::WaitCursor);
}

BusyGuard::~BusyGuard()
{
    m_window->unsetCursor();
}

bool BusyGuard::isBusy(const QWidget *window)
{
    return window->testAttribute(Qt::WA_SetCursor) && window->cursor().shape() == Qt::WaitCursor;
}

void showWaitPointer(bool waiting)
{
    if (waiting)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
