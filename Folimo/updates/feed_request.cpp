#include "updates/feed_request.hpp"

#include <QNetworkReply>
#include <QTimer>

namespace folimo::updates {

QNetworkRequest feedRequest(const QUrl& feed) {
    QNetworkRequest request(feed);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    return request;
}

void abortAfter(QNetworkReply* reply, std::chrono::milliseconds deadline) {
    // The timer belongs to the reply, so it goes when the reply does.
    QTimer::singleShot(deadline, reply, [reply] {
        if (reply->isRunning()) reply->abort();
    });
}

} // namespace folimo::updates
