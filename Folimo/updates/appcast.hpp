#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>
#include <vector>

namespace folimo::updates {

// One release in an update feed: an RSS <item> in the widely used appcast form.
struct AppcastItem {
    QString title;
    // <sparkle:version> (or the enclosure's sparkle:version): compared with the application's
    // version, so the feed writes it in the same form ("0.2.0").
    QString version;
    // <sparkle:shortVersionString>: what the user reads; the version when absent.
    QString shortVersion;
    QUrl releaseNotes; // <sparkle:releaseNotesLink>
    QUrl download;     // the <enclosure>'s url, else the item's <link>

    bool operator==(const AppcastItem&) const = default;
};

// The items of a feed, in feed order, each with a version. Links that are not http or https
// are dropped (they would be handed to the desktop to open). Nullopt when the text is not a
// well-formed RSS feed.
std::optional<std::vector<AppcastItem>> parseAppcast(const QByteArray& xml);

// Compares versions number by number ("1.10" > "1.9", "1.2" == "1.2.0"); anything after a
// number's digits is ignored. Negative, zero or positive as a is older, the same or newer.
int compareVersions(const QString& a, const QString& b);

// The newest item with a download link that is newer than `current`, if any.
std::optional<AppcastItem> newerItem(const std::vector<AppcastItem>& items, const QString& current);

} // namespace folimo::updates
