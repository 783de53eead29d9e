#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <QWidget>

namespace folimo {

// One of the maker's other apps, as listed in the bundled more_apps.json.
struct MoreApp {
    QString name;
    QString summary; // one line
    QUrl url;        // the app's page, opened in the browser
    QString icon;    // a resource path (":/...") or a theme icon name; empty for the generic one

    bool operator==(const MoreApp&) const = default;
};

// The apps of a more_apps.json ({"apps": [{"name", "summary", "url", "icon"}, ...]}) in file
// order. An entry without a name or without an http or https address is left out; text that
// is not such a file gives no apps.
QList<MoreApp> readMoreApps(const QByteArray& json);
// The list bundled with the program.
QList<MoreApp> bundledMoreApps();
// The apps of the list other than the program itself (named `self`, case ignored): what the
// More Apps window lists, and shows only when there are some.
QList<MoreApp> otherApps(const QList<MoreApp>& apps, const QString& self);

// A small window listing the maker's other apps: icon, name and one line each, and a button
// that opens the app's page in the browser.
class MoreAppsWindow : public QWidget {
    Q_OBJECT
public:
    explicit MoreAppsWindow(const QList<MoreApp>& apps, QWidget* parent = nullptr);
};

} // namespace folimo
