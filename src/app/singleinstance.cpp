#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
const QByteArray kRaise("raise\n");
}

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent), m_key(key) { }

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey()
{
#ifdef Q_OS_UNIX
    return QStringLiteral("kestro-%1").arg(::getuid());
#else
    return QStringLiteral("kestro-%1").arg(qEnvironmentVariable("USERNAME"));
#endif
}

bool SingleInstance::askRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(kRaise);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::claim()
{
    // Two starts at the same moment must not both see an empty socket and both listen.
    QLockFile lock(QDir::temp().filePath(m_key + QStringLiteral(".lock")));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(5000))
        return !askRunningInstance();

    if (askRunningInstance())
        return false;

    // Nothing answered: whatever socket file is left belongs to a crashed instance.
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_key))
        return true; // run anyway; only the bringing forward is lost
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains('\n'))
                    Q_EMIT activationRequested();
            });
        }
    });
    return true;
}
