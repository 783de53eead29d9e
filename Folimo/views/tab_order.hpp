#pragma once

#include <QList>

class QWidget;

// The keyboard's way through the window: where Tab stops, in the order a person reads.
namespace folimo::tabOrder {

// The widgets Tab stops at inside root, in reading order: the order of their layouts (a box's
// items from its start, a form's and a grid's rows top to bottom and each row's cells from the
// leading side), with a scroll area's content where the scroll area is. Only widgets shown,
// enabled and taken to by Tab count, never a scroll area itself, and the inside of a stop (a
// list's rows, a field's parts) is its own business. Of a group of exclusive buttons only the
// checked one is a stop: arrow keys choose within the group.
QList<QWidget*> stops(QWidget* root);

// Gives the focus to the stop after (or before) the one that holds it, going round at the
// ends, and scrolls the new one into view. False when there is no stop.
bool moveFocus(const QList<QWidget*>& stops, bool next);

} // namespace folimo::tabOrder
