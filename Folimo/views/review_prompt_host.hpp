#pragma once

#include <QObject>
#include <functional>

namespace folimo {

class AppModel;

// Asks the platform for a store review when the model's askForReview turns true: puts the
// flag back to false at once and calls the review action 1.5 s later (each request on its
// own delay, so two quick requests give two calls). Linux has no store review request, so the
// program's action does nothing visible.
class ReviewPromptHost : public QObject {
    Q_OBJECT
public:
    ReviewPromptHost(AppModel& model, std::function<void()> requestReview,
                     QObject* parent = nullptr);

    static constexpr int delayMs = 1500;

private:
    AppModel& model_;
    std::function<void()> requestReview_;
};

} // namespace folimo
