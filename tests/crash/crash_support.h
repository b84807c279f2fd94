// What the crash tests share: play folders, the child program, whole-file checks.
#pragma once

#include "crash/play_script.h"
#include "game/game_state.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>
#include <string>
#include <vector>

namespace crashtest {

// A fresh play folder, removed afterwards.
class PlayFolder {
public:
    PlayFolder();
    const QString& path() const { return m_path; }
    std::string pathText() const { return m_path.toStdString(); }
    void put(const std::string& name, const std::string& bytes) const;
    void put(const FileSet& set) const;
    std::optional<std::string> get(const std::string& name) const;
    // The six files and the Hall of Fame.
    FileSet gameSet() const;
    // The same with the ledger and the finished games' ledgers.
    FileSet fullSet() const;
    // Every entry of the folder but "." and "..", sorted.
    QStringList entries() const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The six autosave files of a state (and a Hall of Fame, when given).
FileSet setOf(const game::GameState& state, const std::optional<std::string>& hallOfFame = {});

// `set` without the ledger and the finished games' ledgers.
FileSet withoutLedgers(FileSet set);

// The names of the finished games' ledgers in `set`.
std::vector<std::string> ledgerArchives(const FileSet& set);

// The names of the files of `set` that are not whole: an autosave file that does not hold its
// records, a Hall of Fame that is not one quoted line.
std::vector<std::string> tornFiles(const FileSet& set);

struct ChildRun {
    bool killed = false; // ended by a signal
    int exitCode = -1;
    std::vector<std::string> lines;
    // The lines that begin with `prefix`.
    std::vector<std::string> linesWith(const std::string& prefix) const;
};

// Runs the child program to its end (it may stop itself with a signal).
ChildRun runChild(const QStringList& arguments);

// A whole number from the environment, or the fallback.
long long environmentNumber(const char* name, long long fallback);

} // namespace crashtest
