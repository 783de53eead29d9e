#pragma once

#include <QPushButton>

namespace folimo {

// The one main action of a place ("Make Listing Set…"), filled with the accent colour and its
// text in the highlighted-text colour, drawn by itself: the style's own buttons lighten a
// filled colour until white text on it can hardly be read. Disabled, it looks like any
// disabled button.
class ProminentButton : public QPushButton {
    Q_OBJECT
public:
    explicit ProminentButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace folimo
