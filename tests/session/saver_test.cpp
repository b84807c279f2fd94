// Saves beside the window: what the player sees and is told while saves wait, and the box that
// asks at the end over a disk that does not answer (the real box, answered by a timer).
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "platform/widgets/qt_dialogs.h"
#include "records/autosave.h"
#include "session/saver.h"
#include "session/session.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using records::StoreFailure;

namespace {

std::string dateFile(const game::GameState& state)
{
    return "\"" + state.date + "\"\r\n";
}

void putSet(fakes::MemoryStore& store, const game::GameState& state)
{
    for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
}

// The session with a saver that writes only when the test says so.
struct QueuedSavesTest : ::testing::Test {
    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};

    void quietDays(int days)
    {
        for (int d = 0; d < days * game::kCompanyCount; ++d) {
            random.pushMove(0, 0, false);
        }
    }
    void startFrom(const game::GameState& state)
    {
        putSet(store, state);
        session.load();
        store.clearLog();
    }
    int saves()
    {
        int n = 0;
        while (saver.step()) {
            ++n;
        }
        return n;
    }
};

} // namespace

TEST_F(QueuedSavesTest, APressShowsAtOnceAndTheDaysWaitingMergeIntoTheNewest)
{
    startFrom(game::startingState());
    quietDays(3);
    session.advanceDay();
    session.advanceDay();
    session.advanceDay();
    EXPECT_EQ(session.state().date, "04 Gen 2002"); // shown before anything is written
    EXPECT_TRUE(store.log().empty());
    EXPECT_TRUE(saver.busy());

    // The main window loads again meanwhile: it reads no file the saves will rewrite.
    session.load();
    EXPECT_EQ(session.state().date, "04 Gen 2002");

    EXPECT_EQ(saves(), 1);
    EXPECT_FALSE(saver.busy());
    EXPECT_EQ(*store.get("data7"), dateFile(session.state()));
    EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(QueuedSavesTest, AFailingStretchIsToldOnceAndPlayGoesOn)
{
    startFrom(game::startingState());
    store.failAllWrites(StoreFailure::NoSpace);
    quietDays(4);
    for (int day = 0; day < 3; ++day) {
        session.advanceDay();
        saves();
    }
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].prompt.contains("il disco è pieno"))
        << dialogs.boxes()[0].prompt.toStdString();
    EXPECT_EQ(session.state().date, "04 Gen 2002");

    // The disk has room again: the next save writes the whole set, silently.
    store.heal();
    session.advanceDay();
    saves();
    EXPECT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(*store.get("data7"), dateFile(session.state()));

    // A new failing stretch is told again, once.
    store.failAllWrites(StoreFailure::Permission);
    quietDays(2);
    session.advanceDay();
    session.advanceDay();
    saves();
    saves();
    EXPECT_EQ(dialogs.boxes().size(), 2u);
}

TEST_F(QueuedSavesTest, TheStartsNotBeingSavedOpensTheFailingStretch)
{
    store.put("Data1", "not a record");
    store.failWrites("Data1", StoreFailure::Permission, 3); // no backup for the first tries
    session.load();
    saves();
    ASSERT_EQ(dialogs.boxes().size(), 1u); // the damaged file, and that the game is not saved
    quietDays(3);
    session.advanceDay();
    saves();
    EXPECT_EQ(dialogs.boxes().size(), 1u) << dialogs.prompts().join(" | ").toStdString();
    EXPECT_EQ(*store.get("Data1"), "not a record");

    session.advanceDay(); // the backup can be made now: kept, then the day saved
    saves();
    EXPECT_EQ(*store.get("Data1.bak1"), "not a record");
    EXPECT_EQ(*store.get("data7"), dateFile(session.state()));
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

namespace {

// A store whose writes wait at a gate: a disk that does not answer until the test says so.
class GateStore final : public records::TextStore {
public:
    explicit GateStore(records::TextStore& inner) : m_inner(inner) {}
    void open()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_wake.notify_all();
    }
    records::ReadResult readUpTo(const std::string& name, std::size_t limit) override
    {
        return m_inner.readUpTo(name, limit);
    }
    records::EntryKind entry(const std::string& name) override { return m_inner.entry(name); }
    records::StoreError replace(const std::string& name, std::string_view bytes) override
    {
        wait();
        return m_inner.replace(name, bytes);
    }
    records::StoreError append(const std::string& name, std::uint64_t length, std::string_view bytes) override
    {
        return m_inner.append(name, length, bytes);
    }
    records::StoreError remove(const std::string& name) override { return m_inner.remove(name); }
    records::StoreError rename(const std::string& from, const std::string& to) override
    {
        return m_inner.rename(from, to);
    }
    records::StoreError syncFolder() override { return m_inner.syncFolder(); }
    records::StoreError eachName(const std::function<void(std::string_view)>& visit) override
    {
        return m_inner.eachName(visit);
    }

private:
    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return m_open; });
    }
    records::TextStore& m_inner;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_open = false;
};

} // namespace

TEST(Ending, WaitingAsksAgainAndTheBoxClosesItselfWhenTheSaveEnds)
{
    fakes::MemoryStore disk;
    putSet(disk, game::startingState());
    records::GameFiles files{disk};
    files.start();
    GateStore gate{disk};
    platform::QtDialogs boxes;
    session::Saver saver(gate, boxes);
    saver.setPatience(std::chrono::milliseconds(0));
    game::GameState day = game::startingState();
    day.date = "02 Gen 2002";
    saver.queue(files.nextSave(day, records::WriteOrder::DateFirst));

    // Each new box: the first is answered "Aspetta"; while the second is up the disk answers.
    int asked = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&, shown = QPointer<QWidget>()]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == shown) {
            return;
        }
        shown = box;
        if (++asked == 1) {
            EXPECT_EQ(box->defaultButton()->text(), "Aspetta");
            box->defaultButton()->click();
        } else {
            gate.open(); // nobody clicks: the box must close by itself
        }
    });
    poll.start(0);
    EXPECT_EQ(saver.finish(), session::Saver::Ending::Saved);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(*disk.get("data7"), "\"02 Gen 2002\"\r\n");
}
