// gen_artwork <output folder>: writes title.bmp, about.png and the icons icon-<size>.png into the folder.
#include "artwork.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>

#include <cstdio>

namespace {

bool save(const QImage &image, const QString &path, const char *format, int compression = 9) {
    QImageWriter writer(path, format);
    // Fixed compression so the PNG bytes depend on nothing but the pixels and zlib.
    writer.setCompression(compression);
    if (!writer.write(image)) {
        std::fprintf(stderr, "gen_artwork: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

// The title as the program reads it fastest: a 24-bit bitmap stored top row first (negative height) with its
// pixels starting on a four-byte boundary, so that the program can show the rows where they lie in its
// resources without converting or copying them. Qt's own writer stores the bottom row first.
bool saveTopDownBitmap(const QImage &picture, const QString &path) {
    const QImage image = picture.convertToFormat(QImage::Format_BGR888);
    constexpr quint32 headersEnd = 14 + 40;
    constexpr quint32 pixelsAt = (headersEnd + 3) & ~3u;
    const quint32 stride = (quint32(image.width()) * 3 + 3) & ~3u;
    const quint32 pixelBytes = stride * quint32(image.height());

    QByteArray bitmap;
    const auto put = [&bitmap](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bitmap.append(char((value >> (8 * i)) & 0xff));
    };
    bitmap.append("BM");
    put(pixelsAt + pixelBytes, 4);
    put(0, 4); // reserved
    put(pixelsAt, 4);
    put(40, 4); // BITMAPINFOHEADER
    put(quint32(image.width()), 4);
    put(quint32(-image.height()), 4); // top row first
    put(1, 2);                        // planes
    put(24, 2);                       // bits per pixel
    put(0, 4);                        // no compression
    put(pixelBytes, 4);
    put(2835, 4); // 72 dots per inch, as pixels per metre
    put(2835, 4);
    put(0, 4); // no palette
    put(0, 4);
    bitmap.append(QByteArray(int(pixelsAt - headersEnd), '\0'));
    for (int y = 0; y < image.height(); ++y) {
        bitmap.append(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 3);
        bitmap.append(QByteArray(int(stride) - image.width() * 3, '\0'));
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bitmap) != bitmap.size()) {
        std::fprintf(stderr, "gen_artwork: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: gen_artwork <output folder>\n");
        return 2;
    }
    const QDir dir(args[1]);
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "gen_artwork: cannot create %s\n", qPrintable(dir.path()));
        return 1;
    }
    bool ok = saveTopDownBitmap(artwork::drawTitle(artwork::titleSeed),
                                dir.filePath(QStringLiteral("title.bmp"))) &&
              save(artwork::drawAbout(artwork::aboutSeed), dir.filePath(QStringLiteral("about.png")), "png");
    // Qt reads the PNG compression as a percentage: the icons, which only the desktop reads, are packed as
    // tightly as zlib can.
    for (const int size : artwork::iconSizes)
        ok = ok && save(artwork::drawIcon(size, artwork::iconSeed),
                        dir.filePath(QStringLiteral("icon-%1.png").arg(size)), "png", 100);
    return ok ? 0 : 1;
}
