#pragma once

#include <QTimer>
#include <functional>

class QWidget;

// Drives a modal window from inside its own event loop, for tests that call a
// function which runs exec(). `steps` runs once a modal window is active. A
// failed check inside the steps, or a modal window still open when the time
// limit passes, closes every modal window, so exec() returns and the test
// fails instead of hanging.
class ModalDriver
{
public:
    explicit ModalDriver(std::function<void(QWidget *modal)> steps, int limitMs = 10000);
    ~ModalDriver();
    ModalDriver(const ModalDriver &) = delete;
    ModalDriver &operator=(const ModalDriver &) = delete;

    bool ran() const { return m_ran; }

    // Rejects (or closes) every modal window that is open.
    static void closeAllModals();

private:
    void poll();

    std::function<void(QWidget *)> m_steps;
    QTimer m_poll;
    QTimer m_guard;
    bool m_ran = false;
};
