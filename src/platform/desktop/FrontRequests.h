#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// A second launch of the program brings the running copy to the front
// instead of doing nothing. The running copy listens on a local socket named
// after the program and the user; a later copy calls it and ends.
class FrontRequests : public QObject
{
    Q_OBJECT
public:
    // Listens for later copies (call in the copy that holds the single-instance lock).
    explicit FrontRequests(const QString &name, QObject *parent = nullptr);
    ~FrontRequests() override;

    bool listening() const;

    // From a later copy: asks the running copy to come to the front. False
    // when no running copy answered within the time.
    static bool askRunningCopy(const QString &name, int timeoutMs = 2000);

Q_SIGNALS:
    void frontRequested();

private:
    QLocalServer *m_server = nullptr;
};
