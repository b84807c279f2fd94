// The game's pictures and fonts, and the painted controls: picture buttons, lines, shapes.
#pragma once

#include "ui/twips.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPoint>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QWidget>

class QSvgRenderer;

namespace ui {

namespace art {
inline constexpr const char* kAppIcon = ":/art/app_icon.svg";
inline constexpr const char* kBuy = ":/art/buy.svg";
inline constexpr const char* kSell = ":/art/sell.svg";
inline constexpr const char* kInfo = ":/art/info.svg";
} // namespace art

// The typefaces the windows ask for by name.
namespace fonts {
inline constexpr const char* kCopperplateLight = "Copperplate Gothic Light";
inline constexpr const char* kCopperplateBold = "Copperplate Gothic Bold";
inline constexpr const char* kTimes = "Times New Roman";
inline constexpr const char* kArial = "Arial";
} // namespace fonts

// Lets the Copperplate faces fall back to the closest titling face found here; Times New Roman and
// Arial find their metric twins through the system's font matching. Safe to call more than once.
void installFontSubstitutions();

// A font by family, size in points (fractions kept: 8.25, 9.75) and weight.
QFont designFont(const char* family, double points, QFont::Weight weight = QFont::Normal);

// The application icon, vector-drawn so that it stays crisp at every scale.
QIcon appIcon();

// A command button that paints its own face: an optional picture with the caption below it,
// an optional face colour, and a caption that wraps at its blanks when it does not fit.
class PictureButton final : public QPushButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    // An SVG picture from the resources and the size it is drawn at, in pixels; it shrinks
    // (keeping its shape) when the button is too small for it.
    void setPicture(const QString& resource, QSize size);
    bool hasPicture() const;
    void setFaceColour(const QColor& colour);
    QColor faceColour() const { return m_face; }

    // The caption as plain text: an ampersand is shown, never taken as an access key.
    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* m_picture = nullptr;
    QSize m_pictureSize;
    QColor m_face;
    QString m_caption;
};

// A straight line between two points of its parent, drawn with a pen of the given width.
class LineShape final : public QWidget {
    Q_OBJECT
public:
    LineShape(QPoint from, QPoint to, int width, QWidget* parent = nullptr);
    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }
    int penWidth() const { return m_width; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
    int m_width;
};

// A rectangle outline drawn inside its geometry with the given border width, in its ink
// (WindowText). Where the face behind it is too dark for that ink to be read, the rectangle is
// filled with the white of the design's lines, so that its ink and what lies on it stand out.
class RectangleShape final : public QWidget {
    Q_OBJECT
public:
    RectangleShape(const QRect& geometry, int border, QWidget* parent = nullptr);
    int border() const { return m_border; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_border;
};

} // namespace ui
