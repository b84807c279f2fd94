// Renders an SVG icon at 16, 32, 48 and 256 pixels into one Windows .ico file.
// Usage: make_icon icon.svg icon.ico
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>
#include <vector>

namespace {

struct Entry {
    QByteArray directory; // the 16-byte directory entry, offset still to be set
    QByteArray data;      // the bitmap or PNG it points at
};

QImage render(QSvgRenderer& renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

// Qt's ico writer stores one image per file; its single directory entry and bitmap are
// taken out so that several sizes can share one file.
bool icoEntry(const QImage& image, Entry& entry)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image)) {
        std::fprintf(stderr, "make_icon: %s\n", qPrintable(writer.errorString()));
        return false;
    }
    const QByteArray file = buffer.data();
    if (file.size() < 22 || qFromLittleEndian<quint16>(file.constData() + 4) != 1) {
        return false;
    }
    const quint32 size = qFromLittleEndian<quint32>(file.constData() + 6 + 8);
    const quint32 offset = qFromLittleEndian<quint32>(file.constData() + 6 + 12);
    if (offset + size > static_cast<quint32>(file.size())) {
        return false;
    }
    entry.directory = file.mid(6, 16);
    entry.data = file.mid(offset, size);
    return true;
}

// The large size goes in as PNG, as Windows expects for 256 pixels.
bool pngEntry(const QImage& image, Entry& entry)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return false;
    }
    entry.data = buffer.data();
    entry.directory = QByteArray(16, '\0');
    char* d = entry.directory.data();
    d[0] = static_cast<char>(image.width() >= 256 ? 0 : image.width());
    d[1] = static_cast<char>(image.height() >= 256 ? 0 : image.height());
    qToLittleEndian<quint16>(1, d + 4);  // colour planes
    qToLittleEndian<quint16>(32, d + 6); // bits per pixel
    qToLittleEndian<quint32>(static_cast<quint32>(entry.data.size()), d + 8);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon icon.svg icon.ico\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "make_icon: cannot read %s\n", argv[1]);
        return 1;
    }

    std::vector<Entry> entries;
    for (int size : {16, 32, 48, 256}) {
        Entry entry;
        const QImage image = render(renderer, size);
        if (!(size == 256 ? pngEntry(image, entry) : icoEntry(image, entry))) {
            std::fprintf(stderr, "make_icon: cannot encode the %d-pixel image\n", size);
            return 1;
        }
        entries.push_back(entry);
    }

    QByteArray out(6, '\0');
    qToLittleEndian<quint16>(1, out.data() + 2); // an icon, not a cursor
    qToLittleEndian<quint16>(static_cast<quint16>(entries.size()), out.data() + 4);
    quint32 offset = static_cast<quint32>(6 + 16 * entries.size());
    for (Entry& entry : entries) {
        qToLittleEndian<quint32>(offset, entry.directory.data() + 12);
        out += entry.directory;
        offset += static_cast<quint32>(entry.data.size());
    }
    for (const Entry& entry : entries) {
        out += entry.data;
    }

    QSaveFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.flush() ||
        !file.commit()) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
