#pragma once

#include <mutex>
#include <string>

namespace folimo::cli {

// A one-line progress bar with a percentage on stderr, drawn only when stderr is a
// terminal; otherwise it stays silent, so logs and pipes get no carriage-return noise.
// update() may be called from any thread and at any rate: the line is redrawn only when
// the shown percentage changes. The destructor (or clear()) wipes the line.
class ProgressBar {
public:
    // label is shown before the bar ("Fall Math", say); it may be empty.
    explicit ProgressBar(std::string label = {});
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // fraction in 0...1; values outside are held to it.
    void update(double fraction);
    // Wipes the line; a later update() draws it again.
    void clear();

private:
    std::mutex mutex_;
    std::string label_;
    bool enabled_;
    bool drawn_ = false;
    int shown_ = -1; // percentage on screen
};

} // namespace folimo::cli
