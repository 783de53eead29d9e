#include "app/single_instance.hpp"

#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folimo {

namespace {

// Each path travels as UTF-8 followed by NUL, the one byte no path holds, and one more NUL
// ends the message (paths are never empty). The running instance answers `taken` once it has
// the whole message. A launch hands over a few paths; anything longer than this is not one
// of ours and is dropped.
constexpr qint64 largestMessage = 1 << 20;
constexpr int connectTimeoutMs = 1000;
constexpr char taken = '\x06';

QByteArray encode(const QStringList& files) {
    QByteArray message;
    for (const QString& file : files)
        message += file.toUtf8() + '\0';
    return message + '\0';
}

// The files of a whole message, or nothing while its end has not arrived.
std::optional<QStringList> decode(const QByteArray& message) {
    const qsizetype end = message.startsWith('\0') ? 0 : message.indexOf(QByteArrayView("\0\0", 2));
    if (end < 0) return std::nullopt;
    QStringList files;
    for (const QByteArray& part : message.first(end).split('\0'))
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

SingleInstance::HandOver SingleInstance::handOver(const QStringList& files) {
    if (server_.isEmpty()) return HandOver::alone;
    QLocalSocket socket;
    socket.connectToServer(server_);
    if (!socket.waitForConnected(connectTimeoutMs)) {
        // No socket, or a file nobody listens on (a crashed launch's): this launch is the
        // first. Any other failure (a full backlog) means someone is there.
        const auto error = socket.error();
        return error == QLocalSocket::ServerNotFoundError ||
                       error == QLocalSocket::ConnectionRefusedError
                   ? HandOver::alone
                   : HandOver::refused;
    }
    socket.write(encode(files));
    const QDeadlineTimer deadline(idleTimeoutMs);
    while (socket.bytesAvailable() == 0 && socket.state() == QLocalSocket::ConnectedState &&
           !deadline.hasExpired())
        socket.waitForReadyRead(int(deadline.remainingTime()));
    char answer = 0;
    return socket.getChar(&answer) && answer == taken ? HandOver::taken : HandOver::refused;
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
        bool done = false; // answered, or dropped: whatever follows is ignored
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
            message->done = true;
            message->bytes.clear();
            socket->abort();
        };
        connect(idle, &QTimer::timeout, socket, drop);
        idle->start(idleTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, message, idle, drop] {
            if (message->done) return;
            message->bytes.append(socket->readAll());
            if (message->bytes.size() > largestMessage) return drop();
            const std::optional<QStringList> files = decode(message->bytes);
            if (!files) return idle->start(idleTimeoutMs);
            // Answered first, so that the launch is not kept waiting while they open.
            idle->stop();
            message->done = true;
            socket->putChar(taken);
            socket->disconnectFromServer();
            emit filesReceived(*files);
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            socket->deleteLater();
            --connections_;
            // A server Qt closed (it does when a connection cannot be taken, with no
            // descriptor left) listens again once connections are given back.
            if (!listener_->isListening()) listener_->listen(server_);
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
