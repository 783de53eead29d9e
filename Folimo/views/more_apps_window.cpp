#include "views/more_apps_window.hpp"

#include "views/look.hpp"

#include <QDesktopServices>
#include <QFile>
#include <QGridLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace folimo {

QList<MoreApp> readMoreApps(const QByteArray& json) {
    QList<MoreApp> apps;
    const QJsonArray entries = QJsonDocument::fromJson(json).object().value("apps").toArray();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        MoreApp app{entry.value("name").toString().trimmed(), entry.value("summary").toString(),
                    QUrl(entry.value("url").toString(), QUrl::StrictMode),
                    entry.value("icon").toString()};
        // Only web pages are opened: a file or program address in the list is never followed.
        const bool web = app.url.isValid() && !app.url.host().isEmpty() &&
                         (app.url.scheme() == "https" || app.url.scheme() == "http");
        if (!app.name.isEmpty() && web) apps << app;
    }
    return apps;
}

QList<MoreApp> bundledMoreApps() {
    QFile file(":/more_apps.json");
    return file.open(QIODevice::ReadOnly) ? readMoreApps(file.readAll()) : QList<MoreApp>{};
}

QList<MoreApp> otherApps(const QList<MoreApp>& apps, const QString& self) {
    QList<MoreApp> others;
    for (const MoreApp& app : apps)
        if (app.name.compare(self, Qt::CaseInsensitive) != 0) others << app;
    return others;
}

namespace {

QIcon appIcon(const QString& icon) {
    if (icon.startsWith(':') && QFile::exists(icon)) return QIcon(icon);
    if (!icon.isEmpty() && QIcon::hasThemeIcon(icon)) return QIcon::fromTheme(icon);
    return look::symbol("square.grid.2x2");
}

} // namespace

MoreAppsWindow::MoreAppsWindow(const QList<MoreApp>& apps, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("More Apps"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(16);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const MoreApp& app : apps) {
        auto* icon = new QLabel(this);
        icon->setPixmap(appIcon(app.icon).pixmap(48, 48));
        auto* name = look::sectionHeader(app.name, this);
        auto* summary = new QLabel(app.summary, this);
        look::makeSecondary(*summary);
        summary->setWordWrap(true);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(2);
        texts->addWidget(name);
        texts->addWidget(summary);
        auto* visit = new QPushButton(tr("Visit Page"), this);
        visit->setAccessibleName(tr("Visit the %1 page").arg(app.name));
        visit->setToolTip(app.url.toString());
        connect(visit, &QPushButton::clicked, this,
                [url = app.url] { QDesktopServices::openUrl(url); });
        grid->addWidget(icon, row, 0, Qt::AlignTop);
        grid->addLayout(texts, row, 1);
        grid->addWidget(visit, row, 2, Qt::AlignVCenter);
        ++row;
    }
    if (apps.isEmpty()) grid->addWidget(new QLabel(tr("No other apps to show."), this), 0, 0);
    setMinimumWidth(520);
}

} // namespace folimo
