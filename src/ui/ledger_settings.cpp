// The ledger window's settings, its opening place and its export dialog.
#include "ui/ledger_settings.h"

#include "ui/window_look.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

namespace ui::ledger {

namespace {

const QString kFrame = QStringLiteral("ledgerWindow/frame");
const QString kSize = QStringLiteral("ledgerWindow/size");
const QString kMaximized = QStringLiteral("ledgerWindow/maximized");
const QString kExportFolder = QStringLiteral("ledgerWindow/exportFolder");

// The gap between the two windows' frames.
constexpr int kGap = 8;

} // namespace

Settings::Settings(QString file) : m_file(std::move(file)) {}

std::unique_ptr<QSettings> Settings::open() const
{
    if (m_file.isEmpty()) {
        return std::make_unique<QSettings>();
    }
    return std::make_unique<QSettings>(m_file, QSettings::IniFormat);
}

std::optional<Place> Settings::place() const
{
    const std::unique_ptr<QSettings> settings = open();
    Place place;
    place.frame = settings->value(kFrame).toRect();
    place.size = settings->value(kSize).toSize();
    place.maximized = settings->value(kMaximized).toBool();
    if (!place.frame.isValid() || !place.size.isValid() ||
        place.size.width() > place.frame.width() || place.size.height() > place.frame.height()) {
        return std::nullopt;
    }
    return place;
}

void Settings::keepPlace(const Place& place)
{
    const std::unique_ptr<QSettings> settings = open();
    settings->setValue(kFrame, place.frame);
    settings->setValue(kSize, place.size);
    settings->setValue(kMaximized, place.maximized);
}

QString Settings::exportFolder() const
{
    const QString kept = open()->value(kExportFolder).toString();
    if (!kept.isEmpty() && QDir(kept).exists()) {
        return kept;
    }
    // A documents folder that is not there would leave the dialog in the working directory:
    // the play folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() || !QDir(documents).exists() ? QDir::homePath() : documents;
}

void Settings::keepExportFolder(const QString& folder)
{
    open()->setValue(kExportFolder, folder);
}

bool whollyOn(const QRect& frame, const QList<QRect>& screens)
{
    return frame.isValid() &&
           std::any_of(screens.begin(), screens.end(),
                       [&frame](const QRect& screen) { return screen.contains(frame); });
}

bool whollyOnAScreen(const QRect& frame)
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens << screen->geometry();
    }
    return whollyOn(frame, screens);
}

QRect besideOrOver(const QRect& mainFrame, QSize size, int narrowest, const QRect& available)
{
    size = size.boundedTo(available.size());
    const int top = std::clamp(mainFrame.top(), available.top(),
                               std::max(available.top(), available.bottom() - size.height() + 1));
    // The side with more room, narrowed to it where it holds at least `narrowest`.
    const int rightRoom = available.right() - mainFrame.right() - kGap;
    const int leftRoom = mainFrame.left() - kGap - available.left();
    const int room = std::max(rightRoom, leftRoom);
    if (room >= std::min(narrowest, size.width())) {
        const int width = std::min(size.width(), room);
        const int left =
            rightRoom >= leftRoom ? mainFrame.right() + 1 + kGap : mainFrame.left() - kGap - width;
        return {QPoint(left, top), QSize(width, size.height())};
    }
    QRect over(QPoint(), size);
    over.moveCenter(mainFrame.center());
    return fitInside(over, available);
}

QString chooseSaveFile(QWidget* parent, const QString& title, const QString& path,
                       const QString& filter)
{
    // The dialog writes its state through QSettings for the organisation "QtProject" in the
    // user's scope when it goes; pointed at a folder of its own for that time, it writes there.
    // The game's own settings are not opened while the dialog is up (it is modal).
    const QTemporaryDir scratch;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (scratch.isValid()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    }
    const QString chosen = QFileDialog::getSaveFileName(parent, title, path, filter);
    if (scratch.isValid()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    }
    return chosen;
}

} // namespace ui::ledger
