#pragma once

#include "views/more_apps_window.hpp"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QStackedWidget;
class QToolBar;

namespace folimo::updates {
class Updater;
}

namespace folimo {

class AlertHost;
class AppModel;
class FilePanels;
class SegmentedControl;
class Sidebar;

// The least size at which every page shows its controls whole.
inline constexpr QSize minimumWindowSize{760, 520};

// The one window: the sidebar of pages, the detail area showing the chosen page's view, the
// toolbar, the menus and the alert. It reads the model and calls its operations; the model's
// questions are asked with Qt's file dialogs over this window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppModel& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The maker's apps the More Apps window lists (the bundled list unless set), without
    // Folimo itself; with none, "More Apps" is hidden in the menu and the sidebar.
    void setMoreApps(const QList<MoreApp>& apps);
    // Opens the window of the maker's other apps, or raises it when it is already open.
    void showMoreApps();
    // What "Check for Updates…" asks: Updater::shared() unless set (tests give their own).
    void setUpdater(updates::Updater* updater);
    // Brings the window to the front (a second launch of the program asks for it).
    void bringToFront();

    // The More apps window while it is open, else null.
    MoreAppsWindow* moreApps() const;
    AlertHost& alertHost() const { return *alert_; }

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void showPage();
    void showTitle();
    void showSource();
    void about();

    AppModel& model_;
    std::unique_ptr<FilePanels> panels_;
    Sidebar* sidebar_;
    QStackedWidget* detail_;
    QToolBar* toolbar_;
    SegmentedControl* show_;
    QAction* showAction_;
    QAction* moreAppsItem_;
    AlertHost* alert_;
    QList<MoreApp> otherApps_;
    QPointer<MoreAppsWindow> moreApps_;
    updates::Updater* updater_ = nullptr;
};

} // namespace folimo
