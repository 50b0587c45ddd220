// The state of one timer, shared by the back ends: the timer object the game holds and the
// back end's list of timers to fire both point at it, so either may go first.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "platform/window.h"

namespace platform::detail {

struct TimerEntry {
    std::function<void()> onTick;
    std::function<long long()> now;  // the back end's clock in ms
    std::uint64_t serial = 0;        // creation order, breaks ties between timers due together
    int interval = 0;
    bool enabled = false;
    long long due = 0;  // next firing time while enabled with an interval

    void restart() { due = now() + interval; }
};

class EntryTimer final : public Timer {
public:
    explicit EntryTimer(std::shared_ptr<TimerEntry> entry) : entry_(std::move(entry)) {}
    // A new interval starts the count again, as does enabling a disabled timer.
    void setInterval(int ms) override {
        if (ms == entry_->interval) return;
        entry_->interval = std::max(ms, 0);
        entry_->restart();
    }
    int interval() const override { return entry_->interval; }
    void setEnabled(bool enabled) override {
        if (enabled && !entry_->enabled) entry_->restart();
        entry_->enabled = enabled;
    }
    bool enabled() const override { return entry_->enabled; }

private:
    std::shared_ptr<TimerEntry> entry_;
};

}  // namespace platform::detail
