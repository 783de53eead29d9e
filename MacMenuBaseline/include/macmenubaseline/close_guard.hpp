#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace macmenubaseline {

// Asks the application before its main window closes. One per process; main thread only
// (any other thread is a programming fault and stops the process).
//
// The guard watches the close event of its main window, so the window's close button, the
// window manager's close, Alt+F4, QWidget::close() and "Close Window" all ask shouldClose
// first; when it answers false the window stays open. Other windows close plainly.
class CloseGuard : public QObject {
    Q_OBJECT

public:
    static CloseGuard& shared();

    // Makes `window` (a top-level widget) the guarded main window. Installing the same
    // window again changes nothing: there is still one interception.
    void install(QWidget* window);

    // The guarded "Close Window": the active window, or the main window when none is active.
    // The main window closes only when shouldClose answers true; any other window is closed
    // as its close button would close it. Nothing happens with neither.
    void closeKeyWindow();

    // Asks shouldClose; on true closes `window` without asking again. True when the window
    // did close (its own close handling may still keep it open).
    bool request(QWidget* window);

    // Default: always true. An empty function counts as always true.
    std::function<bool()> shouldClose() const { return shouldClose_; }
    void setShouldClose(std::function<bool()> shouldClose);

    // Held weakly: a deleted window reads as none. Only an installed window's own close is
    // watched; setMain alone changes which window closeKeyWindow treats as the main one.
    QWidget* main() const { return main_; }
    void setMain(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CloseGuard() = default;
    bool askShouldClose() const;
    bool closeWithoutAsking(QWidget* window);

    std::function<bool()> shouldClose_ = [] { return true; };
    QPointer<QWidget> main_;
    QWidget* closing_ = nullptr; // the window being closed after the guard has already asked
};

} // namespace macmenubaseline
