// Texts of the command line on Windows: a windowed program has no console, so a message box.
#include "app/console.h"

#include "session/app_info.h"

#include <QApplication>
#include <QMessageBox>

#include <windows.h>

#include <shellapi.h>

namespace app {

QList<QByteArray> commandArguments(int, char**)
{
    // The wide command line: argv holds the ANSI code page's idea of the arguments.
    QList<QByteArray> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        arguments << QString::fromWCharArray(wide[i]).toUtf8();
    }
    LocalFree(wide);
    return arguments;
}

void tellBeforeStart(const QString& text, bool isError, int& argc, char** argv)
{
    QApplication application(argc, argv);
    QMessageBox box(isError ? QMessageBox::Warning : QMessageBox::Information, session::app::title(),
                    text.trimmed(), QMessageBox::Ok);
    box.exec();
}

} // namespace app
