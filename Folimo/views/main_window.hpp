#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QStackedWidget;

namespace folimo {

class MoreAppsWindow;
class SegmentedControl;
class Sidebar;

// The one window: the sidebar of pages, the detail area showing the chosen page's view and
// the toolbar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Opens the window of the maker's other apps, or raises it when it is already open.
    void showMoreApps();

private:
    Sidebar* sidebar_;
    QStackedWidget* detail_;
    SegmentedControl* show_;
    QAction* showAction_;
    QAction* openAction_;
    QPointer<MoreAppsWindow> moreApps_;
};

} // namespace folimo
