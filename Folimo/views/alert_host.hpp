#pragma once

#include <QObject>
#include <QPointer>

class QMessageBox;
class QWidget;

namespace folimo {

class AppModel;

// The one alert: while the model has an alert message, a window-modal box titled "Folimo"
// shows it with "OK". Dismissing the box in any way clears the model's alert; a message
// cleared or replaced by the model closes or updates the box.
class AlertHost : public QObject {
    Q_OBJECT
public:
    AlertHost(AppModel& model, QWidget& window);

    // The box while it shows, else null.
    QMessageBox* box() const;

private:
    void show();

    AppModel& model_;
    QWidget& window_;
    QPointer<QMessageBox> box_;
};

} // namespace folimo
