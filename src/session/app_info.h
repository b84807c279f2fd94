// The game's title and version, as every window and box shows them.
#pragma once

#include "session/version.h"

#include <QCoreApplication>
#include <QString>

namespace session::app {

inline QString title()
{
    return QStringLiteral("Tolv Street");
}

// "Versione 1.4.29": each number in decimal, without leading zeros.
inline QString versionLine()
{
    return QCoreApplication::translate("app", "Versione %1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

} // namespace session::app
