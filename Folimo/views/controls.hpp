#pragma once

#include <QString>
#include <functional>

class QAbstractButton;
class QAbstractSlider;
class QComboBox;
class QLineEdit;
class QObject;

// How the forms' controls meet the model. A person changes a control in many ways (a click,
// the keyboard, typing, pasting, a drop, a screen reader's toggle or set-text action), and
// every one of them is reported through the one signal that fires for any change. The model's
// own showing of a value in a control is made with the control's signals held, so it is never
// reported back as a person's change.
namespace folimo::controls {

// changed(checked) after any change of the box's state.
void onToggle(QAbstractButton* box, QObject* context, std::function<void(bool)> changed);
// changed(text) after any change of the field's text.
void onText(QLineEdit* field, QObject* context, std::function<void(const QString&)> changed);
// changed(value) after any change of the slider's value.
void onValue(QAbstractSlider* slider, QObject* context, std::function<void(int)> changed);
// changed(index) after any change of the chosen entry.
void onChoice(QComboBox* box, QObject* context, std::function<void(int)> changed);

void show(QAbstractButton* box, bool checked);
// Leaves a field that already holds text as it is, so the cursor stays while a person types.
void show(QLineEdit* field, const QString& text);
void show(QAbstractSlider* slider, int value);
void show(QComboBox* box, int index);
// Any other showing (refilling a list of entries, say) with the control's signals held.
void quietly(QObject* control, const std::function<void()>& show);

} // namespace folimo::controls
