#pragma once

#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QObject;

namespace folimo::updates {

// What a light request says about the update feed before the user's check.
enum class ProbeOutcome { reachable, notPublished, unreachable };

// 2xx, and 405 or 501 (a server that does not take HEAD), are reachable; 404 and 410 are not
// published; any other status, or none, is unreachable.
ProbeOutcome probeOutcome(std::optional<int> httpStatus);

// Asks the feed's server with a HEAD request, never answered from a cache; the body is never
// read. `done` runs on `context`'s thread with the outcome, once, unless `context` is gone,
// and at the latest `timeout` after the call; a failure of any kind (no connection, the
// timeout, TLS) is unreachable.
void probeFeed(QNetworkAccessManager& network, const QUrl& feed, std::chrono::milliseconds timeout,
               QObject* context, std::function<void(ProbeOutcome)> done);

} // namespace folimo::updates
