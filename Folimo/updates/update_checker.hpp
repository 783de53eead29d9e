#pragma once

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <chrono>

class QNetworkReply;
class QSettings;

namespace folimo::updates {

struct AppcastItem;
class UpdateWindow;

// Looks for new versions in an appcast feed (see appcast.hpp), in place of a platform update
// framework. A newer version than the application's own is offered in an UpdateWindow.
//
// Scheduled checks are silent unless there is an update the user has not skipped: one at the
// start when a day has passed since the last check (kept in the store under
// "updates.lastCheck"), then one about a day after each check. The user's check always answers:
// the update window (skipped versions too), "You’re up to date", or why it could not check.
// Without a feed URL nothing is ever requested. Main thread only.
class UpdateChecker : public QObject {
    Q_OBJECT

public:
    // `store` must outlive the checker; `feed` is empty when there is none.
    UpdateChecker(QSettings& store, QUrl feed, QObject* parent = nullptr);
    ~UpdateChecker() override;

    const QUrl& feedURL() const { return feed_; }

    // The user's check; its answer is centred on `window` when one is given.
    void checkForUpdates(QWidget* window = nullptr);
    void startScheduledChecks();
    // When the next scheduled check is due; invalid while none is planned.
    QDateTime nextScheduledCheck() const { return next_; }

    // How long one fetch of the feed may take from its start to its end; 30 seconds unless
    // changed. A user's check that comes while a scheduled one runs is answered by it, so
    // within the same time.
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    static constexpr qsizetype maximumFeedBytes = 1 << 20;

private:
    void fetch(bool byUser);
    void finished(QNetworkReply* reply);
    void planNext();
    void offer(const AppcastItem& item, QWidget* window);

    QSettings& store_;
    QUrl feed_;
    QNetworkAccessManager network_;
    QTimer timer_;
    QDateTime next_;
    QPointer<QNetworkReply> reply_;
    QPointer<UpdateWindow> window_;
    bool byUser_ = false;
    QPointer<QWidget> userWindow_; // where the user's check answers
    std::chrono::milliseconds timeout_{30'000};
};

} // namespace folimo::updates
