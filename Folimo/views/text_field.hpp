#pragma once

#include <QLineEdit>

namespace folimo {

// The forms' one-line text field. It takes dragged plain text, never a file: a file dragged
// over it (or text that is a file: address) is left to the page under it, where a dropped PDF
// opens, so no file's address ever lands in a title, a page list or a watermark.
class TextField : public QLineEdit {
    Q_OBJECT
public:
    explicit TextField(QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace folimo
