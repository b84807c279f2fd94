// The command line: help, version and mistakes answered before anything is touched, and the
// play folders that --folder and --user-folder choose.
#include "app/command_line.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace {

struct GameRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// The game itself, in `folder`, with no display to open: only an answer that needs none works.
// `settings` is the folder the player's settings are kept in.
GameRun runGame(const QStringList& arguments, const QString& folder,
                const QString& settings = QString())
{
    QProcess game;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       settings.isEmpty() ? folder + QStringLiteral("/.config") : settings);
    game.setProcessEnvironment(environment);
    game.setWorkingDirectory(folder);
    game.start(QStringLiteral(TOLV_GAME_BINARY), arguments);
    GameRun run;
    if (game.waitForFinished(60000) && game.exitStatus() == QProcess::NormalExit) {
        run.exitCode = game.exitCode();
    }
    run.out = QString::fromLocal8Bit(game.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(game.readAllStandardError());
    return run;
}

bool isEmptyFolder(const QString& path)
{
    return QDir(path)
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
        .isEmpty();
}

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Each test may change the working directory: it comes back afterwards.
class PlayFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_temp.isValid()); }
    void TearDown() override
    {
        std::filesystem::current_path(m_start);
        // Qt's own removal cannot name a folder that is not UTF-8.
        std::error_code ignored;
        std::filesystem::remove_all(root(), ignored);
    }
    std::filesystem::path root() const
    {
        return std::filesystem::path(m_temp.path().toStdString());
    }

private:
    std::filesystem::path m_start = std::filesystem::current_path();
    QTemporaryDir m_temp;
};

} // namespace

TEST(CommandLine, HelpAndVersionAnswerWithoutADisplayAndLeaveTheFolderEmpty)
{
    QTemporaryDir folder;
    const GameRun version = runGame({QStringLiteral("--version")}, folder.path());
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("Tolv Street 1.4.29\n"));

    // Qt's own options are left for Qt, before and after the game's.
    const GameRun withQt = runGame({QStringLiteral("-platform"), QStringLiteral("offscreen"),
                                    QStringLiteral("-v"), QStringLiteral("-style=fusion")},
                                   folder.path());
    EXPECT_EQ(withQt.exitCode, 0) << withQt.err.toStdString();
    EXPECT_TRUE(withQt.out.contains(QStringLiteral("1.4.29")));

    const GameRun help = runGame({QStringLiteral("--help")}, folder.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--folder")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--user-folder")));
    EXPECT_TRUE(isEmptyFolder(folder.path()));
}

TEST(CommandLine, MistakesAreNamedWithStatusTwoAndTouchNothing)
{
    QTemporaryDir folder;
    const std::pair<QStringList, QString> cases[] = {
        {{QStringLiteral("--bogus")}, QStringLiteral("--bogus")},
        {{QStringLiteral("Data1")}, QStringLiteral("Data1")},
        {{QStringLiteral("--folder")}, QStringLiteral("--folder")},
        {{QStringLiteral("--user-folder"), QStringLiteral("--folder"), QStringLiteral("x")},
         QStringLiteral("--user-folder")},
    };
    for (const auto& [arguments, named] : cases) {
        const GameRun run = runGame(arguments, folder.path());
        EXPECT_EQ(run.exitCode, app::kUsageExitCode) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(named)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_TRUE(isEmptyFolder(folder.path()));
}

TEST(CommandLine, HelpAndMistakesSpeakTheLanguageKept)
{
    QTemporaryDir folder;
    QTemporaryDir settings;
    const GameRun italian = runGame({QStringLiteral("--help")}, folder.path(), settings.path());
    EXPECT_TRUE(italian.out.startsWith(QStringLiteral("Uso: tolvstreet")))
        << italian.out.toStdString();

    ASSERT_TRUE(QDir(settings.path()).mkpath(QStringLiteral("Tolvagiochi")));
    QFile kept(settings.filePath(QStringLiteral("Tolvagiochi/Tolv Street.conf")));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("[General]\nlanguage=en\n");
    kept.close();
    const GameRun english = runGame({QStringLiteral("--help")}, folder.path(), settings.path());
    EXPECT_TRUE(english.out.startsWith(QStringLiteral("Usage: tolvstreet")))
        << english.out.toStdString();
    const GameRun mistake = runGame({QStringLiteral("--bogus")}, folder.path(), settings.path());
    EXPECT_EQ(mistake.exitCode, app::kUsageExitCode);
    EXPECT_EQ(mistake.err,
              QStringLiteral("Unknown option: --bogus\nFor help: tolvstreet --help\n"));

    // Settings that cannot be read (their folder is a file) leave the game in Italian.
    const GameRun unreadable = runGame({QStringLiteral("--help")}, folder.path(), kept.fileName());
    EXPECT_EQ(unreadable.exitCode, 0);
    EXPECT_TRUE(unreadable.out.startsWith(QStringLiteral("Uso: tolvstreet")));
    EXPECT_TRUE(isEmptyFolder(folder.path()));
}

// A folder that is a file is told where the player reads it, and the game ends at once.
TEST(CommandLine, AFolderThatIsAFileIsToldOnTheTerminalAloneOrWhereNoWindowCouldOpen)
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("Data1")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const auto environment = [&folder](const QString& platform) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("cfg")));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (platform.isEmpty()) {
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        }
        return env;
    };

    // Started from a terminal (script gives it one) on a platform where a box would wait for a
    // click that never comes: the player reads the reason there.
    QProcess terminal;
    terminal.setProcessEnvironment(environment(QStringLiteral("offscreen")));
    terminal.start(QStringLiteral("script"),
                   {QStringLiteral("-qec"),
                    QStringLiteral("'%1' --folder '%2'")
                        .arg(QStringLiteral(TOLV_GAME_BINARY), file.fileName()),
                    QStringLiteral("/dev/null")});
    ASSERT_TRUE(terminal.waitForFinished(30000)) << "the game waited for a box";
    EXPECT_EQ(terminal.exitCode(), app::kFolderExitCode);
    EXPECT_TRUE(terminal.readAllStandardOutput().contains("non è una cartella"));

    // With no display at all (a remote shell, a service): found before anything asks for one.
    QProcess headless;
    headless.setProcessEnvironment(environment(QString()));
    headless.start(QStringLiteral(TOLV_GAME_BINARY), {QStringLiteral("--folder"), file.fileName()});
    ASSERT_TRUE(headless.waitForFinished(30000));
    EXPECT_EQ(headless.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(headless.exitCode(), app::kFolderExitCode);
    EXPECT_TRUE(headless.readAllStandardError().contains("non \xc3\xa8 una cartella"));
}

// A new folder whose Hall of Fame cannot be written, or that cannot be entered, is taken away
// again (one failed system call each, injected by strace): nothing is left half-made.
TEST(CommandLine, ANewFolderThatCannotBeMadeWholeIsTakenAwayAgain)
{
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty() ||
        QProcess::execute(QStringLiteral("strace"),
                          {QStringLiteral("-qq"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                           QStringLiteral("true")}) != 0) {
        GTEST_SKIP() << "strace cannot trace here";
    }
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("nuova"));
    const QString hall = folder + QStringLiteral("/data6");
    // Only the calls on that path are traced, so the failure is the game's own call.
    const std::vector<std::pair<QString, QString>> failures{
        {QStringLiteral("openat:error=EIO"), hall},
        {QStringLiteral("write:error=ENOSPC"), hall},
        {QStringLiteral("chdir:error=EIO"), folder}};
    for (const auto& [failure, path] : failures) {
        SCOPED_TRACE(failure.toStdString());
        QProcess game;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), parent.filePath(QStringLiteral("cfg")));
        game.setProcessEnvironment(environment);
        game.start(QStringLiteral("strace"),
                   {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"),
                    QStringLiteral("/dev/null"), QStringLiteral("-P"), path, QStringLiteral("-e"),
                    QStringLiteral("trace=") + failure.section(QLatin1Char(':'), 0, 0),
                    QStringLiteral("-e"), QStringLiteral("inject=%1:when=1").arg(failure),
                    QStringLiteral(TOLV_GAME_BINARY), QStringLiteral("--folder"), folder});
        ASSERT_TRUE(game.waitForFinished(30000));
        EXPECT_EQ(game.exitCode(), app::kFolderExitCode);
        EXPECT_TRUE(game.readAllStandardError().contains("nuova"));
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
}

TEST(CommandLine, TheFolderKeepsItsBytesAndQtOptionsAreLeftToQt)
{
    const app::StartRequest given =
        app::readCommandLine({"-platform", "offscreen", "--folder", "partit\xe8", "-reverse"});
    EXPECT_EQ(given.kind, app::StartRequest::Kind::Play);
    EXPECT_EQ(given.folder, app::StartRequest::Folder::Given);
    EXPECT_EQ(given.folderBytes, QByteArray("partit\xe8"));

    // A folder whose name looks like an option is still the folder.
    EXPECT_EQ(app::readCommandLine({"--folder", "-v"}).folderBytes, QByteArray("-v"));
    EXPECT_EQ(app::readCommandLine({"--folder=a b"}).folderBytes, QByteArray("a b"));
    EXPECT_EQ(app::readCommandLine({"--user-folder"}).folder, app::StartRequest::Folder::User);
    EXPECT_EQ(app::readCommandLine({}).folder, app::StartRequest::Folder::Working);
}

TEST(CommandLine, TheUserFolderIgnoresARelativeXdgDataHome)
{
    EXPECT_EQ(app::xdgPlayFolder("/data/me", "/home/me"), "/data/me/TolvStreet");
    EXPECT_EQ(app::xdgPlayFolder("mysave", "/home/me"), "/home/me/.local/share/TolvStreet");
    EXPECT_EQ(app::xdgPlayFolder(nullptr, "/home/me"), "/home/me/.local/share/TolvStreet");
    EXPECT_TRUE(app::xdgPlayFolder("", nullptr).empty());
}

TEST_F(PlayFolder, AMissingFolderIsCreatedWithTheEmptyHallOfFame)
{
    // A Latin-1 name: not UTF-8, still a folder the system can open.
    const std::filesystem::path folder = root() / "nuova" / app::nativePath("partit\xe8");
    EXPECT_TRUE(app::enterPlayFolder(folder).isEmpty());
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), folder));
    EXPECT_EQ(readAll(folder / "data6"), std::string("\"\"\r\n", 4));

    // A folder that is there already keeps what it holds and gets no Hall of Fame of ours.
    const std::filesystem::path old = root() / "vecchia";
    std::filesystem::create_directory(old);
    std::ofstream(old / "Data5", std::ios::binary) << "\"123\"\r\n";
    EXPECT_TRUE(app::enterPlayFolder(old).isEmpty());
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), old));
    EXPECT_FALSE(std::filesystem::exists(old / "data6"));
    EXPECT_EQ(readAll(old / "Data5"), "\"123\"\r\n");
}

TEST_F(PlayFolder, AFileOrAnUncreatableFolderIsRefusedAndNothingChanges)
{
    const std::filesystem::path file = root() / "Data1";
    std::ofstream(file, std::ios::binary) << "\"0\"\r\n";
    const std::filesystem::path before = std::filesystem::current_path();

    const QString message = app::enterPlayFolder(file);
    EXPECT_TRUE(message.contains(QStringLiteral("non è una cartella"))) << message.toStdString();
    EXPECT_FALSE(app::enterPlayFolder(file / "sotto").isEmpty());
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(readAll(file), "\"0\"\r\n");
}
