#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QStackedWidget;

namespace folimo {

class AlertHost;
class AppModel;
class FilePanels;
class MoreAppsWindow;
class SegmentedControl;
class Sidebar;

// The one window: the sidebar of pages, the detail area showing the chosen page's view, the
// toolbar, the menus and the alert. It reads the model and calls its operations; the model's
// questions are asked with Qt's file dialogs over this window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppModel& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens the window of the maker's other apps, or raises it when it is already open.
    void showMoreApps();
    // Brings the window to the front (a second launch of the program asks for it).
    void bringToFront();

    // The More apps window while it is open, else null.
    MoreAppsWindow* moreApps() const;
    AlertHost& alertHost() const { return *alert_; }

private:
    void showPage();
    void showTitle();
    void showSource();
    void about();

    AppModel& model_;
    std::unique_ptr<FilePanels> panels_;
    Sidebar* sidebar_;
    QStackedWidget* detail_;
    SegmentedControl* show_;
    QAction* showAction_;
    AlertHost* alert_;
    QPointer<MoreAppsWindow> moreApps_;
};

} // namespace folimo
