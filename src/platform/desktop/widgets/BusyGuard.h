#pragma once

class QWidget;

// The re-entry guard of every window: while an operation runs the window shows
// the hourglass, and handlers that find it showing return at once (message
// boxes and refreshes let further clicks arrive meanwhile). The pointer goes
// back to normal on every path out of the handler.
class BusyGuard
{
public:
    explicit BusyGuard(QWidget *window);
    ~BusyGuard();
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

    static bool isBusy(const QWidget *window);

private:
    QWidget *m_window;
};

// The busy pointer over every window of the program while a wait outside it
// lasts (true: show it; false: take it away again). For waits that block the
// event loop, such as a locked marker file.
void showWaitPointer(bool waiting);
