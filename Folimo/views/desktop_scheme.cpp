#include "views/desktop_scheme.hpp"

#include "views/look.hpp"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <optional>

namespace folimo {

namespace {

const QString portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settings = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString colorScheme = QStringLiteral("color-scheme");

// The portal's value: 1 prefers dark, 2 prefers light, 0 has no preference.
look::Scheme schemeOf(QVariant value) {
    // Read answers a variant holding the value, which older portals wrap once more.
    while (value.canConvert<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    switch (value.toUInt()) {
    case 1:
        return look::Scheme::dark;
    case 2:
        return look::Scheme::light;
    default:
        return look::Scheme::desktop;
    }
}

class SchemeListener : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value) {
        if (group == appearance && key == colorScheme) look::useScheme(schemeOf(value.variant()));
    }
    void answered(const QDBusMessage& reply) {
        if (!reply.arguments().isEmpty()) look::useScheme(schemeOf(reply.arguments().first()));
    }
};

} // namespace

void followDesktopScheme() {
    look::useScheme(look::Scheme::desktop); // what the desktop gave, made readable
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    auto* listener = new SchemeListener(QCoreApplication::instance());
    bus.connect(portal, portalPath, settings, QStringLiteral("SettingChanged"), listener,
                SLOT(settingChanged(QString, QString, QDBusVariant)));
    QDBusMessage read =
        QDBusMessage::createMethodCall(portal, portalPath, settings, QStringLiteral("Read"));
    read << appearance << colorScheme;
    // A running portal answers at once, before the window is made; one that is still starting
    // answers later and the window switches then.
    const QDBusMessage reply = bus.call(read, QDBus::Block, 250);
    if (reply.type() == QDBusMessage::ReplyMessage)
        listener->answered(reply);
    else if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply"))
        bus.callWithCallback(read, listener, SLOT(answered(QDBusMessage)));
}

} // namespace folimo

#include "desktop_scheme.moc"
