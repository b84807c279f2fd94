// A replayable round of play for the crash tests: the same seed and the same files on disk give
// the same actions, the same day moves and the same saves, in the child program or in memory.
#pragma once

#include "game/random_source.h"
#include "platform/dialogs.h"
#include "records/store.h"
#include "session/session.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace crashtest {

// The day moves of the child's single actions ("crash_child act"), known to the tests.
inline constexpr std::uint64_t kActSeed = 7;

// Day moves from a seeded generator. Seeding from the clock does nothing, so that a run can be
// played again. While rising, every company moves up by 9 to 9,99 per cent: a few weeks of that
// make a fortune, which is how the script reaches its wins.
class ScriptRandom final : public game::RandomSource {
public:
    explicit ScriptRandom(std::uint64_t seed) : m_engine(seed) {}
    void seedFromClock() override {}
    double next() override;
    void setRising(bool rising) { m_rising = rising; }

private:
    std::mt19937_64 m_engine;
    bool m_rising = false;
    int m_draw = 0; // which of a company's three draws comes next
};

// Boxes answered without a player: every question Yes, each win's name from a fixed list (a
// quote, a code page letter and a cancelled box among them). Messages go to `onMessage`.
class ScriptDialogs final : public platform::Dialogs {
public:
    std::function<void(const QString& title, const QString& prompt)> onMessage;

    void message(const QString& prompt, const QString& title) override;
    bool question(const QString& prompt, const QString& title) override;
    QString input(const QString& prompt, const QString& title) override;
    bool choose(const QString&, const QString&, const QString&, const QString&,
                const std::function<void(Press)>&) override
    {
        return true;
    }

    const std::vector<QString>& messages() const { return m_messages; }
    int wins() const { return m_inputs; }

private:
    std::vector<QString> m_messages;
    int m_inputs = 0;
};

// The player: mostly day advances, with trades, now and then a new game, and climbs in which it
// puts all its cash into one company, waits for rising days and sells everything: a win.
// Every trade it makes is one the rules accept, so any box but the win's name is a fault.
class PlayScript {
public:
    // `climbPerMille`: of a thousand ordinary steps, how many start a climb (at most 120).
    PlayScript(session::Session& session, ScriptRandom& random, std::uint64_t seed, int climbPerMille = 60);
    // One player action; returns what it did, for the logs.
    std::string step();
    // The day advances made so far.
    long long days() const { return m_days; }

private:
    std::string ordinaryStep();
    std::string climbStep();
    int pick(int below); // uniform in [0, below)

    session::Session& m_session;
    ScriptRandom& m_random;
    std::mt19937_64 m_choices;
    std::optional<int> m_climbing; // the company of a climb under way
    int m_climbDays = 0;
    long long m_days = 0;
    int m_climbPerMille;
};

// The files that make a saved game: the six autosave files, the Hall of Fame, the ledger and
// the finished games' ledgers; a file that is not there is absent from the map.
using FileSet = std::map<std::string, std::string>;
const std::vector<std::string>& gameFileNames();
FileSet gameFiles(records::TextStore& store);

// Plays the script in memory from `start`: the sets on disk after the start-up load and after
// each of `steps` steps (element 0 after the load, element i + 1 after step i).
std::vector<FileSet> replay(const FileSet& start, std::uint64_t seed, int steps);

// A short readable form of a set, for failure messages.
std::string describe(const FileSet& set);

} // namespace crashtest
