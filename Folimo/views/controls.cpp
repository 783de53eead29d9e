#include "views/controls.hpp"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>

namespace folimo::controls {

void onToggle(QAbstractButton* box, QObject* context, std::function<void(bool)> changed) {
    QObject::connect(box, &QAbstractButton::toggled, context, std::move(changed));
}

void onText(QLineEdit* field, QObject* context, std::function<void(const QString&)> changed) {
    QObject::connect(field, &QLineEdit::textChanged, context, std::move(changed));
}

void onValue(QAbstractSlider* slider, QObject* context, std::function<void(int)> changed) {
    QObject::connect(slider, &QAbstractSlider::valueChanged, context, std::move(changed));
}

void onChoice(QComboBox* box, QObject* context, std::function<void(int)> changed) {
    QObject::connect(box, &QComboBox::currentIndexChanged, context, std::move(changed));
}

void quietly(QObject* control, const std::function<void()>& show) {
    const QSignalBlocker quiet(control);
    show();
}

void show(QAbstractButton* box, bool checked) {
    quietly(box, [&] { box->setChecked(checked); });
}

void show(QLineEdit* field, const QString& text) {
    if (field->text() != text) quietly(field, [&] { field->setText(text); });
}

void show(QAbstractSlider* slider, int value) {
    quietly(slider, [&] { slider->setValue(value); });
}

void show(QComboBox* box, int index) {
    quietly(box, [&] { box->setCurrentIndex(index); });
}

} // namespace folimo::controls
