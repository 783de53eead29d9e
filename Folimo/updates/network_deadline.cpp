#include "updates/network_deadline.hpp"

#include <QNetworkReply>
#include <QTimer>

namespace folimo::updates {

void abortAfter(QNetworkReply* reply, std::chrono::milliseconds deadline) {
    // The timer belongs to the reply, so it goes when the reply does.
    QTimer::singleShot(deadline, reply, [reply] {
        if (reply->isRunning()) reply->abort();
    });
}

} // namespace folimo::updates
