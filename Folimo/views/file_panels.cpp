#include "views/file_panels.hpp"

#include <QFile>
#include <QFileDialog>

namespace folimo {

namespace {

std::optional<std::filesystem::path> ask(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(
        QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString());
}

} // namespace

std::optional<std::filesystem::path> FilePanels::choosePDF(const QString& message) {
    QFileDialog dialog(window_, message);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QFileDialog::tr("PDF documents (*.pdf *.PDF *.Pdf)"));
    dialog.setAccessibleDescription(message);
    return ask(dialog);
}

std::optional<std::filesystem::path> FilePanels::chooseFolder(const QString& message,
                                                              const QString& prompt) {
    QFileDialog dialog(window_, message);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::Accept, prompt);
    dialog.setAccessibleDescription(message);
    return ask(dialog);
}

} // namespace folimo
