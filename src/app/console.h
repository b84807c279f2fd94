// What the game tells a player about its command line and its play folder, where they will see
// it: on the terminal they typed it in, or in a box.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace app {

// The arguments after the program name, as the system passed them.
QList<QByteArray> commandArguments(int argc, char** argv);

// Shows a text of the command line before any window exists. Help and the version are printed
// on the output wherever it leads. A mistake is printed on the terminal the player typed it in;
// started from elsewhere (a launcher, a desktop entry) the player sees it in a box where a window
// can open, and on the error stream where none can. On Windows, where a windowed program has no
// console, every text is a box.
void tellBeforeStart(const QString& text, bool isError, int& argc, char** argv);

} // namespace app
