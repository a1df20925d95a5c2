#include "ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

ModalDriver::ModalDriver(std::function<void(QWidget *modal)> steps, int limitMs) : m_steps(std::move(steps))
{
    m_poll.setInterval(5);
    QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { poll(); });
    m_poll.start();
    m_guard.setSingleShot(true);
    QObject::connect(&m_guard, &QTimer::timeout, &m_guard, [] {
        if (!QApplication::activeModalWidget())
            return;
        ADD_FAILURE() << "a modal window was still open when the time limit passed";
        closeAllModals();
    });
    m_guard.start(limitMs);
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || m_ran)
        return;
    m_poll.stop();
    m_ran = true;
    m_steps(modal);
    if (::testing::Test::HasFailure())
        closeAllModals();
}

void ModalDriver::closeAllModals()
{
    for (int guard = 0; guard < 20; ++guard) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        QCoreApplication::processEvents();
    }
}
