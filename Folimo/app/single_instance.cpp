#include "app/single_instance.hpp"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folimo {

namespace {

// Paths travel as UTF-8 separated by NUL, the one byte no path holds. A launch hands over a
// few paths; anything longer than this is not one of ours and is dropped.
constexpr qint64 largestMessage = 1 << 20;
constexpr int connectTimeoutMs = 1000;

QStringList decode(const QByteArray& message) {
    QStringList files;
    for (const QByteArray& part : message.split('\0'))
        if (!part.isEmpty()) files << QString::fromUtf8(part);
    return files;
}

} // namespace

SingleInstance::SingleInstance(QString server, QObject* parent)
    : QObject(parent)
    , server_(std::move(server)) {}

QString SingleInstance::defaultServerName() {
    return serverIn(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
}

QString SingleInstance::serverIn(const QString& folder) {
    struct stat status {};
    if (folder.isEmpty() || ::lstat(QFile::encodeName(folder).constData(), &status) != 0 ||
        !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() ||
        (status.st_mode & 07777) != 0700)
        return {};
    return QDir(folder).filePath("folimo.socket");
}

bool SingleInstance::handOver(const QStringList& files) {
    if (server_.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(server_);
    if (!socket.waitForConnected(connectTimeoutMs)) return false;
    socket.write(files.join(QChar(u'\0')).toUtf8());
    socket.flush();
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState ||
           socket.waitForDisconnected(connectTimeoutMs);
}

bool SingleInstance::listen() {
    if (server_.isEmpty()) return false;
    listener_ = new QLocalServer(this);
    listener_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!listener_->listen(server_)) {
        // Nobody answered handOver(), so a socket file still there is a crashed launch's.
        QLocalServer::removeServer(server_);
        if (!listener_->listen(server_)) return false;
    }
    connect(listener_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept() {
    struct Message {
        QByteArray bytes;
        bool dropped = false;
    };
    while (QLocalSocket* socket = listener_->nextPendingConnection()) {
        if (connections_ >= maxConnections || !fromThisUser(*socket)) {
            delete socket;
            continue;
        }
        ++connections_;
        auto message = std::make_shared<Message>();
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        const auto drop = [socket, message] {
            message->dropped = true;
            message->bytes.clear();
            socket->abort();
        };
        connect(idle, &QTimer::timeout, socket, drop);
        idle->start(idleTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, socket, [socket, message, idle, drop] {
            message->bytes.append(socket->readAll());
            if (message->bytes.size() > largestMessage)
                drop();
            else
                idle->start(idleTimeoutMs);
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, message] {
            socket->deleteLater();
            --connections_;
            // A server Qt closed (it does when a connection cannot be taken, with no
            // descriptor left) listens again once connections are given back.
            if (!listener_->isListening()) listener_->listen(server_);
            if (message->dropped) return;
            message->bytes.append(socket->readAll());
            emit filesReceived(decode(message->bytes));
        });
    }
}

bool SingleInstance::fromThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) ==
               0 &&
           peer.uid == ::geteuid();
}

} // namespace folimo
