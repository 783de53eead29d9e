#include "updates/update_messages.hpp"

#include <QApplication>
#include <QMessageBox>

namespace folimo::updates {
namespace {

QString orThisApp(const QString& name) {
    return name.isEmpty() ? QStringLiteral("This app") : name;
}

} // namespace

QString applicationName() {
    return QCoreApplication::instance() ? QGuiApplication::applicationDisplayName() : QString();
}

QString applicationVersion() {
    return QCoreApplication::applicationVersion();
}

UpdateMessage upToDateMessage(const QString& name, const QString& version) {
    const QString app = orThisApp(name);
    return {QStringLiteral("You’re up to date"),
            app + u' ' + version + QStringLiteral(" is the newest version. ") + app +
                QStringLiteral(" checks for updates on its own and will let you know when "
                               "there’s a new one.")};
}

UpdateMessage unreachableMessage(const QString& name) {
    return {QStringLiteral("Couldn’t check for updates"),
            QStringLiteral("Check your internet connection and try again. ") + orThisApp(name) +
                QStringLiteral(" also checks on its own about once a day.")};
}

UpdateMessage unreadableFeedMessage(const QString& name) {
    return {QStringLiteral("Couldn’t check for updates"),
            QStringLiteral("The update information could not be read. ") + orThisApp(name) +
                QStringLiteral(" also checks on its own about once a day.")};
}

UpdateMessage noFeedMessage(const QString& name) {
    return {QStringLiteral("Updates come with your system"),
            orThisApp(name) + QStringLiteral(" is updated with your system’s other software. Use "
                                             "your software updater to get the latest version.")};
}

QMessageBox* showMessage(const UpdateMessage& message, QWidget* window) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    auto* box = new QMessageBox(QMessageBox::Information, applicationName(), message.title,
                                QMessageBox::Ok, window);
    box->setInformativeText(message.text);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

} // namespace folimo::updates
