// What the game tells a player who started it from a command line, where they will see it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace app {

// The arguments after the program name, as the system passed them.
QList<QByteArray> commandArguments(int argc, char** argv);

// Prints a text for a player who started the game from a terminal (errors on the error stream);
// on Windows, where a windowed program has no console, nothing.
void printOnConsole(const QString& text, bool isError);

// Shows a text of the command line: printed on Linux (errors on the error stream), in a message
// box on Windows, where a windowed program has no console. No window exists yet.
void tellBeforeStart(const QString& text, bool isError, int& argc, char** argv);

} // namespace app
