#include "views/look.hpp"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace folimo::look {

namespace {

QColor blend(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The colour as it shows over background: a translucent colour mixed with what is under it.
QColor over(const QColor& color, const QColor& background) {
    return blend(background, color, color.alphaF());
}

// Lighter colours stand further from black.
double lightness(const QColor& color) {
    return contrastRatio(color, Qt::black);
}

// The hues that carry meaning, before each scheme makes them readable.
const QColor failureHue(0xd9, 0x73, 0x0d);
const QColor successHue(0x2e, 0x9b, 0x4f);
// The ink of the bundled symbols.
const QColor symbolInk(0x4a, 0x55, 0x60);

QPalette makeDarkPalette() {
    const QColor window(0x2b, 0x2d, 0x30), base(0x1f, 0x21, 0x23), text(0xe8, 0xe8, 0xe8),
        dimmed(0x80, 0x83, 0x87);
    QPalette p(window);
    const auto all = [&](QPalette::ColorRole role, const QColor& color) {
        p.setColor(role, color);
    };
    all(QPalette::Window, window);
    all(QPalette::WindowText, text);
    all(QPalette::Base, base);
    all(QPalette::AlternateBase, QColor(0x27, 0x29, 0x2c));
    all(QPalette::Text, text);
    all(QPalette::Button, QColor(0x3a, 0x3d, 0x41));
    all(QPalette::ButtonText, text);
    all(QPalette::BrightText, Qt::white);
    all(QPalette::PlaceholderText, QColor(0x9c, 0xa0, 0xa5));
    all(QPalette::ToolTipBase, QColor(0x3a, 0x3d, 0x41));
    all(QPalette::ToolTipText, text);
    all(QPalette::Highlight, QColor(0x35, 0x74, 0xc4));
    all(QPalette::HighlightedText, Qt::white);
    all(QPalette::Link, QColor(0x7c, 0xb4, 0xf2));
    all(QPalette::LinkVisited, QColor(0xb4, 0x9c, 0xf2));
    // The bevels: lighter than the window above it, darker below, so edges show.
    all(QPalette::Light, QColor(0x4a, 0x4d, 0x52));
    all(QPalette::Midlight, QColor(0x40, 0x43, 0x47));
    all(QPalette::Mid, QColor(0x4e, 0x52, 0x57));
    all(QPalette::Dark, QColor(0x18, 0x19, 0x1b));
    all(QPalette::Shadow, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dimmed);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x4a, 0x4d, 0x52));
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    return p;
}

// The palette's text roles that would read poorly, made readable: placeholders (an empty
// title field shows the title that will be used) and selected text.
QPalette readablePalette(QPalette palette) {
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setCurrentColorGroup(group);
        const QColor base = palette.color(QPalette::Base);
        palette.setColor(group, QPalette::PlaceholderText,
                         readable(over(palette.color(QPalette::PlaceholderText), base), {base}));
        palette.setColor(group, QPalette::Highlight, accentColor(palette));
    }
    palette.setCurrentColorGroup(QPalette::Active);
    return palette;
}

QPalette& desktopPalette() {
    static QPalette palette = QApplication::palette();
    return palette;
}

QPalette appPalette() {
    return QApplication::palette();
}

// The backgrounds text is drawn on: the window, fields and lists, and their alternate rows.
QColor readableText(const QColor& color) {
    const QPalette p = appPalette();
    return readable(color, {p.color(QPalette::Window), p.color(QPalette::Base),
                            p.color(QPalette::AlternateBase)});
}

// Black or white, whichever reads better on color.
QColor onColor(const QColor& color) {
    return contrastRatio(color, Qt::white) >= contrastRatio(color, Qt::black) ? QColor(Qt::white)
                                                                              : QColor(Qt::black);
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

// Runs apply on its widget whenever the widget's palette changes.
class Follower : public QObject {
public:
    Follower(QWidget& widget, std::function<void(QWidget&)> apply)
        : QObject(&widget)
        , apply_(std::move(apply)) {
        widget.installEventFilter(this);
        run(widget);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange && !running_)
            run(*static_cast<QWidget*>(watched));
        return false;
    }

private:
    void run(QWidget& widget) {
        running_ = true; // what apply sets changes the palette again
        apply_(widget);
        running_ = false;
    }

    std::function<void(QWidget&)> apply_;
    bool running_ = false;
};

// Fusion with the outlines of text fields and check boxes in a colour seen on the scheme's
// backgrounds: Fusion darkens the window colour for them, which vanishes on a dark window and
// is faint on a light one.
class OutlinedFusion : public QProxyStyle {
public:
    OutlinedFusion()
        : QProxyStyle(QStringLiteral("fusion")) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const bool focused = option->state & State_HasFocus;
        const bool outlined = (element == PE_FrameLineEdit && !focused) ||
                              (element == PE_IndicatorCheckBox &&
                               !(focused && option->state & State_KeyboardFocusChange));
        if (!outlined) return;
        QColor color = fieldBorderColor(option->palette);
        if (!(option->state & State_Enabled)) color.setAlphaF(0.5f);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(color);
        painter->setBrush(Qt::NoBrush);
        const QRectF edge = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        if (element == PE_FrameLineEdit)
            painter->drawRoundedRect(edge, 2, 2);
        else
            painter->drawRect(edge);
        painter->restore();
    }
};

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

// A bundled drawing in the colours of the application's palette at the time it is drawn: the
// ink, the success green and the failure orange as the scheme has them, and the white inside
// a symbol in black or white, whichever reads on the symbol's own colour.
class SymbolEngine : public QIconEngine {
public:
    explicit SymbolEngine(QString name)
        : name_(std::move(name)) {
        QFile file(QStringLiteral(":/symbols/%1.svg").arg(name_));
        if (file.open(QIODevice::ReadOnly)) svg_ = file.readAll();
    }

    QIconEngine* clone() const override { return new SymbolEngine(*this); }
    QString key() const override { return QStringLiteral("folimo.symbol"); }
    bool isNull() override { return svg_.isEmpty(); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        QSvgRenderer renderer(drawing());
        painter->save();
        if (mode == QIcon::Disabled) painter->setOpacity(0.45);
        renderer.render(painter, rect);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QByteArray svg = drawing();
        const QString cacheKey = QStringLiteral("folimo.symbol:%1:%2x%3:%4:%5")
                                     .arg(name_)
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(int(mode))
                                     .arg(qHash(svg));
        QPixmap pixmap;
        if (QPixmapCache::find(cacheKey, &pixmap)) return pixmap;
        pixmap = QPixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, pixmap.rect(), mode, state);
        }
        QPixmapCache::insert(cacheKey, pixmap);
        return pixmap;
    }

private:
    QByteArray drawing() const {
        const QColor ink = readableText(symbolInk);
        QColor main = ink;
        QByteArray svg = svg_;
        const auto replace = [&](const QColor& from, const QColor& to) {
            if (!svg.contains(from.name().toLatin1())) return;
            svg.replace(from.name().toLatin1(), to.name().toLatin1());
            main = to;
        };
        replace(symbolInk, ink);
        replace(successHue, successColor());
        replace(failureHue, failureColor());
        svg.replace("#ffffff", onColor(main).name().toLatin1());
        return svg;
    }

    QString name_;
    QByteArray svg_;
};

} // namespace

QColor toQColor(const RGBColor& color) {
    return QColor::fromRgbF(float(std::clamp(color.red, 0.0, 1.0)),
                            float(std::clamp(color.green, 0.0, 1.0)),
                            float(std::clamp(color.blue, 0.0, 1.0)));
}

RGBColor toRGBColor(const QColor& color) {
    const QColor srgb = color.toRgb();
    return {srgb.redF(), srgb.greenF(), srgb.blueF()};
}

double contrastRatio(const QColor& a, const QColor& b) {
    return folimo::contrastRatio(toRGBColor(a), toRGBColor(b));
}

QColor readable(const QColor& color, std::initializer_list<QColor> backgrounds, double contrast) {
    const auto enough = [&](const QColor& c) {
        return std::ranges::all_of(
            backgrounds, [&](const QColor& b) { return contrastRatio(c, b) >= contrast; });
    };
    if (backgrounds.size() == 0 || enough(color)) return color;
    // Away from the backgrounds' lightness: darker on light ones, lighter on dark ones.
    const QColor end =
        lightness(*backgrounds.begin()) > lightness(color) ? QColor(Qt::black) : QColor(Qt::white);
    for (int step = 1; step < 50; ++step)
        if (const QColor c = blend(color, end, step / 50.0); enough(c)) return c;
    return end;
}

bool isDark(const QPalette& palette) {
    return lightness(palette.color(QPalette::Window)) <
           lightness(palette.color(QPalette::WindowText));
}

void useScheme(Scheme scheme) {
    const QPalette& desktop = desktopPalette();
    if (QApplication::style()->name() == QLatin1String("fusion") &&
        !dynamic_cast<OutlinedFusion*>(QApplication::style()))
        QApplication::setStyle(new OutlinedFusion);
    const bool dark = scheme == Scheme::dark;
    QApplication::setPalette(readablePalette(scheme == Scheme::desktop || dark == isDark(desktop)
                                                 ? desktop
                                             : dark ? makeDarkPalette()
                                                    : QApplication::style()->standardPalette()));
}

QColor secondaryColor() {
    const QPalette p = appPalette();
    return readableText(blend(p.color(QPalette::WindowText), p.color(QPalette::Window), 0.45));
}
QColor failureColor() {
    return readableText(failureHue);
}
QColor successColor() {
    return readableText(successHue);
}
QColor accentColor(const QPalette& palette) {
    return readable(palette.color(QPalette::Highlight), {palette.color(QPalette::HighlightedText)});
}
QColor fieldBorderColor(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    return readable(blend(palette.color(QPalette::Text), base, 0.6),
                    {base, palette.color(QPalette::Window)}, outlineContrast);
}

void follow(QWidget& widget, std::function<void(QWidget&)> apply) {
    new Follower(widget, std::move(apply));
}

void makeSecondary(QWidget& widget) {
    follow(widget, [](QWidget& w) { setTextColor(w, secondaryColor()); });
}

void makeCaption(QWidget& widget) {
    scaleFont(widget, 0.85);
}
void makeCallout(QWidget& widget) {
    scaleFont(widget, 0.95);
}
void makeFailure(QWidget& widget) {
    follow(widget, [](QWidget& w) { setTextColor(w, failureColor()); });
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
        QIcon bundled(new SymbolEngine(name));
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

QLabel* symbolLabel(const QString& name, int side, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignTop);
    label->setAccessibleName(QString());
    follow(*label, [icon = symbol(name), side](QWidget& w) {
        static_cast<QLabel&>(w).setPixmap(icon.pixmap(QSize(side, side), w.devicePixelRatioF()));
    });
    return label;
}

} // namespace folimo::look
