#pragma once

#include <chrono>

class QNetworkReply;

namespace folimo::updates {

// Aborts reply when it has not finished `deadline` from now, however slowly the server keeps
// sending (a transfer timeout counts only silence, so a byte a second would pass it). The
// reply then finishes with QNetworkReply::OperationCanceledError.
void abortAfter(QNetworkReply* reply, std::chrono::milliseconds deadline);

} // namespace folimo::updates
