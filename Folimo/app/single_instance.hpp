#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace folimo {

// Keeps one Folimo window per user. The first launch listens on a local socket; a later launch
// hands its files to it and exits, and the running one opens them and comes to the front.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // SERVER is the socket's name or path; defaultServerName() for the program itself.
    explicit SingleInstance(QString server, QObject* parent = nullptr);

    // Gives FILES (absolute paths) to a running instance. True when one took them, and this
    // launch should end; false when none is running.
    bool handOver(const QStringList& files);
    // Starts answering later launches, taking over a socket left by one that crashed. False
    // when the socket cannot be made (the program then simply runs alone).
    bool listen();

    // The socket in the user's runtime folder.
    static QString defaultServerName();

signals:
    // A later launch was started with FILES (maybe none): open them and raise the window.
    void filesReceived(const QStringList& files);

private:
    void accept();

    QString server_;
    QLocalServer* listener_ = nullptr;
};

} // namespace folimo
