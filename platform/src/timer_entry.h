// The state of one timer, shared by the back ends: the timer object the game holds and the
// back end's list of timers to fire both point at it, so either may go first. And the one schedule
// of the back ends that fire their timers themselves (headless, SDL): soonest due first, timers
// due together in the order they were made, missed ticks folded into one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

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

class TimerSchedule {
public:
    // now gives the back end's clock in ms.
    explicit TimerSchedule(std::function<long long()> now) : now_(std::move(now)) {}

    std::unique_ptr<Timer> create(std::function<void()> onTick) {
        auto entry = std::make_shared<TimerEntry>();
        entry->onTick = std::move(onTick);
        entry->now = now_;
        entry->serial = serial_++;
        timers_.push_back(entry);
        return std::make_unique<EntryTimer>(std::move(entry));
    }

    // The enabled timer due soonest, at the latest at until; of timers due together the one made
    // first. nullptr when none is.
    std::shared_ptr<TimerEntry> nextDue(long long until) {
        std::erase_if(timers_, [](const std::weak_ptr<TimerEntry>& t) { return t.expired(); });
        std::shared_ptr<TimerEntry> next;
        for (const auto& weak : timers_) {
            auto t = weak.lock();
            if (!t || !t->enabled || t->interval <= 0 || t->due > until) continue;
            if (!next || t->due < next->due || (t->due == next->due && t->serial < next->serial)) next = std::move(t);
        }
        return next;
    }

    // Milliseconds until the soonest enabled timer is due (0 when one is overdue), -1 when none.
    long long msToNext() const {
        long long next = -1;
        const long long now = now_();
        for (const auto& weak : timers_) {
            const auto t = weak.lock();
            if (!t || !t->enabled || t->interval <= 0) continue;
            const long long wait = std::max(0LL, t->due - now);
            if (next < 0 || wait < next) next = wait;
        }
        return next;
    }

    // Fires a due timer at time now: its next due time passes now, so that ticks missed while the
    // thread was busy come as one, as WM_TIMER's do.
    static void fire(TimerEntry& t, long long now) {
        while (t.due <= now) t.due += t.interval;
        const auto tick = t.onTick;  // the callback may reset or destroy its own timer
        if (tick) tick();
    }

    // Fires every timer due at now once, soonest first. A timer a callback starts or changes is due
    // after now, so the pass ends.
    void fireDue(long long now) {
        while (const auto t = nextDue(now)) fire(*t, now);
    }

private:
    std::function<long long()> now_;
    std::vector<std::weak_ptr<TimerEntry>> timers_;
    std::uint64_t serial_ = 0;
};

}  // namespace platform::detail
