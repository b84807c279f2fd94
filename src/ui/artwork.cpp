// The game's pictures, fonts and painted controls.
#include "ui/artwork.h"
#include "ui/window_look.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QSvgRenderer>

#include <algorithm>

namespace ui {

void installFontSubstitutions()
{
    // A substitute is only tried when the named face is missing, so where the Copperplate faces
    // are installed they are used as they are.
    const QStringList titling{QStringLiteral("Mekanus ADF Titling Std")};
    for (const char* family : {fonts::kCopperplateLight, fonts::kCopperplateBold}) {
        const QString name = QString::fromLatin1(family);
        if (QFont::substitutes(name).isEmpty()) {
            QFont::insertSubstitutions(name, titling);
        }
    }
}

QFont designFont(const char* family, double points, QFont::Weight weight)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QIcon appIcon()
{
    return QIcon(QString::fromLatin1(art::kAppIcon));
}

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {}

void PictureButton::setPicture(const QString& resource, QSize size)
{
    if (m_picture == nullptr) {
        m_picture = new QSvgRenderer(this);
    }
    m_picture->load(resource);
    m_pictureSize = size;
    update();
}

bool PictureButton::hasPicture() const
{
    return m_picture != nullptr && m_picture->isValid();
}

void PictureButton::setFaceColour(const QColor& colour)
{
    m_face = colour;
    QPalette shades = palette();
    shades.setColor(QPalette::Button, colour);
    setPalette(shades);
    // A fixed face takes the game's black caption with it: the system's button text may be
    // white under a dark scheme.
    useGameInk(this);
    update();
}

void PictureButton::setCaption(const QString& caption)
{
    m_caption = caption;
    // The button's own text keeps the caption for readers of text(), with any ampersand doubled
    // so that no access key is taken from what a file holds.
    QString literal = caption;
    literal.replace(QLatin1Char('&'), QStringLiteral("&&"));
    setText(literal);
    update();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect inner = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (m_face.isValid()) {
        // Some styles draw their own face whatever the palette says: paint the colour inside.
        painter.fillRect(inner.adjusted(1, 1, -1, -1), m_face);
    }
    if (isDown()) {
        inner.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                        style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }

    const int flags = Qt::AlignHCenter | Qt::TextWordWrap;
    int captionHeight = 0;
    if (!m_caption.isEmpty()) {
        captionHeight = QFontMetrics(font()).boundingRect(inner, flags, m_caption).height();
    }

    if (hasPicture()) {
        const QRect area = inner.adjusted(0, 0, 0, -captionHeight);
        QSizeF size = m_pictureSize;
        if (size.width() > area.width() || size.height() > area.height()) {
            size.scale(area.size(), Qt::KeepAspectRatio);
        }
        const QRectF target(area.left() + (area.width() - size.width()) / 2.0,
                            area.top() + (area.height() - size.height()) / 2.0, size.width(),
                            size.height());
        m_picture->render(&painter, target);
    }

    if (!m_caption.isEmpty()) {
        const QRect textArea = hasPicture()
                                   ? QRect(inner.left(), inner.bottom() + 1 - captionHeight,
                                           inner.width(), captionHeight)
                                   : inner;
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(textArea, flags | Qt::AlignVCenter, m_caption);
    }

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inner;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

LineShape::LineShape(QPoint from, QPoint to, int width, QWidget* parent)
    : QWidget(parent), m_from(from), m_to(to), m_width(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // The widget covers the line's bounds plus the pen's reach on every side.
    const int reach = (width + 1) / 2;
    setGeometry(QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach));
}

void LineShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(palette().color(QPalette::WindowText), m_width, Qt::SolidLine, Qt::RoundCap));
    const QPoint origin = pos();
    painter.drawLine(m_from - origin, m_to - origin);
}

RectangleShape::RectangleShape(const QRect& geometry, int border, QWidget* parent)
    : QWidget(parent), m_border(border)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(geometry);
}

void RectangleShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    const int w = width();
    const int h = height();
    const QWidget* behind = parentWidget();
    if (behind != nullptr &&
        contrast(ink, behind->palette().color(behind->backgroundRole())) < 4.5) {
        painter.fillRect(rect(), kInkFace);
    }
    const int b = std::min({m_border, w, h});
    painter.fillRect(0, 0, w, b, ink);
    painter.fillRect(0, h - b, w, b, ink);
    painter.fillRect(0, 0, b, h, ink);
    painter.fillRect(w - b, 0, b, h, ink);
}

} // namespace ui
