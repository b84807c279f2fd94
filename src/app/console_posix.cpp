// Texts of the command line on Linux: printed for a player at a terminal, a box for one without.
#include "app/console.h"

#include "session/app_info.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include <unistd.h>

namespace app {

namespace {

void print(const QString& text, std::FILE* stream)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

bool onTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

// Platforms that draw windows for nobody to see.
bool unseen(const QByteArray& platform)
{
    return platform == "offscreen" || platform == "minimal";
}

// Whether a window would open where the player sees it: the platform Qt is asked for (-platform,
// else QT_QPA_PLATFORM, first choice, options cut off) shows windows and has its display.
bool windowReachesThePlayer(int argc, char** argv)
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if ((argument == "-platform" || argument == "--platform") && i + 1 < argc) {
            platform = argv[i + 1];
        } else if (argument.startsWith("-platform=") || argument.startsWith("--platform=")) {
            platform = argument.mid(argument.indexOf('=') + 1);
        }
    }
    platform = platform.split(';').constFirst().split(':').constFirst();
    const bool x11 = !qgetenv("DISPLAY").isEmpty();
    const bool wayland = !qgetenv("WAYLAND_DISPLAY").isEmpty();
    if (unseen(platform)) {
        return false;
    }
    if (platform == "xcb") {
        return x11;
    }
    if (platform.startsWith("wayland")) {
        return wayland;
    }
    // No platform named: Qt picks the session's; another one (eglfs, linuxfb) has a screen.
    return platform.isEmpty() ? x11 || wayland : true;
}

} // namespace

QList<QByteArray> commandArguments(int argc, char** argv)
{
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    return arguments;
}

void tellBeforeStart(const QString& text, bool isError, int& argc, char** argv)
{
    if (!isError) {
        print(text, stdout);
        return;
    }
    if (onTerminal() || !windowReachesThePlayer(argc, argv)) {
        print(text, stderr);
        return;
    }
    QApplication application(argc, argv);
    QMessageBox box(QMessageBox::Warning, session::app::title(), text.trimmed(), QMessageBox::Ok);
    box.exec();
}

} // namespace app
