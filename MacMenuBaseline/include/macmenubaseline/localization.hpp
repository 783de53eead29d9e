#pragma once

#include <QStringList>

namespace macmenubaseline {

// The module shows its two strings ("Close Window" and "<appName> Help") in English or
// Spanish, in a language chosen once per process, at the first string it shows:
//
// - When the application ships translations of its own (set here) or runs as an installed
//   desktop application (QGuiApplication::desktopFileName() is set), the module follows the
//   application's language: the first of the user's UI languages that the application ships,
//   in Spanish when that is Spanish and in English otherwise (also when the application ships
//   none of the user's languages).
// - Otherwise (tests, tools) it follows the user: the first of QLocale::uiLanguages() that is
//   English or Spanish, else English.
//
// A build without the module's resource (Corvane_MacMenuBaseline) stops the process with
// "unable to find bundle named Corvane_MacMenuBaseline" at that first string.

// The languages the application ships translations for, as locale names ("es", "pt_BR").
// Call before the first menu is built; "Base" entries do not count.
void setApplicationLanguages(QStringList languages);

} // namespace macmenubaseline
