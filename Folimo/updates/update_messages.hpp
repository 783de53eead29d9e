#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace folimo::updates {

struct UpdateMessage {
    QString title;
    QString text;

    bool operator==(const UpdateMessage&) const = default;
};

// The application's display name (Qt falls back to its name), and its version; "" without an
// application object.
QString applicationName();
QString applicationVersion();

// The messages of the update checks. An empty name reads "This app"; an empty version is left
// empty (the name and " is the newest version." then have two spaces between them).
UpdateMessage upToDateMessage(const QString& name, const QString& version);
UpdateMessage unreachableMessage(const QString& name);
UpdateMessage unreadableFeedMessage(const QString& name);
// Without a feed the program came with the system's software (a distribution's package), which
// brings its new versions too.
UpdateMessage noFeedMessage(const QString& name);

// Shows `message` as an informational alert with one "OK" button, modal to the application
// but without blocking the caller, centred on `window` (on the screen without one) and raised
// above the application's windows. Does nothing without a QApplication. The box deletes itself
// when dismissed.
QMessageBox* showMessage(const UpdateMessage& message, QWidget* window = nullptr);

} // namespace folimo::updates
