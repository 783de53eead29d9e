#include "views/layout_card.hpp"

#include "model/listing_session.hpp"
#include "model/previews.hpp"
#include "views/look.hpp"
#include "views/picture_view.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace folimo {

namespace {

constexpr int inset = 8;
constexpr QSize thumbSize{116, 87};
constexpr int nameGap = 6;
constexpr int checkSide = 20;

class CardAccessible : public QAccessibleWidget {
public:
    explicit CardAccessible(LayoutCard* card)
        : QAccessibleWidget(card, QAccessible::Button) {}

    LayoutCard* card() const { return static_cast<LayoutCard*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return card()->text();
        if (t == QAccessible::Value || t == QAccessible::Description)
            return card()->membershipText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = card()->isSelectedLayout();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            card()->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* cardAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("folimo::LayoutCard"))
        return new CardAccessible(static_cast<LayoutCard*>(object));
    return nullptr;
}

} // namespace

LayoutCard::LayoutCard(ListingSession& session, Previews& previews, ImageLayout layout,
                       QWidget* parent)
    : QAbstractButton(parent)
    , session_(session)
    , previews_(previews)
    , layout_(layout)
    , thumbnail_(new PictureView(this))
    , checkMark_(new QLabel(this)) {
    static const bool installed = [] {
        QAccessible::installFactory(cardAccessible);
        return true;
    }();
    (void)installed;
    setText(QString::fromUtf8(title(layout).data(), qsizetype(title(layout).size())));
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    thumbnail_->setGeometry(thumbnailFrame());
    checkMark_->setGeometry(checkMarkRect());
    look::follow(*checkMark_, [](QWidget& w) {
        static const QIcon check = look::symbol(QStringLiteral("checkmark.circle.fill"));
        static_cast<QLabel&>(w).setPixmap(
            check.pixmap(checkMarkRect().size(), w.devicePixelRatioF()));
    });
    for (QWidget* part : {static_cast<QWidget*>(thumbnail_), static_cast<QWidget*>(checkMark_)}) {
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
        part->setAccessibleName({});
    }
    refresh();
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (!isSelectedLayout()) previews_.setSelectedLayout(layout_);
    });
}

bool LayoutCard::isSelectedLayout() const {
    return previews_.selectedLayout() == layout_;
}

bool LayoutCard::isInSet() const {
    return session_.settings().layouts.contains(layout_);
}

QString LayoutCard::membershipText() const {
    return isInSet() ? QStringLiteral("In the set") : QStringLiteral("Not in the set");
}

void LayoutCard::setThumbnail(const QImage& thumbnail) {
    thumbnail_->setPicture(thumbnail);
}

const QImage& LayoutCard::thumbnail() const {
    return thumbnail_->picture();
}

void LayoutCard::refresh() {
    const bool inSet = isInSet();
    const bool selected = isSelectedLayout();
    // Screen readers keep what they were told; tell them what changed.
    if (inSet != shownInSet_) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
    if (selected != shownSelected_) {
        QAccessible::State state;
        state.selected = true;
        QAccessibleStateChangeEvent changed(this, state);
        QAccessible::updateAccessibility(&changed);
    }
    shownInSet_ = inSet;
    shownSelected_ = selected;
    checkMark_->setVisible(inSet);
    update();
}

QRect LayoutCard::thumbnailFrame() {
    return {inset, inset, thumbSize.width(), thumbSize.height()};
}

QRect LayoutCard::checkMarkRect() {
    const QRect frame = thumbnailFrame();
    return {frame.right() - checkSide + 5, frame.top() - 5, checkSide, checkSide};
}

QSize LayoutCard::sizeHint() const {
    return {thumbSize.width() + 2 * inset,
            inset + thumbSize.height() + nameGap + fontMetrics().height() + inset};
}

void LayoutCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QColor accent = look::accentColor(palette());
    if (isSelectedLayout()) {
        QColor fill = accent;
        fill.setAlphaF(0.15f);
        painter.setPen(QPen(accent, 2));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);
    }
    if (hasFocus()) {
        painter.setPen(QPen(accent, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(3, 3, -3, -3), 8, 8);
    }

    const QRect frame = thumbnailFrame();
    const QRect nameRect(0, frame.bottom() + 1 + nameGap, width(), fontMetrics().height());
    painter.setPen(isSelectedLayout() ? palette().color(QPalette::WindowText)
                                      : look::secondaryColor());
    painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop,
                     fontMetrics().elidedText(text(), Qt::ElideRight, width() - 4));
}

} // namespace folimo
