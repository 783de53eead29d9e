#pragma once

namespace folimo {

// Draws the window in the desktop's light or dark scheme and follows it when it switches.
// The desktop says which it prefers through the settings portal (org.freedesktop.appearance
// color-scheme), as GNOME and KDE do; without the portal, or with no preference, the window
// keeps the palette the desktop gave it. Call once at start, before the window is made.
void followDesktopScheme();

} // namespace folimo
