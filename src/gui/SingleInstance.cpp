#include "gui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {
const QByteArray kTaken = "ok\n";
// How long a live program has to accept a connection: it answers from its event loop.
constexpr int kConnectMs = 1000;
} // namespace

SingleInstance::SingleInstance(const QString &serverName, QObject *parent)
    : QObject(parent), m_name(serverName)
{
}

QString SingleInstance::NameFor(const QString &configFolder)
{
    const QByteArray folder = QDir::cleanPath(QFileInfo(configFolder).absoluteFilePath()).toUtf8();
    return QStringLiteral("VornPrn-")
           + QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(16));
}

bool SingleInstance::HandOff(const QString &file, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(std::min(timeoutMs, kConnectMs)))
        return false;
    socket.write(QFileInfo(file).absoluteFilePath().toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray reply;
    while (!reply.endsWith('\n') && socket.waitForReadyRead(timeoutMs))
        reply += socket.readAll();
    return reply == kTaken;
}

bool SingleInstance::Listen()
{
    if (m_server && m_server->isListening())
        return true;
    {
        QLocalSocket probe;
        probe.connectToServer(m_name);
        if (probe.waitForConnected(kConnectMs))
            return false; // another program answers
    }
    // Nobody answers: what is left is the socket of a program that ended without removing it.
    QLocalServer::removeServer(m_name);
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *socket = m_server->nextPendingConnection())
                serve(socket);
        });
    }
    return m_server->listen(m_name);
}

bool SingleInstance::IsListening() const { return m_server && m_server->isListening(); }

void SingleInstance::serve(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine())
            return;
        const QString file = QString::fromUtf8(socket->readLine()).chopped(1);
        socket->write(kTaken);
        socket->flush();
        socket->disconnectFromServer();
        // The window may ask questions about the file: not while this socket waits for them.
        QTimer::singleShot(0, this, [this, file] { emit FileReceived(file); });
    });
}
