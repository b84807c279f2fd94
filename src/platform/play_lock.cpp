// The play folder's lock: what the player is told about it and its life, the same on every system.
#include "platform/play_lock.h"

#include <QCoreApplication>

namespace platform {

QString alreadyOpenMessage()
{
    return QCoreApplication::translate("PlayLock", "Tolv Street è già aperto in questa cartella.");
}

QString lockNotAFileMessage()
{
    return QCoreApplication::translate(
               "PlayLock", "Al posto del file \"%1\" c'è una cartella, un collegamento o "
                           "un altro oggetto: Tolv Street non può sapere se è già aperto "
                           "in questa cartella. Toglilo dalla cartella di gioco e riprova.")
        .arg(QLatin1String(records::kLockName.data(), static_cast<qsizetype>(records::kLockName.size())));
}

QString noLockMessage(const std::string& reason)
{
    return QCoreApplication::translate("PlayLock",
                                       "Non è possibile bloccare la cartella di gioco con il file \"%1\" (%2): "
                                       "un'altra copia di Tolv Street potrebbe giocarvi. La partita continua "
                                       "senza salvare.")
        .arg(QLatin1String(records::kLockName.data(), static_cast<qsizetype>(records::kLockName.size())), QString::fromLocal8Bit(reason.c_str()));
}

PlayLock::PlayLock(std::filesystem::path folder) : m_folder(std::move(folder)) {}

PlayLock::~PlayLock() { release(); }

} // namespace platform
