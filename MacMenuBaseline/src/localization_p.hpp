#pragma once

#include <QString>

namespace macmenubaseline {

// The module's two strings in the language chosen for this process.
QString closeWindowText();
QString helpText(const QString& appName);

// Stops the process when called off the main thread: the module's entry points are not
// thread-safe, and a call from elsewhere is a fault in the application.
void requireMainThread(const char* where);

} // namespace macmenubaseline
