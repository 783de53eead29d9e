#pragma once

#include "updates/update_checker.hpp"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <chrono>

class QSettings;

namespace folimo::updates {

// The update checks of the application: the user's "Check for Updates…" and the scheduled
// checks of its UpdateChecker, which start when the updater is made (at launch).
//
// The feed URL is the build's (the CMake option FOLIMO_UPDATE_FEED_URL, empty by default),
// or, when the store holds a string under "updates.feedURL", that string (for beta feeds and
// tests). A URL that is not http or https counts as none. Main thread only.
class Updater : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool checking READ checking NOTIFY checkingChanged)

public:
    // The application's updater, on the application's store, made on first use and kept for
    // the whole run (it belongs to the application object).
    static Updater& shared();

    // An updater on `store`, which must outlive it. The feed URL is read here.
    explicit Updater(QSettings& store, QObject* parent = nullptr);

    // The user's check. Without a feed URL it goes straight to the checker. Otherwise it first
    // asks the feed's server (see probeFeed): reachable hands over to the checker, not
    // published says "You’re up to date", anything else "Couldn’t check for updates". A check
    // while one is probing does nothing. Its messages are centred on `window` when one is given.
    void check(QWidget* window = nullptr);
    // True while the user's check is probing the feed.
    bool checking() const { return checking_; }

    UpdateChecker& checker() { return checker_; }
    // The longest the probe may take from its start to its end; 15 seconds unless changed.
    void setProbeTimeout(std::chrono::milliseconds timeout) { probeTimeout_ = timeout; }

signals:
    void checkingChanged(bool checking);

private:
    QNetworkAccessManager network_;
    UpdateChecker checker_;
    bool checking_ = false;
    QPointer<QWidget> window_; // where the user's check answers
    std::chrono::milliseconds probeTimeout_{15'000};
};

} // namespace folimo::updates
