#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QString>
#include <folimo/color.hpp>
#include <functional>
#include <initializer_list>

class QLabel;
class QWidget;

// The small shared look of the window's views: the colours, the secondary and caption text
// styles, section headers and the symbols. Every colour comes from the application's palette,
// so the window reads as well in a dark scheme as in a light one, and follows the desktop when
// it switches between them.
namespace folimo::look {

// A colour of the library as Qt draws it, opaque, channels held to 0…1; and back, as sRGB.
QColor toQColor(const RGBColor& color);
RGBColor toRGBColor(const QColor& color);

// The contrast of two colours as accessibility guidelines measure it, from 1 (the same
// lightness) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);
// The contrast text needs to be read comfortably (4.5 : 1).
constexpr double textContrast = 4.5;
// The contrast an outline needs to be seen against what surrounds it (3 : 1).
constexpr double outlineContrast = 3.0;
// color itself when it has contrast against each of the backgrounds, otherwise color made
// darker (on light backgrounds) or lighter (on dark ones) until it has, keeping its hue.
QColor readable(const QColor& color, std::initializer_list<QColor> backgrounds,
                double contrast = textContrast);

// How the desktop asks the window to look: as its palette is, or light or dark.
enum class Scheme { desktop, light, dark };
// Draws the application in scheme. Desktop: the palette the desktop gave at start. Light or
// dark: that palette when it is light or dark already, otherwise Qt's light palette or a dark
// palette of our own. In each, placeholder text and selections are made readable. Widgets
// made with the functions below follow.
void useScheme(Scheme scheme);
bool isDark(const QPalette& palette);

// The colours below are those of the application's palette.
// Lesser text (captions, summaries, unselected names), on the window, fields and list rows.
QColor secondaryColor();
// The orange of failure messages and the green of success, chosen per scheme.
QColor failureColor();
QColor successColor();
// The accent (selection, prominent buttons): the palette's highlight, made dark or light
// enough for the highlighted text on it.
QColor accentColor(const QPalette& palette);
// The outline of a text field, seen against the field and the window around it.
QColor fieldBorderColor(const QPalette& palette);

// Calls apply on widget now and again whenever the palette changes, so what it sets from the
// palette stays in step with the scheme.
void follow(QWidget& widget, std::function<void(QWidget&)> apply);
// Dimmed text for lesser information (the sidebar's page count, the export summary).
void makeSecondary(QWidget& widget);
// Text sizes below the body text: caption for summaries, callout for status lines.
void makeCaption(QWidget& widget);
void makeCallout(QWidget& widget);
// Text in the failure orange.
void makeFailure(QWidget& widget);

// A bold header above a group of controls.
QLabel* sectionHeader(const QString& text, QWidget* parent = nullptr);
// The head of a page (Batch, Sizes): its title, large and bold, and under it a sentence in the
// secondary colour.
QWidget* pageHeader(const QString& title, const QString& sentence);

// The icon for a symbol named as the design names it ("doc.badge.plus", "paintpalette"...):
// the desktop theme's icon where the theme has one, otherwise the bundled drawing in the
// scheme's colours, so no symbol is ever blank. An unknown name gives a null icon.
QIcon symbol(const QString& name);
// Every symbol name symbol() knows.
QStringList symbolNames();
// A label showing the symbol at side × side, hidden from screen readers (the text beside it
// says everything), redrawn when the scheme changes.
QLabel* symbolLabel(const QString& name, int side, QWidget* parent = nullptr);

} // namespace folimo::look
