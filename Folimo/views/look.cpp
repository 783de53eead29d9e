#include "views/look.hpp"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <utility>

namespace folimo::look {

namespace {

QColor blend(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

void setTextColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, color);
    widget.setPalette(palette);
}

void scaleFont(QWidget& widget, double factor) {
    QFont font = widget.font();
    font.setPointSizeF(QApplication::font().pointSizeF() * factor);
    widget.setFont(font);
}

// The design's symbol names, each with the freedesktop icon name a theme may have for it. An
// empty theme name means the drawing is always the bundled one: its colour carries meaning.
constexpr std::array<std::pair<const char*, const char*>, 16> symbols{{
    {"photo.on.rectangle.angled", "image-x-generic"},
    {"folder.badge.gearshape", "folder"},
    {"paintpalette", "applications-graphics"},
    {"aspectratio", "zoom-fit-best"},
    {"doc.richtext", "x-office-document"},
    {"doc.badge.plus", "document-open"},
    {"square.grid.2x2", "view-app-grid"},
    {"checkmark.circle.fill", ""},
    {"exclamationmark.triangle.fill", ""},
    {"play.fill", "media-playback-start"},
    {"pause.fill", "media-playback-pause"},
    // The layouts' drawings stay the bundled ones so the six read as one set.
    {"square.grid.3x2", ""},
    {"rectangle.stack", ""},
    {"list.clipboard", ""},
    {"pencil.and.ruler", ""},
    {"photo.artframe", ""},
}};

} // namespace

QColor failureColor() {
    return QColor(0xd9, 0x73, 0x0d);
}
QColor successColor() {
    return QColor(0x2e, 0x9b, 0x4f);
}
QColor accentColor(const QWidget& widget) {
    return widget.palette().color(QPalette::Highlight);
}

QColor secondaryColor(const QPalette& palette) {
    return blend(palette.color(QPalette::WindowText), palette.color(QPalette::Window), 0.45);
}

void makeSecondary(QWidget& widget) {
    setTextColor(widget, secondaryColor(widget.palette()));
}

void makeCaption(QWidget& widget) {
    scaleFont(widget, 0.85);
}
void makeCallout(QWidget& widget) {
    scaleFont(widget, 0.95);
}
void makeFailure(QWidget& widget) {
    setTextColor(widget, failureColor());
}

void makeProminent(QWidget& widget) {
    // Only the enabled look is filled: a disabled prominent button looks disabled.
    QPalette palette = widget.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Button, accentColor(widget));
        palette.setColor(group, QPalette::ButtonText,
                         palette.color(group, QPalette::HighlightedText));
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
    QFont font = widget.font();
    font.setBold(true);
    widget.setFont(font);
    widget.setMinimumHeight(widget.fontMetrics().height() * 2 + 4);
}

QLabel* sectionHeader(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QWidget* pageHeader(const QString& title, const QString& sentence) {
    auto* header = new QWidget;
    auto* titleLabel = new QLabel(title, header);
    QFont titleFont = titleLabel->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    auto* sentenceLabel = new QLabel(sentence, header);
    sentenceLabel->setWordWrap(true);
    makeSecondary(*sentenceLabel);
    auto* column = new QVBoxLayout(header);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(titleLabel);
    column->addWidget(sentenceLabel);
    return header;
}

QIcon symbol(const QString& name) {
    for (const auto& [symbolName, themeName] : symbols) {
        if (name != QLatin1String(symbolName)) continue;
        QIcon bundled(QStringLiteral(":/symbols/%1.svg").arg(name));
        if (*themeName == '\0') return bundled;
        return QIcon::fromTheme(QLatin1String(themeName), bundled);
    }
    return {};
}

QStringList symbolNames() {
    QStringList names;
    for (const auto& entry : symbols)
        names << QLatin1String(entry.first);
    return names;
}

} // namespace folimo::look
