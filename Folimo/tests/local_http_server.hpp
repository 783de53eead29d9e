#pragma once

// A small HTTP/1.1 server on localhost for the update tests: each path answers with a status
// and a body, never answers, or trickles; it remembers every request as "METHOD /path".

#include <QHash>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

class LocalHttpServer {
public:
    struct Answer {
        int status = 200;
        QByteArray body = {};
        bool never = false;   // keeps the connection open without a word
        int headStatus = 0;   // HEAD answers with this status instead, when set
        bool trickle = false; // GET gets a byte every 100 ms of a body that never ends
    };

    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { read(*socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                    pending_.remove(socket);
                    socket->deleteLater();
                });
            }
        });
    }

    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
    }
    void answer(const QString& path, Answer answer) { answers_[path] = std::move(answer); }
    const QStringList& requests() const { return requests_; }

private:
    void read(QTcpSocket& socket) {
        QByteArray& received = pending_[&socket];
        received += socket.readAll();
        if (!received.contains("\r\n\r\n")) return;
        const QList<QByteArray> line = received.left(received.indexOf("\r\n")).split(' ');
        const QString method = QString::fromLatin1(line.value(0));
        const QString path = QString::fromLatin1(line.value(1));
        pending_.remove(&socket);
        requests_ << method + u' ' + path;

        const Answer answer = answers_.value(path, Answer{404});
        if (answer.never) return;
        const int status =
            method == u"HEAD" && answer.headStatus ? answer.headStatus : answer.status;
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(status) + " Answer\r\n" +
                           "Content-Type: application/rss+xml\r\nContent-Length: " +
                           QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n";
        if (method != u"HEAD" && answer.trickle) {
            reply.replace("Content-Length: 0", "Content-Length: 1000000");
            auto* timer = new QTimer(&socket);
            QObject::connect(timer, &QTimer::timeout, &socket,
                             [&socket, reply, sent = 0]() mutable {
                                 socket.write(reply.mid(sent++ % reply.size(), 1));
                             });
            timer->start(100);
            return;
        }
        if (method != u"HEAD") reply += answer.body;
        socket.write(reply);
        socket.disconnectFromHost();
    }

    QHash<QString, Answer> answers_;
    QHash<QTcpSocket*, QByteArray> pending_;
    QStringList requests_;
    QTcpServer server_; // last, so that its sockets go before what they use
};
