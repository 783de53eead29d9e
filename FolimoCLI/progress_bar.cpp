#include "progress_bar.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace folimo::cli {
namespace {

constexpr int barWidth = 30;

} // namespace

ProgressBar::ProgressBar(std::string label)
    : label_(std::move(label))
    , enabled_(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
    clear();
}

void ProgressBar::update(double fraction) {
    if (!enabled_) return;
    const double held = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    const int percent = static_cast<int>(held * 100.0);
    std::lock_guard lock(mutex_);
    if (percent == shown_ && drawn_) return;
    shown_ = percent;
    drawn_ = true;
    const int filled = static_cast<int>(held * barWidth);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(barWidth, '.');
    std::fprintf(stderr, "\r\033[K%s%s[%s] %3d%%", label_.c_str(), label_.empty() ? "" : " ",
                 bar.c_str(), percent);
    std::fflush(stderr);
}

void ProgressBar::clear() {
    std::lock_guard lock(mutex_);
    if (!drawn_) return;
    drawn_ = false;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

} // namespace folimo::cli
