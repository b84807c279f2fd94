// The saver's thread, the telling of each end on the window's thread, and the wait at the end.
#include "session/saver.h"

#include "session/app_info.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace session {

Saver::Saver(records::TextStore& store, platform::Dialogs& dialogs, Run run)
    : m_store(store), m_dialogs(dialogs), m_run(run)
{
    if (m_run == Run::Thread) {
        m_thread = std::thread([this] { work(); });
    }
}

Saver::~Saver()
{
    if (m_thread.joinable()) {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
}

void Saver::queue(records::SaveJob job)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push(std::move(job));
    }
    m_wake.notify_all();
}

bool Saver::busy() const
{
    const std::lock_guard lock(m_mutex);
    return !m_queue.idle() || !m_ended.empty();
}

void Saver::writeNext(std::unique_lock<std::mutex>& lock, records::SaveJob job)
{
    // The job is the saver's own copy: the window goes on changing its state meanwhile.
    lock.unlock();
    const records::SaveReport report = records::GameFiles::write(m_store, job);
    lock.lock();
    m_queue.end(report);
    m_ended.push_back({std::move(job), report});
}

void Saver::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        std::optional<records::SaveJob> job = m_queue.begin();
        if (!job) {
            if (m_stopping) {
                return;
            }
            m_wake.wait(lock);
            continue;
        }
        writeNext(lock, std::move(*job));
        QMetaObject::invokeMethod(
            &m_context, [this] { deliver(); }, Qt::QueuedConnection);
    }
}

bool Saver::step()
{
    if (m_run != Run::ByHand) {
        return false; // the thread writes the saves
    }
    std::unique_lock lock(m_mutex);
    std::optional<records::SaveJob> job = m_queue.begin();
    if (!job) {
        return false;
    }
    writeNext(lock, std::move(*job));
    lock.unlock();
    deliver();
    return true;
}

int Saver::settle()
{
    int written = 0;
    while (step()) {
        ++written;
    }
    return written;
}

void Saver::deliver()
{
    // One at a time: a box opened by one end runs events, and the ends after it are told
    // from there, still in order.
    for (;;) {
        std::unique_lock lock(m_mutex);
        if (m_ended.empty()) {
            const bool settled = m_queue.idle();
            lock.unlock();
            if (settled && m_settled) {
                m_settled();
            }
            return;
        }
        Ended ended = std::move(m_ended.front());
        m_ended.pop_front();
        lock.unlock();
        if (m_done) {
            m_done(ended.job, ended.report);
        }
    }
}

QString Saver::stillSavingPrompt()
{
    return QCoreApplication::translate(
        "Saver", "Il salvataggio della partita non è ancora finito: il disco non risponde.\n"
                 "Se esci senza salvare, resta la partita dell'ultimo salvataggio finito.");
}

QString Saver::waitButton()
{
    return QCoreApplication::translate("Saver", "Aspetta");
}

QString Saver::leaveButton()
{
    return QCoreApplication::translate("Saver", "Esci senza salvare");
}

bool Saver::askToWait()
{
    // The box answers "Aspetta" by itself when the saves end while it is open.
    const bool wait = m_dialogs.choose(stillSavingPrompt(), app::title(), waitButton(), leaveButton(),
                                       [this](platform::Dialogs::Press press) { m_settled = std::move(press); });
    m_settled = nullptr;
    return wait;
}

Saver::Ending Saver::finish()
{
    while (busy()) {
        QEventLoop loop;
        m_settled = [&loop] { loop.quit(); };
        QTimer patience;
        patience.setSingleShot(true);
        QObject::connect(&patience, &QTimer::timeout, &loop, &QEventLoop::quit);
        patience.start(m_patience);
        loop.exec();
        m_settled = nullptr;
        if (busy() && !askToWait()) {
            return Ending::Abandoned;
        }
    }
    return Ending::Saved;
}

int Saver::endOfProgram(int code)
{
    if (finish() == Ending::Abandoned) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}

} // namespace session
