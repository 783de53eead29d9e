#pragma once

#include <QNetworkRequest>
#include <chrono>

class QNetworkReply;
class QUrl;

namespace folimo::updates {

// A request for the update feed: always asked of the network, and nothing of it kept in a
// cache, so that a check sees what the server has now.
QNetworkRequest feedRequest(const QUrl& feed);

// Aborts reply when it has not finished `deadline` from now, however slowly the server keeps
// sending (a transfer timeout counts only silence, so a byte a second would pass it). The
// reply then finishes with QNetworkReply::OperationCanceledError.
void abortAfter(QNetworkReply* reply, std::chrono::milliseconds deadline);

} // namespace folimo::updates
