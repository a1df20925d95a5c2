#include "FrontRequests.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray Request = QByteArrayLiteral("front\n");

// One socket per user: two users of one computer each have their own copy.
QString socketName(const QString &name)
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    return name + QLatin1Char('-') + user;
}

} // namespace

FrontRequests::FrontRequests(const QString &name, QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    // Only the copy holding the lock gets here: a socket left by a copy that
    // crashed is stale.
    QLocalServer::removeServer(socketName(name));
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(socketName(name));
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *caller = m_server->nextPendingConnection()) {
            connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
            connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
                if (caller->readAll().contains(Request.trimmed()))
                    Q_EMIT frontRequested();
                caller->disconnectFromServer();
            });
        }
    });
}

FrontRequests::~FrontRequests() = default;

bool FrontRequests::listening() const
{
    return m_server->isListening();
}

bool FrontRequests::askRunningCopy(const QString &name, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketName(name));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(Request);
    return socket.waitForBytesWritten(timeoutMs);
}
