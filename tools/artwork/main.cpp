// gen_artwork <output folder>: writes title.bmp and about.png into the folder.
#include "artwork.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>

#include <cstdio>

namespace {

bool save(const QImage &image, const QString &path, const char *format) {
    QImageWriter writer(path, format);
    // Fixed compression so the PNG bytes depend on nothing but the pixels and zlib.
    writer.setCompression(9);
    if (!writer.write(image)) {
        std::fprintf(stderr, "gen_artwork: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
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
    const bool ok =
        save(artwork::drawTitle(artwork::titleSeed), dir.filePath(QStringLiteral("title.bmp")), "bmp") &&
        save(artwork::drawAbout(artwork::aboutSeed), dir.filePath(QStringLiteral("about.png")), "png");
    return ok ? 0 : 1;
}
