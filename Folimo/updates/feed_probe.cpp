#include "updates/feed_probe.hpp"

#include "updates/feed_request.hpp"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace folimo::updates {

ProbeOutcome probeOutcome(std::optional<int> status) {
    if (!status) return ProbeOutcome::unreachable;
    if ((*status >= 200 && *status <= 299) || *status == 405 || *status == 501)
        return ProbeOutcome::reachable;
    if (*status == 404 || *status == 410) return ProbeOutcome::notPublished;
    return ProbeOutcome::unreachable;
}

void probeFeed(QNetworkAccessManager& network, const QUrl& feed, std::chrono::milliseconds timeout,
               QObject* context, std::function<void(ProbeOutcome)> done) {
    QNetworkReply* reply = network.head(feedRequest(feed));
    abortAfter(reply, timeout);
    QObject::connect(reply, &QNetworkReply::finished, context, [reply, done = std::move(done)] {
        reply->deleteLater();
        // Errors below 200 are the connection's own (no host, refused, timed out, TLS,
        // redirects); the others carry the server's answer.
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        const bool answered = reply->error() == QNetworkReply::NoError || reply->error() >= 200;
        done(probeOutcome(answered && status.isValid() ? std::optional(status.toInt())
                                                       : std::nullopt));
    });
}

} // namespace folimo::updates
