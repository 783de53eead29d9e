#pragma once

#include "model/panels.hpp"

class QWidget;

namespace folimo {

// The model's questions asked with Qt's file dialogs, over the window.
class FilePanels : public Panels {
public:
    explicit FilePanels(QWidget* window)
        : window_(window) {}

    std::optional<std::filesystem::path> choosePDF(const QString& message) override;
    std::optional<std::filesystem::path> chooseFolder(const QString& message,
                                                      const QString& prompt) override;

private:
    QWidget* window_;
};

} // namespace folimo
