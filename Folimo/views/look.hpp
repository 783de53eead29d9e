#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QString>

class QLabel;
class QWidget;

// The small shared look of the window's views: the few colours that carry meaning, the
// secondary and caption text styles, section headers and the symbols.
namespace folimo::look {

// The orange of failure messages (export bar, batch rows).
QColor failureColor();
// The green of a finished export's checkmark.
QColor successColor();
// The window's accent colour (selection and prominent buttons).
QColor accentColor(const QWidget& widget);

// The dimmed colour of lesser text on this palette.
QColor secondaryColor(const QPalette& palette);
// Dimmed text for lesser information (the sidebar's page count, the export summary).
void makeSecondary(QWidget& widget);
// Text sizes below the body text: caption for summaries, callout for status lines.
void makeCaption(QWidget& widget);
void makeCallout(QWidget& widget);
// Text in the failure orange.
void makeFailure(QWidget& widget);
// A filled button in the accent colour, for the one main action of a place.
void makeProminent(QWidget& widget);

// A bold header above a group of controls.
QLabel* sectionHeader(const QString& text, QWidget* parent = nullptr);
// The head of a page (Batch, Sizes): its title, large and bold, and under it a sentence in the
// secondary colour.
QWidget* pageHeader(const QString& title, const QString& sentence);

// The icon for a symbol named as the design names it ("doc.badge.plus", "paintpalette"...):
// the desktop theme's icon where the theme has one, otherwise the bundled drawing, so no
// symbol is ever blank. An unknown name gives a null icon.
QIcon symbol(const QString& name);
// Every symbol name symbol() knows.
QStringList symbolNames();

} // namespace folimo::look
