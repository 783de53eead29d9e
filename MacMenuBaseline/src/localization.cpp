#include "localization_p.hpp"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QThread>
#include <QTranslator>
#include <macmenubaseline/localization.hpp>

namespace macmenubaseline {
namespace {

const char* const context = "MacMenuBaseline";

QStringList& applicationLanguages() {
    static QStringList languages;
    return languages;
}

// "es_MX" and "es-419" give "es"; a name without a language ("C") is kept as it is.
QString languageCode(const QString& name) {
    const QLocale::Language language = QLocale(name).language();
    if (language == QLocale::AnyLanguage || language == QLocale::C) return name;
    return QLocale::languageToCode(language);
}

bool supported(const QString& code) {
    return code == u"en" || code == u"es";
}

QString chooseLanguage(const QStringList& shipped, const QStringList& user, bool installed) {
    const bool localized =
        std::any_of(shipped.begin(), shipped.end(), [](const QString& l) { return l != u"Base"; });
    if (localized || installed) {
        // The first of the user's languages the application ships, as the application names it.
        for (const QString& wanted : user) {
            const QString code = languageCode(wanted);
            for (const QString& ships : shipped)
                if (ships != u"Base" && languageCode(ships) == code)
                    return supported(code) ? code : QStringLiteral("en");
        }
        return QStringLiteral("en");
    }
    for (const QString& wanted : user)
        if (const QString code = languageCode(wanted); supported(code)) return code;
    return QStringLiteral("en");
}

const QTranslator& translator() {
    static const QTranslator* const loaded = [] {
        const QString bundle = QStringLiteral(":/Corvane_MacMenuBaseline");
        if (!QFileInfo(bundle).isDir())
            qFatal("unable to find bundle named Corvane_MacMenuBaseline");
        const QString code = chooseLanguage(applicationLanguages(), QLocale::system().uiLanguages(),
                                            !QGuiApplication::desktopFileName().isEmpty());
        auto* translator = new QTranslator;
        // Without a translation for the code the module's own (English) texts are shown.
        (void)translator->load(code, bundle);
        return translator;
    }();
    return *loaded;
}

QString translated(const char* source) {
    const QString text = translator().translate(context, source);
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

} // namespace

void setApplicationLanguages(QStringList languages) {
    applicationLanguages() = std::move(languages);
}

QString closeWindowText() {
    return translated(QT_TRANSLATE_NOOP("MacMenuBaseline", "Close Window"));
}

QString helpText(const QString& appName) {
    return translated(QT_TRANSLATE_NOOP("MacMenuBaseline", "%1 Help")).arg(appName);
}

void requireMainThread(const char* where) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        qFatal("%s must be called on the main thread", where);
}

} // namespace macmenubaseline
