// Prints the texts the baseline gives a window's menus, one per line, in the language this
// process chooses: strings_probe [--installed] [--ships=es,en] [--no-resource]
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <cstdio>
#include <macmenubaseline/localization.hpp>
#include <macmenubaseline/menu_baseline.hpp>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument == u"--installed") QGuiApplication::setDesktopFileName("strings-probe");
        if (argument.startsWith(u"--ships="))
            macmenubaseline::setApplicationLanguages(argument.mid(8).split(u','));
        if (argument == u"--no-resource") Q_CLEANUP_RESOURCE(Corvane_MacMenuBaseline);
    }
    QMainWindow window;
    macmenubaseline::menuBaseline(
        window, {.close = macmenubaseline::CloseWindowAction::guarded(),
                 .help = macmenubaseline::MenuHelp::action("Folimo", std::nullopt, [] {})});
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            std::printf("%s\n", qPrintable(item->text()));
    return 0;
}
