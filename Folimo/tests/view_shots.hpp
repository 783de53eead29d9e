#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QWidget>

// With FOLIMO_VIEW_SHOTS set to a folder, view tests save what the widget shows at the
// moments they name, as NAME.png there, for a person to look at. Otherwise this does nothing.
inline void viewShot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("FOLIMO_VIEW_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QCoreApplication::processEvents(); // rows added to a shown view appear on the next turn

    widget.grab().save(QDir(folder).filePath(name + ".png"));
}
