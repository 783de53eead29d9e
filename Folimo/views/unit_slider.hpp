#pragma once

#include <QSlider>
#include <functional>

namespace folimo {

// A slider that counts in small steps and reads in the unit a person knows: the Time slider
// counts milliseconds and reads as seconds, the watermark's Strength counts thousandths and
// reads as percent. Screen readers get its value, range and step in that unit, and its value
// as a text ("1.5 seconds", "22%"); a value they set is taken in that unit too.
class UnitSlider : public QSlider {
    Q_OBJECT
public:
    // stepsPerUnit steps of the slider make one unit; text writes a value in units.
    UnitSlider(double stepsPerUnit, std::function<QString(double)> text, QWidget* parent = nullptr);

    double stepsPerUnit() const { return stepsPerUnit_; }
    double inUnits(int steps) const { return steps / stepsPerUnit_; }
    int inSteps(double units) const;
    QString valueText() const { return text_(inUnits(value())); }

private:
    double stepsPerUnit_;
    std::function<QString(double)> text_;
};

} // namespace folimo
