// The order of the saves written beside the window: one at a time, oldest first, and a newer
// state that waits takes the place of an older one not yet begun, unless that would lose a win.
#pragma once

#include "records/game_files.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>

namespace records {

// Plain rules, no threads: whoever runs the saves holds the lock around every call.
class SaveQueue {
public:
    // A save of the newest state. It replaces the save waiting last when it carries every
    // Hall of Fame that one carries; otherwise it waits behind it. What the last save to end
    // wrote is dropped from it: the game hears of that end only later.
    void push(SaveJob job);

    // The next save to write, now under way; none while one is under way or none waits.
    std::optional<SaveJob> begin();
    // The save under way has ended: what it wrote is dropped from the saves still waiting.
    void end(const SaveReport& report);

    bool underWay() const { return m_underWay.has_value(); }
    std::size_t waiting() const { return m_waiting.size(); }
    bool idle() const { return !underWay() && m_waiting.empty(); }

private:
    std::optional<SaveJob> m_underWay;
    std::deque<SaveJob> m_waiting;
    std::optional<std::pair<SaveJob, SaveReport>> m_lastEnded;
};

} // namespace records
