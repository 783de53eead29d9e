#include "views/segmented_control.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QToolButton>
#include <algorithm>

namespace folimo {

namespace {

// Room beside a segment's text, and the least of its text shown when room is short.
constexpr int segmentPadding = 16;
constexpr int leastText = 40;

// One choice of the control: a toggle button that screen readers read as a radio button.
class Segment : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;

    QString choice; // the whole text, which the button shows shortened when room is short
};

class SegmentAccessible : public QAccessibleWidget {
public:
    explicit SegmentAccessible(Segment* segment)
        : QAccessibleWidget(segment, QAccessible::RadioButton) {}

    Segment* segment() const { return static_cast<Segment*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return segment()->choice;
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = segment()->isChecked();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            segment()->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* segmentedAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(SegmentedControl::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    if (className == QLatin1String(Segment::staticMetaObject.className()))
        return new SegmentAccessible(static_cast<Segment*>(object));
    return nullptr;
}

} // namespace

SegmentedControl::SegmentedControl(const QString& label, const QStringList& choices,
                                   QWidget* parent)
    : QWidget(parent)
    , group_(new QButtonGroup(this)) {
    static const bool installed = [] {
        QAccessible::installFactory(segmentedAccessible);
        return true;
    }();
    (void)installed;
    setAccessibleName(label);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new Segment(this);
        button->choice = choices[i];
        button->setText(choices[i]);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        const int width = button->sizeHint().width() + segmentPadding;
        segments_.append({button, choices[i], width,
                          width - button->fontMetrics().horizontalAdvance(choices[i])});
        group_->addButton(button, i);
    }
    group_->setExclusive(true);
    setCurrent(0);
    // Toggled, not clicked: a screen reader's toggle action checks a segment without a click.
    connect(group_, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked && !choosing_) emit chosen(index);
    });
}

QSize SegmentedControl::sizeHint() const {
    int width = 0, height = 0;
    for (const Choice& segment : segments_) {
        width += segment.width;
        height = std::max(height, segment.button->sizeHint().height());
    }
    return {width, height};
}

QSize SegmentedControl::minimumSizeHint() const {
    int width = 0;
    for (const Choice& segment : segments_)
        width += std::min(segment.width, segment.chrome + leastText);
    return {width, sizeHint().height()};
}

// Each segment gets its share of the room in proportion to its whole width; a text that does
// not fit its share is shortened in the middle, where two choices that start alike differ.
void SegmentedControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const double share = std::min(1.0, double(width()) / sizeHint().width());
    int left = 0;
    for (int i = 0; i < segments_.size(); ++i) {
        const Choice& segment = segments_[i];
        const int right =
            i + 1 == segments_.size()
                ? std::min(width(), sizeHint().width())
                : left + std::max(int(segment.width * share),
                                  std::min(segment.width, segment.chrome + leastText));
        const QFontMetrics metrics = segment.button->fontMetrics();
        // Whole when the segment has its whole width: measuring again to shorten it could find
        // the text a fraction of a pixel wider than the whole width allowed for.
        const QString shown =
            right - left >= segment.width
                ? segment.text
                : metrics.elidedText(segment.text, Qt::ElideMiddle, right - left - segment.chrome);
        segment.button->setText(shown);
        segment.button->setToolTip(shown == segment.text ? QString() : segment.text);
        segment.button->setGeometry(left, 0, right - left, height());
        left = right;
    }
}

int SegmentedControl::current() const {
    return group_->checkedId();
}

void SegmentedControl::setCurrent(int index) {
    choosing_ = true;
    if (auto* button = group_->button(index)) button->setChecked(true);
    choosing_ = false;
}

} // namespace folimo

#include "segmented_control.moc"
