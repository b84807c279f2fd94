// What the crash tests share: play folders, the child program, whole-file checks.
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "crash/crash_support.h"

#include "records/ledger.h"

#include "records/store.h"
#include "records/autosave.h"
#include "records/hall_of_fame.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cstdlib>
#include <gtest/gtest.h>

namespace crashtest {

PlayFolder::PlayFolder() : m_path(m_dir.path()) { EXPECT_TRUE(m_dir.isValid()); }

void PlayFolder::put(const std::string& name, const std::string& bytes) const
{
    QFile file(QDir(m_path).filePath(QString::fromStdString(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name;
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
}

void PlayFolder::put(const FileSet& set) const
{
    for (const auto& [name, bytes] : set) {
        put(name, bytes);
    }
}

std::optional<std::string> PlayFolder::get(const std::string& name) const
{
    QFile file(QDir(m_path).filePath(QString::fromStdString(name)));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

FileSet PlayFolder::fullSet() const
{
    platform::FolderStore store(platform::localPath(m_path));
    return gameFiles(store);
}

FileSet PlayFolder::gameSet() const { return withoutLedgers(fullSet()); }

FileSet withoutLedgers(FileSet set)
{
    for (const std::string& name : ledgerArchives(set)) {
        set.erase(name);
    }
    set.erase(std::string(records::kLedgerName));
    return set;
}

QStringList PlayFolder::entries() const
{
    QStringList names = QDir(m_path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

FileSet setOf(const game::GameState& state, const std::optional<std::string>& hallOfFame)
{
    FileSet set;
    for (const records::FileContent& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
        set[file.name] = file.bytes;
    }
    if (hallOfFame) {
        set[std::string(records::kHallOfFameName)] = *hallOfFame;
    }
    return set;
}

std::vector<std::string> ledgerArchives(const FileSet& set)
{
    std::vector<std::string> names;
    const std::string prefix = std::string(records::kLedgerName) + ".game";
    for (const auto& entry : set) {
        if (entry.first.rfind(prefix, 0) == 0) {
            names.push_back(entry.first);
        }
    }
    return names;
}

std::vector<std::string> tornFiles(const FileSet& set)
{
    std::vector<std::string> torn;
    for (std::size_t i = 0; i < records::kAutosaveNames.size(); ++i) {
        const std::string name(records::kAutosaveNames[i]);
        const auto it = set.find(name);
        const std::size_t count = i < 4 ? static_cast<std::size_t>(game::kCompanyCount) : 1;
        // Whole means exactly the records the game writes: every one, and nothing after them.
        const auto values = it == set.end() ? std::nullopt : records::readRecords(it->second, count);
        std::string rewritten;
        for (const std::string& value : values.value_or(std::vector<std::string>{})) {
            rewritten += records::quotedLine(value);
        }
        if (!values || rewritten != it->second) {
            torn.push_back(name);
        }
    }
    const auto hall = set.find(std::string(records::kHallOfFameName));
    if (hall != set.end()) {
        const std::string& bytes = hall->second;
        if (bytes.size() < 4 || bytes.front() != '"' || bytes.substr(bytes.size() - 3) != "\"\r\n") {
            torn.push_back(hall->first);
        }
    }
    // The ledger is whole lines of the game's own, with no day twice in a row.
    if (const auto it = set.find(std::string(records::kLedgerName)); it != set.end()) {
        const std::optional<records::Ledger> ledger = records::Ledger::parse(it->second);
        bool repeated = false;
        for (std::size_t d = 1; ledger && d < ledger->portfolio().days().size(); ++d) {
            repeated = repeated || ledger->portfolio().days()[d].date == ledger->portfolio().days()[d - 1].date;
        }
        if (!ledger || repeated) {
            torn.push_back(it->first);
        }
    }
    return torn;
}

std::vector<std::string> ChildRun::linesWith(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) {
            out.push_back(line);
        }
    }
    return out;
}

ChildRun runChild(const QStringList& arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(TOLV_CRASH_CHILD), arguments);
    ChildRun run;
    if (!child.waitForStarted(30000) || !child.waitForFinished(120000)) {
        ADD_FAILURE() << "the child program did not run to its end";
        child.kill();
        child.waitForFinished();
        return run;
    }
    run.killed = child.exitStatus() == QProcess::CrashExit;
    run.exitCode = child.exitCode();
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        if (!line.isEmpty()) {
            run.lines.push_back(line.toStdString());
        }
    }
    return run;
}

long long environmentNumber(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    return end != nullptr && *end == '\0' ? value : fallback;
}

} // namespace crashtest
