// The game's command line: what the player asked for, decided before any window or file is touched.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <filesystem>

namespace app {

struct StartRequest {
    enum class Kind { Play, Help, Version, Refused };
    enum class Folder { Working, Given, User };

    Kind kind = Kind::Play;
    // Help, Version: the text for the player; Refused: what was wrong.
    QString text;
    Folder folder = Folder::Working;
    // Folder::Given: the folder exactly as typed, byte for byte (it need not be UTF-8).
    QByteArray folderBytes;
};

// Exit status of a refused command line, as command-line tools use it for a usage error.
inline constexpr int kUsageExitCode = 2;
// Exit status when the play folder cannot be used.
inline constexpr int kFolderExitCode = 1;

// Reads the arguments after the program name. Qt's own options (-platform, -style, ...) are
// passed over with their values: QApplication takes them when the game starts.
StartRequest readCommandLine(const QList<QByteArray>& arguments);

// Gives the game the names the system knows it by; its settings, the language kept among them,
// are found under these names. Called first, before any settings are read.
void nameTheGame();

// readCommandLine() in the language the player chose, Italian when none is kept. The choice and
// its translation need a QCoreApplication, which opens no display; it is gone on return.
StartRequest readCommandLineInChosenLanguage(int& argc, char** argv);

// The per-user play folder: $XDG_DATA_HOME/TolvStreet, or ~/.local/share/TolvStreet when that is
// unset or not absolute (on Windows %APPDATA%\TolvStreet). Empty when no home is known.
std::filesystem::path userPlayFolder();

// The same rule with the environment given: the values of XDG_DATA_HOME and HOME, or null.
std::filesystem::path xdgPlayFolder(const char* xdgDataHome, const char* home);

// A folder given as bytes, as the system names it.
std::filesystem::path nativePath(const QByteArray& bytes);

// A folder's path for a message to the player.
QString displayName(const std::filesystem::path& folder);

// Creates the folder when it is missing, with the empty Hall of Fame in it, and makes it the
// working directory: the game plays in its working directory. Returns an empty text on
// success, otherwise what went wrong, for the player; nothing is left half-done.
QString enterPlayFolder(const std::filesystem::path& folder);

// Enters the play folder that --folder or --user-folder asked for (nothing for the working
// directory), before any display is opened and in the player's language, so that a folder that
// cannot be used is told even where no window could open. Empty once the game is in it, else
// what stops it, for the player.
QString enterRequestedFolder(const StartRequest& request, int& argc, char** argv);

} // namespace app
