#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace folimo {

// Keeps one Folimo window per user. The first launch listens on a local socket; a later launch
// hands its files to it and exits once the running one has answered that it took them; the
// running one then opens them and comes to the front.
//
// The socket lives only in a folder no one else can enter. The server takes connections from
// the same user only, at most maxConnections at once, and drops one that has sent nothing
// for idleTimeoutMs; a launch gets its files across in well under that. A connection that is
// accepted is not proof of a taker (a full server lets the kernel connect, then closes), so
// nothing counts as handed over before the answer arrives.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int maxConnections = 32;
    static constexpr int idleTimeoutMs = 5000;

    // SERVER is the socket's path (defaultServerName() for the program itself); empty for
    // none: then nothing is handed over and nothing listens.
    explicit SingleInstance(QString server, QObject* parent = nullptr);

    enum class HandOver {
        taken,   // a running instance has the files: this launch ends
        alone,   // none is running: this launch opens them and listens for later ones
        refused, // one is running but did not take them (full, or wedged): this launch opens
                 // them in a window of its own, leaving the socket to the running one
    };
    // Gives FILES (absolute paths) to a running instance, waiting up to idleTimeoutMs for
    // its answer. Blocks; needs no event loop.
    HandOver handOver(const QStringList& files);
    // Starts answering later launches, taking over a socket left by one that crashed. False
    // when the socket cannot be made (the program then simply runs alone).
    bool listen();

    // The socket in the user's runtime folder (XDG_RUNTIME_DIR, or Qt's own fallback); empty
    // when there is no such folder that is private (see serverIn).
    static QString defaultServerName();
    // The socket's path in folder when folder is a real folder (not a link) owned by this
    // user with mode 0700; otherwise empty, since others could listen there or read it.
    static QString serverIn(const QString& folder);

signals:
    // A later launch was started with FILES (maybe none): open them and raise the window.
    void filesReceived(const QStringList& files);

private:
    void accept();
    static bool fromThisUser(const QLocalSocket& socket);

    QString server_;
    QLocalServer* listener_ = nullptr;
    int connections_ = 0;
};

} // namespace folimo
