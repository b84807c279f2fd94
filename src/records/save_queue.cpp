// The order of the saves written beside the window.
#include "records/save_queue.h"

namespace records {

void SaveQueue::push(SaveJob job)
{
    if (m_lastEnded) {
        dropWritten(job.carries, m_lastEnded->first.carries, m_lastEnded->second);
    }
    // Only the last one can be replaced: the ones before it are older than a win it kept.
    if (!m_waiting.empty() && job.carriesAllOf(m_waiting.back())) {
        m_waiting.back() = std::move(job);
        return;
    }
    m_waiting.push_back(std::move(job));
}

std::optional<SaveJob> SaveQueue::begin()
{
    if (m_underWay || m_waiting.empty()) {
        return std::nullopt;
    }
    m_underWay = std::move(m_waiting.front());
    m_waiting.pop_front();
    return m_underWay;
}

void SaveQueue::end(const SaveReport& report)
{
    if (!m_underWay) {
        return;
    }
    for (SaveJob& job : m_waiting) {
        dropWritten(job.carries, m_underWay->carries, report);
    }
    m_lastEnded.emplace(std::move(*m_underWay), report);
    m_underWay.reset();
}

} // namespace records
