#include <QChildEvent>
#include <macmenubaseline/close_guard.hpp>
#include <macmenubaseline/window_probes.hpp>

namespace macmenubaseline {

WindowReader::WindowReader(Found found, QWidget* parent)
    : QWidget(parent)
    , found_(std::move(found)) {
    setFixedSize(0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void WindowReader::setFound(Found found) {
    found_ = std::move(found);
    if (isVisible() && found_) {
        reported_ = window();
        found_(window());
    }
}

void WindowReader::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (reported_ == window() || !found_) return;
    reported_ = window();
    found_(window());
}

WindowUndoManagerReader::WindowUndoManagerReader(Found found, QWidget* parent)
    : QWidget(parent)
    , found_(std::move(found)) {
    setFixedSize(0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void WindowUndoManagerReader::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (window_ != window()) {
        if (window_) window_->removeEventFilter(this);
        window_ = window();
        window_->installEventFilter(this);
    }
    watch();
}

bool WindowUndoManagerReader::eventFilter(QObject* watched, QEvent* event) {
    // A child is announced before it is fully made, so look at the window's children later.
    if (watched == window_ &&
        (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved))
        QMetaObject::invokeMethod(
            this, [this] { watch(); }, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void WindowUndoManagerReader::watch() {
    QUndoGroup* group =
        window_ ? window_->findChild<QUndoGroup*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (group != group_) {
        if (group_) group_->disconnect(this);
        group_ = group;
        if (group_) {
            connect(group_, &QUndoGroup::activeStackChanged, this, [this] { report(); });
            connect(group_, &QObject::destroyed, this, [this] { report(); });
        }
    }
    report();
}

void WindowUndoManagerReader::report() {
    QUndoStack* stack = group_ ? group_->activeStack() : nullptr;
    if (hasReported_ && stack == reported_) return;
    hasReported_ = true;
    reported_ = stack;
    if (found_) found_(stack);
}

void guardsWindowClose(QWidget& view) {
    new WindowReader([](QWidget* window) { CloseGuard::shared().install(window); }, &view);
}

void windowUndoManager(QWidget& view, WindowUndoManagerReader::Found found) {
    new WindowUndoManagerReader(std::move(found), &view);
}

} // namespace macmenubaseline
