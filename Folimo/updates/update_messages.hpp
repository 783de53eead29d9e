#pragma once

#include <QString>

class QMessageBox;

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
UpdateMessage noFeedMessage(const QString& name);

// Shows `message` as an informational alert with one "OK" button, modal to the application
// but without blocking the caller, raised above the application's windows. Does nothing
// without a QApplication. The box deletes itself when dismissed.
QMessageBox* showMessage(const UpdateMessage& message);

} // namespace folimo::updates
