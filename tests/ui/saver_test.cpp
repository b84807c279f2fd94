// Saves beside the window: what the player sees and is told while saves wait, and the end of
// the program with saves still waiting or a disk that hangs (the real box answered by a timer).
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "records/autosave.h"
#include "ui/saver.h"
#include "ui/session.h"

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
    ui::Saver saver{store, ui::Saver::Run::ByHand};
    ui::Session session{store, dialogs, random, &saver};

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

TEST_F(QueuedSavesTest, AWinQueuedBetweenDaysReachesTheDiskWithEveryStateAfterIt)
{
    game::GameState rich = game::startingState();
    rich.cash = "150000";
    startFrom(rich);
    store.put("data6", "\"\"\r\n");
    quietDays(2);
    session.advanceDay(); // 02 Gen, waiting
    dialogs.answerText("Anna");
    session.sell(std::nullopt, "1"); // the win on 02 Gen
    session.advanceDay();            // 03 Gen, after the win
    EXPECT_EQ(session.hallOfFameText(), QString("\"\rAnna:  02 Gen 2002\"\r\n"));

    ASSERT_TRUE(saver.step());
    EXPECT_EQ(*store.get("data6"), "\"\rAnna:  02 Gen 2002\"\r\n");
    EXPECT_EQ(*store.get("data7"), "\"03 Gen 2002\"\r\n");
    EXPECT_EQ(*store.get("Data5"), "\"10000,00\"\r\n");
    EXPECT_FALSE(saver.step());
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
    records::StoreError remove(const std::string& name) override { return m_inner.remove(name); }
    records::StoreError rename(const std::string& from, const std::string& to) override
    {
        return m_inner.rename(from, to);
    }
    records::StoreError syncFolder() override { return m_inner.syncFolder(); }

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

struct EndingTest : ::testing::Test {
    fakes::MemoryStore disk;
    GateStore gate{disk};
    records::GameFiles files{disk};
    int ended = 0;

    void SetUp() override
    {
        putSet(disk, game::startingState());
        files.start();
    }
    void queueDay(ui::Saver& saver, const char* date)
    {
        game::GameState state = game::startingState();
        state.date = date;
        saver.queue(files.nextSave(state, records::WriteOrder::DateFirst));
    }
    // Each new box that comes up goes to `answer`, and is counted in `seen`.
    static void onEveryBox(QTimer& poll, int& seen, std::function<void(QMessageBox&)> answer)
    {
        poll.setInterval(0);
        QObject::connect(
            &poll, &QTimer::timeout, [&seen, answer, shown = QPointer<QWidget>()]() mutable {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr || box == shown) {
                    return;
                }
                shown = box;
                ++seen;
                answer(*box);
            });
        poll.start();
    }
    static QPushButton* button(QMessageBox& box, const QString& text)
    {
        for (QAbstractButton* b : box.buttons()) {
            if (b->text() == text) {
                return qobject_cast<QPushButton*>(b);
            }
        }
        return nullptr;
    }
};

} // namespace

TEST_F(EndingTest, TheEndWaitsForTheSaveUnderWayAndTheOneWaiting)
{
    ui::Saver saver(gate);
    saver.setDone([this](const records::SaveJob&, const records::SaveReport& report) {
        EXPECT_TRUE(report);
        ++ended;
    });
    saver.setPatience(std::chrono::hours(1)); // no box: this disk answers
    queueDay(saver, "02 Gen 2002");
    queueDay(saver, "03 Gen 2002");
    QTimer::singleShot(0, [this] { gate.open(); });
    EXPECT_EQ(saver.finish(), ui::Saver::Ending::Saved);
    EXPECT_FALSE(saver.busy());
    EXPECT_GE(ended, 1);
    EXPECT_EQ(*disk.get("data7"), "\"03 Gen 2002\"\r\n");
}

TEST_F(EndingTest, ADiskThatHangsAsksAndLeavingKeepsTheLastWholeSet)
{
    const auto before = disk.files();
    {
        ui::Saver saver(gate);
        saver.setPatience(std::chrono::milliseconds(0));
        queueDay(saver, "02 Gen 2002");
        int boxes = 0;
        QString prompt;
        QTimer poll;
        onEveryBox(poll, boxes, [&](QMessageBox& box) {
            prompt = box.text();
            EXPECT_EQ(box.windowTitle(), "Tolv Street");
            EXPECT_TRUE(button(box, "Aspetta"));
            if (QPushButton* leave = button(box, "Esci senza salvare")) {
                leave->click();
            } else {
                ADD_FAILURE() << "no \"Esci senza salvare\"";
                box.done(0);
            }
        });
        EXPECT_EQ(saver.finish(), ui::Saver::Ending::Abandoned);
        EXPECT_EQ(boxes, 1);
        EXPECT_TRUE(prompt.contains("non è ancora finito")) << prompt.toStdString();
        EXPECT_EQ(disk.files(), before); // as after a kill: the last whole set stays
        gate.open();                     // only so that the test can end the saver's thread
    }
}

TEST_F(EndingTest, WaitingAsksAgainAndTheBoxClosesItselfWhenTheSaveEnds)
{
    ui::Saver saver(gate);
    saver.setPatience(std::chrono::milliseconds(0));
    queueDay(saver, "02 Gen 2002");
    int boxes = 0;
    QTimer poll;
    onEveryBox(poll, boxes, [&](QMessageBox& box) {
        if (boxes == 1) {
            box.defaultButton()->click(); // "Aspetta"
        } else {
            gate.open(); // the disk answers while the second box is up; nobody clicks
        }
    });
    EXPECT_EQ(saver.finish(), ui::Saver::Ending::Saved);
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(*disk.get("data7"), "\"02 Gen 2002\"\r\n");
}
