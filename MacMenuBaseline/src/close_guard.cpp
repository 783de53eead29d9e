#include "localization_p.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QScopedValueRollback>
#include <macmenubaseline/close_guard.hpp>

namespace macmenubaseline {

CloseGuard& CloseGuard::shared() {
    static CloseGuard* const guard = new CloseGuard;
    return *guard;
}

void CloseGuard::install(QWidget* window) {
    requireMainThread("CloseGuard::install");
    main_ = window;
    // Qt keeps one entry per filter and object: installing again only moves it to the front.
    if (window) window->installEventFilter(this);
}

void CloseGuard::closeKeyWindow() {
    requireMainThread("CloseGuard::closeKeyWindow");
    QWidget* window = QApplication::activeWindow();
    if (!window) window = main_;
    if (!window) return;
    if (window != main_) {
        window->close();
        return;
    }
    if (askShouldClose()) closeWithoutAsking(window);
}

bool CloseGuard::request(QWidget* window) {
    requireMainThread("CloseGuard::request");
    if (!window || !askShouldClose()) return false;
    return closeWithoutAsking(window);
}

void CloseGuard::setShouldClose(std::function<bool()> shouldClose) {
    requireMainThread("CloseGuard::setShouldClose");
    shouldClose_ = std::move(shouldClose);
}

void CloseGuard::setMain(QWidget* window) {
    requireMainThread("CloseGuard::setMain");
    main_ = window;
}

bool CloseGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == main_ && watched != closing_ &&
        !askShouldClose()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool CloseGuard::askShouldClose() const {
    return !shouldClose_ || shouldClose_();
}

bool CloseGuard::closeWithoutAsking(QWidget* window) {
    const QScopedValueRollback passing(closing_, window);
    return window->close();
}

} // namespace macmenubaseline
