// A written file's data forced to the disk before it takes its name: QSaveFile's commit()
// syncs too, but goes on when that sync fails.
#pragma once

#include <QFileDevice>
#include <QString>

namespace platform {

// Empty once the data is on the disk, else the system's words for why it may not be.
QString syncFileData(QFileDevice& file);

} // namespace platform
