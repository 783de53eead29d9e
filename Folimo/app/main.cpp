#include "views/main_window.hpp"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    folimo::MainWindow window;
    window.show();
    return app.exec();
}
