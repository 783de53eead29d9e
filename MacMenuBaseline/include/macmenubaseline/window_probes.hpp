#pragma once

#include <QPointer>
#include <QUndoGroup>
#include <QUndoStack>
#include <QWidget>
#include <functional>

namespace macmenubaseline {

// A zero-size child widget that hands the application the top-level window it is shown in:
// when first shown in a window, when shown in another window, and at once when `found` is
// replaced while it is shown.
class WindowReader : public QWidget {
public:
    using Found = std::function<void(QWidget* window)>;

    WindowReader(Found found, QWidget* parent);
    void setFound(Found found);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Found found_;
    QPointer<QWidget> reported_;
};

// A zero-size child widget that hands the application the undo stack of the window it is
// shown in: the active stack of the window's QUndoGroup (a direct child of the window), or
// null when the window has no group or the group no active stack. Reports when first shown
// and again whenever that stack changes (another active stack, a group added or removed).
class WindowUndoManagerReader : public QWidget {
public:
    using Found = std::function<void(QUndoStack* stack)>;

    WindowUndoManagerReader(Found found, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch();
    void report();

    Found found_;
    QPointer<QWidget> window_;
    QPointer<QUndoGroup> group_;
    QPointer<QUndoStack> reported_;
    bool hasReported_ = false;
};

// Guards the window `view` is shown in: CloseGuard::shared().install(window).
void guardsWindowClose(QWidget& view);

// Calls `found` with the undo stack of the window `view` is shown in, as
// WindowUndoManagerReader describes.
void windowUndoManager(QWidget& view, WindowUndoManagerReader::Found found);

} // namespace macmenubaseline
