#pragma once

class QWidget;

namespace folimo {

class SetWork;

// What the window's close guard asks before the window, and with it the program, goes while a
// listing set or a batch is being made: "Stop making the listing set and quit?" with "Keep
// Working" (the default, also Escape and closing the question) and "Stop and Quit". Answers
// true when nothing is being made, or when the person chose to stop: the work has then been
// stopped and its threads joined, with no temporary file left.
bool mayQuit(SetWork& work, QWidget* parent);

} // namespace folimo
