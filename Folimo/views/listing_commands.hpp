#pragma once

#include <functional>

class QAction;
class QMainWindow;

namespace folimo {

class AppModel;

// What the menus ask of the application beyond the model.
struct AppCommands {
    std::function<void()> about;
    std::function<void()> checkForUpdates;
    std::function<void()> moreApps;
};

// The window's menus: File ("Open PDF…", "Open Recent", "Open the Sample PDF", "Make Listing Set…",
// "Close Window", "Quit"), Edit (Undo and Redo of the model's steps; Cut, Copy, Paste and Select
// All of the focused field), Go (the four pages, then the three panes of the listing page) and Help
// ("About Folimo", "Check for Updates…", "More Apps…"). Their keys work wherever the focus is in
// the window. Call once per window. Answers the "More Apps…" item, which the window shows only when
// there are other apps to list.
QAction* addListingCommands(QMainWindow& window, AppModel& model, const AppCommands& app);

} // namespace folimo
