#pragma once

#include <QObject>

class QSocketNotifier;

namespace folimo {

// Turns SIGTERM, SIGHUP and SIGINT (a service manager, a closed terminal, Ctrl-C) into a
// signal on the main thread, so that the program can leave its event loop and end as it does
// on Quit: the window goes, then the model, which stops and joins its work. The handler does
// nothing but write the signal's number into a pipe, which a QSocketNotifier reads. A signal
// that the program was started with ignored (nohup) stays ignored. One object per process;
// the signals get their old handlers back when it goes.
class QuitOnSignal : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignal(QObject* parent = nullptr);
    ~QuitOnSignal() override;

signals:
    void received(int signal);

private:
    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace folimo
