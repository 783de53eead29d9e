#pragma once

#include <QString>
#include <filesystem>
#include <optional>

namespace folimo {

// The questions the model asks the user with the platform's file panels. The window gives
// the real ones (Qt's file dialogs); tests give scripted answers. Called on the main thread
// and modal: the call returns once the user has answered. No answer (cancelled, or the panel
// gave no path) is nothing.
class Panels {
public:
    virtual ~Panels() = default;

    // An open panel for one PDF file (only PDFs can be chosen), showing message.
    virtual std::optional<std::filesystem::path> choosePDF(const QString& message) = 0;
    // An open panel that chooses one folder and can create folders, showing message, with
    // prompt as its confirm button's text.
    virtual std::optional<std::filesystem::path> chooseFolder(const QString& message,
                                                              const QString& prompt) = 0;
};

} // namespace folimo
