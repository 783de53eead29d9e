#include "views/quit_question.hpp"

#include "model/set_work.hpp"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace folimo {

bool mayQuit(SetWork& work, QWidget* parent) {
    if (!work.workRunning()) return true;
    QMessageBox question(
        QMessageBox::Warning, QStringLiteral("Folimo"),
        work.batchRunning()
            ? QCoreApplication::translate("QuitQuestion", "Stop making the listing sets and quit?")
            : QCoreApplication::translate("QuitQuestion", "Stop making the listing set and quit?"),
        QMessageBox::NoButton, parent);
    QPushButton* keep = question.addButton(
        QCoreApplication::translate("QuitQuestion", "Keep Working"), QMessageBox::RejectRole);
    QPushButton* stop = question.addButton(
        QCoreApplication::translate("QuitQuestion", "Stop and Quit"), QMessageBox::AcceptRole);
    question.setDefaultButton(keep);
    question.setEscapeButton(keep);
    question.exec();
    if (question.clickedButton() != stop) return false;
    // The images and the video frame in hand are finished first: a moment at most.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    work.stopWork();
    QGuiApplication::restoreOverrideCursor();
    return true;
}

} // namespace folimo
