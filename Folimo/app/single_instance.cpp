#include "app/single_instance.hpp"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <memory>

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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath("folimo.socket");
}

bool SingleInstance::handOver(const QStringList& files) {
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
        bool tooLong = false;
    };
    while (QLocalSocket* socket = listener_->nextPendingConnection()) {
        auto message = std::make_shared<Message>();
        connect(socket, &QLocalSocket::readyRead, socket, [socket, message] {
            message->bytes.append(socket->readAll());
            if (message->bytes.size() > largestMessage) {
                message->tooLong = true;
                message->bytes.clear();
                socket->abort();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, message] {
            socket->deleteLater();
            if (message->tooLong) return;
            message->bytes.append(socket->readAll());
            emit filesReceived(decode(message->bytes));
        });
    }
}

} // namespace folimo
