#include "updates/appcast.hpp"

#include <QXmlStreamReader>

namespace folimo::updates {
namespace {

const QString sparkle = QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");

QUrl webLink(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const bool web = url.isValid() && (url.scheme() == u"https" || url.scheme() == u"http") &&
                     !url.host().isEmpty();
    return web ? url : QUrl();
}

AppcastItem readItem(QXmlStreamReader& xml) {
    AppcastItem item;
    QString enclosureVersion, enclosureShort;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        const bool fromSparkle = xml.namespaceUri() == sparkle;
        if (name == u"enclosure") {
            const QXmlStreamAttributes attributes = xml.attributes();
            item.download = webLink(attributes.value(QStringLiteral("url")).toString());
            enclosureVersion = attributes.value(sparkle, QStringLiteral("version")).toString();
            enclosureShort =
                attributes.value(sparkle, QStringLiteral("shortVersionString")).toString();
            xml.skipCurrentElement();
        } else if (fromSparkle && name == u"version") {
            item.version = xml.readElementText().trimmed();
        } else if (fromSparkle && name == u"shortVersionString") {
            item.shortVersion = xml.readElementText().trimmed();
        } else if (fromSparkle && name == u"releaseNotesLink") {
            item.releaseNotes = webLink(xml.readElementText());
        } else if (!fromSparkle && name == u"title" && xml.namespaceUri().isEmpty()) {
            item.title = xml.readElementText().trimmed();
        } else if (!fromSparkle && name == u"link" && xml.namespaceUri().isEmpty()) {
            const QUrl link = webLink(xml.readElementText());
            if (item.download.isEmpty()) item.download = link;
        } else {
            xml.skipCurrentElement();
        }
    }
    if (item.version.isEmpty()) item.version = enclosureVersion;
    if (item.shortVersion.isEmpty()) item.shortVersion = enclosureShort;
    if (item.shortVersion.isEmpty()) item.shortVersion = item.version;
    return item;
}

// The leading number of each dot-separated part.
std::vector<qulonglong> numbers(const QString& version) {
    std::vector<qulonglong> parts;
    for (const QString& part : version.trimmed().split(u'.')) {
        qsizetype digits = 0;
        while (digits < part.size() && part[digits].isDigit() && digits < 18)
            ++digits;
        parts.push_back(part.left(digits).toULongLong());
    }
    while (!parts.empty() && parts.back() == 0)
        parts.pop_back();
    return parts;
}

} // namespace

std::optional<std::vector<AppcastItem>> parseAppcast(const QByteArray& text) {
    QXmlStreamReader xml(text);
    if (!xml.readNextStartElement() || xml.name() != u"rss") return std::nullopt;
    std::vector<AppcastItem> items;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"channel") {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() != u"item") {
                xml.skipCurrentElement();
                continue;
            }
            AppcastItem item = readItem(xml);
            if (!item.version.isEmpty()) items.push_back(std::move(item));
        }
    }
    if (xml.hasError()) return std::nullopt;
    return items;
}

int compareVersions(const QString& a, const QString& b) {
    const std::vector<qulonglong> x = numbers(a), y = numbers(b);
    if (x < y) return -1;
    return x == y ? 0 : 1;
}

std::optional<AppcastItem> newerItem(const std::vector<AppcastItem>& items,
                                     const QString& current) {
    const AppcastItem* newest = nullptr;
    for (const AppcastItem& item : items)
        if (!item.download.isEmpty() && compareVersions(item.version, current) > 0 &&
            (!newest || compareVersions(item.version, newest->version) > 0))
            newest = &item;
    if (!newest) return std::nullopt;
    return *newest;
}

} // namespace folimo::updates
