// Saves of the saving rules' owner written as the saver writes them, one at a time, by hand:
// queued, begun, written, ended, and told back.
#pragma once

#include "records/game_files.h"
#include "records/save_queue.h"

namespace fakes {

class QueuedSaves {
public:
    QueuedSaves(records::TextStore& store, records::GameFiles& files) : m_store(store), m_files(files) {}

    void queue(const game::GameState& state, records::WriteOrder order) { m_queue.push(m_files.nextSave(state, order)); }
    // Writes the next save waiting and tells its end; nothing when none waits.
    std::optional<records::SaveReport> step()
    {
        std::optional<records::SaveJob> job = m_queue.begin();
        if (!job) {
            return std::nullopt;
        }
        const records::SaveReport report = records::GameFiles::write(m_store, *job);
        m_queue.end(report);
        m_files.saved(*job, report);
        return report;
    }
    // Queues a save of the state and writes it at once.
    records::SaveReport save(const game::GameState& state, records::WriteOrder order)
    {
        queue(state, order);
        return *step();
    }

private:
    records::TextStore& m_store;
    records::GameFiles& m_files;
    records::SaveQueue m_queue;
};

} // namespace fakes
