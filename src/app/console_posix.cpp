// Texts of the command line on Linux: printed, with no display needed.
#include "app/console.h"

#include <cstdio>

namespace app {

QList<QByteArray> commandArguments(int argc, char** argv)
{
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    return arguments;
}

void tellBeforeStart(const QString& text, bool isError, int&, char**)
{
    printOnConsole(text, isError);
}

void printOnConsole(const QString& text, bool isError)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::FILE* stream = isError ? stderr : stdout;
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace app
