#pragma once

#include <QWidget>

class QPushButton;

namespace folimo {

class AppModel;

// The listing page with no PDF open: an invitation to drop one, open one or try the sample.
class EmptyStateView : public QWidget {
    Q_OBJECT
public:
    explicit EmptyStateView(AppModel& model, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* column_;
};

} // namespace folimo
