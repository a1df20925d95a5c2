#pragma once

#include <QTimer>
#include <functional>

class QWidget;

// Drives the next modal window from inside its own event loop. Create it just
// before the call that shows the window modally; the steps run once the
// window is up and receive it.
//
// The steps end the window themselves. A test must never hang on a modal
// window: when the steps return with the window still open (an ASSERT left
// them early, or they forgot) it is closed at once and the test fails, and a
// guard timer does the same when the window is still open after the guard
// time (for instance a nested modal box nobody answers).
class ModalSteps
{
public:
    explicit ModalSteps(std::function<void(QWidget *modal)> steps, int guardMs = 10000);
    ~ModalSteps();

    bool ran() const { return m_ran; }

private:
    QTimer m_start;
    QTimer m_guard;
    bool m_ran = false;
};
