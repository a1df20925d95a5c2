#include "ModalSteps.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

void endModal(QWidget *modal)
{
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
}

} // namespace

ModalSteps::ModalSteps(std::function<void(QWidget *modal)> steps, int guardMs)
{
    m_start.setSingleShot(true);
    m_guard.setSingleShot(true);
    QObject::connect(&m_start, &QTimer::timeout, &m_start, [this, steps = std::move(steps)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            ADD_FAILURE() << "no modal window was shown";
            return;
        }
        m_ran = true;
        steps(modal);
        if (QApplication::activeModalWidget() != modal)
            return;
        // A failed ASSERT left the steps early, or they forgot to end the window.
        if (!::testing::Test::HasFatalFailure())
            ADD_FAILURE() << "the steps left the modal window open";
        endModal(modal);
    });
    QObject::connect(&m_guard, &QTimer::timeout, &m_guard, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the modal window was still open when the guard ran out";
            endModal(modal);
        }
    });
    m_start.start(0);
    m_guard.start(guardMs);
}

ModalSteps::~ModalSteps() = default;
