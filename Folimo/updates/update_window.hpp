#pragma once

#include "updates/appcast.hpp"

#include <QDialog>

namespace folimo::updates {

// The window that offers a newer version: what it is, a link to its release notes, and
// "Download" (opens the download link in the browser), "Skip This Version" and
// "Remind Me Later". Texts from the feed are shown as plain text.
class UpdateWindow : public QDialog {
    Q_OBJECT

public:
    UpdateWindow(const AppcastItem& item, const QString& appName, const QString& currentVersion,
                 QWidget* parent = nullptr);

signals:
    // The user chose "Skip This Version" for this version (AppcastItem::version).
    void skipped(const QString& version);
};

} // namespace folimo::updates
