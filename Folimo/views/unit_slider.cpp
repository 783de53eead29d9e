#include "views/unit_slider.hpp"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <cmath>

namespace folimo {

namespace {

class UnitSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit UnitSliderAccessible(UnitSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    UnitSlider* slider() const { return static_cast<UnitSlider*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return slider()->valueText();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return slider()->inUnits(slider()->value()); }
    void setCurrentValue(const QVariant& value) override {
        slider()->setValue(slider()->inSteps(value.toDouble()));
    }
    QVariant maximumValue() const override { return slider()->inUnits(slider()->maximum()); }
    QVariant minimumValue() const override { return slider()->inUnits(slider()->minimum()); }
    QVariant minimumStepSize() const override { return slider()->inUnits(slider()->singleStep()); }
};

QAccessibleInterface* unitSliderAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("folimo::UnitSlider"))
        return new UnitSliderAccessible(static_cast<UnitSlider*>(object));
    return nullptr;
}

} // namespace

UnitSlider::UnitSlider(double stepsPerUnit, std::function<QString(double)> text, QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
    , stepsPerUnit_(stepsPerUnit)
    , text_(std::move(text)) {
    static const bool installed = [] {
        QAccessible::installFactory(unitSliderAccessible);
        return true;
    }();
    (void)installed;
}

int UnitSlider::inSteps(double units) const {
    const double steps = units * stepsPerUnit_;
    if (!std::isfinite(steps)) return minimum();
    return int(std::lround(std::clamp(steps, double(minimum()), double(maximum()))));
}

} // namespace folimo
