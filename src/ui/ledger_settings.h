// What the ledger window keeps in the game's own settings (its place and size, the folder of the
// last export), where it opens when it has no place kept, and the export's file dialog, which
// leaves the user's configuration folder alone.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QSettings;
class QWidget;

namespace ui::ledger {

struct Place {
    QRect frame; // the window with its frame, on the screens as they were
    QSize size;  // the window's own size, inside the frame
    bool maximized = false;
};

class Settings {
public:
    // The game's settings for the user (beside the language), or the given file.
    explicit Settings(QString file = {});

    std::optional<Place> place() const;
    void keepPlace(const Place& place);
    // The folder of the last export, or the user's documents folder (home without one).
    QString exportFolder() const;
    void keepExportFolder(const QString& folder);

private:
    std::unique_ptr<QSettings> open() const;
    QString m_file;
};

// Whether the frame lies wholly on one of the screens.
bool whollyOn(const QRect& frame, const QList<QRect>& screens);
bool whollyOnAScreen(const QRect& frame);

// Where a frame of `size` opens: beside the main window's frame, on the side of the free area
// with more room, narrowed to that room down to `narrowest`; where neither side has that much,
// over it. Always inside the free area as far as it fits.
QRect besideOrOver(const QRect& mainFrame, QSize size, int narrowest, const QRect& available);

// The file dialog for an export. Qt's own dialog keeps its state (folders visited, its sizes)
// in QtProject.conf in the user's configuration folder when it closes, whatever the program
// says; here it keeps it in a temporary folder that goes with it. Empty when cancelled.
QString chooseSaveFile(QWidget* parent, const QString& title, const QString& path,
                       const QString& filter);

} // namespace ui::ledger
