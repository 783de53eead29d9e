#include "views/review_prompt_host.hpp"

#include "model/app_model.hpp"

#include <QTimer>

namespace folimo {

ReviewPromptHost::ReviewPromptHost(AppModel& model, std::function<void()> requestReview,
                                   QObject* parent)
    : QObject(parent)
    , model_(model)
    , requestReview_(std::move(requestReview)) {
    connect(&model_, &AppModel::askForReviewChanged, this, [this] {
        if (!model_.askForReview()) return;
        model_.setAskForReview(false);
        // QTimer waits on the monotonic clock.
        QTimer::singleShot(delayMs, Qt::PreciseTimer, this, [this] { requestReview_(); });
    });
}

} // namespace folimo
