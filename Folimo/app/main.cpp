#include "app/desktop_notices.hpp"
#include "app/quit_on_signal.hpp"
#include "app/single_instance.hpp"
#include "model/app_model.hpp"
#include "model/translation.hpp"
#include "model/work_notices.hpp"
#include "updates/updater.hpp"
#include "views/desktop_scheme.hpp"
#include "views/export_bar.hpp"
#include "views/main_window.hpp"
#include "views/review_prompt_host.hpp"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <vector>

namespace {

std::vector<std::filesystem::path> paths(const QStringList& files) {
    std::vector<std::filesystem::path> out;
    for (const QString& file : files)
        out.emplace_back(QFile::encodeName(file).toStdString());
    return out;
}

// `folimo --version` and `folimo --help` answer on the terminal before the application is made,
// so they need no display.
bool printedVersionOrHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::puts("Folimo " FOLIMO_VERSION);
            return true;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(
                "usage: folimo [FILE.pdf\u2026]\n"
                "       folimo --version\n\n"
                "Opens the Folimo window with the first PDF among the files; a second start\n"
                "while Folimo runs hands its PDFs to the open window.\n",
                stdout);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (printedVersionOrHelp(argc, argv)) return 0;
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Folimo");
    QApplication::setApplicationName("Folimo");
    QApplication::setApplicationDisplayName("Folimo");
    QApplication::setApplicationVersion(FOLIMO_VERSION);
    QApplication::setDesktopFileName("com.corvane.Folimo");
    QApplication::setWindowIcon(QIcon(":/com.corvane.Folimo.svg"));
    folimo::installTranslation();

    // PDFs handed over by the system, as absolute paths: a running Folimo has another folder.
    QStringList files;
    for (const QString& argument : QApplication::arguments().mid(1))
        files << QFileInfo(argument).absoluteFilePath();
    folimo::SingleInstance instance(folimo::SingleInstance::defaultServerName());
    switch (instance.handOver(files)) {
    case folimo::SingleInstance::HandOver::taken:
        return 0;
    case folimo::SingleInstance::HandOver::alone:
        instance.listen();
        break;
    case folimo::SingleInstance::HandOver::refused:
        std::fputs("folimo: the running Folimo did not answer, so this one opens a window of "
                   "its own.\n",
                   stderr);
        break;
    }
    folimo::followDesktopScheme();

    // The model is made before the window and goes after it, and both go before main()
    // returns: the model's work is stopped and joined while the program is whole.
    const auto owner = folimo::AppModel::makeShared();
    folimo::AppModel& model = *owner;
    // A service manager's SIGTERM, a closed terminal's SIGHUP and Ctrl-C end the program as
    // Quit does, without asking; so does the end of the desktop session, whose work is
    // stopped as soon as the session manager asks the program to save.
    folimo::QuitOnSignal onSignal;
    QObject::connect(&onSignal, &folimo::QuitOnSignal::received,
                     [](int signal) { QCoreApplication::exit(128 + signal); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &model,
                     [&model](QSessionManager&) { model.work().stopWork(); });
    folimo::MainWindow window(model);
    // A set or batch that ends while the user is in another program is told as a
    // notification, and running work shows on the taskbar entry.
    folimo::WorkNotices notices(
        model.work(), [] { return QGuiApplication::applicationState() == Qt::ApplicationActive; },
        folimo::revealInFileManager);
    folimo::DesktopNotices desktop(notices, QDBusConnection::sessionBus());
    // There is no store review request on Linux: asking for a review shows nothing.
    folimo::ReviewPromptHost review(model, [] {});
    QObject::connect(&instance, &folimo::SingleInstance::filesReceived, &window,
                     [&](const QStringList& received) {
                         window.bringToFront();
                         model.session().openFiles(paths(received));
                     });
    window.show();
    model.session().openFiles(paths(files));
    // The update checker is made once the event loop runs, and its scheduled checks with it.
    QTimer::singleShot(0, [] { folimo::updates::Updater::shared(); });
    return QApplication::exec();
}
