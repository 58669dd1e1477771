#include "resources/appresources.h"

#include "resources/fontsystem.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QResource>
#include <QTranslator>

#include <array>
#include <cstring>
#include <optional>

namespace {

struct FamilyTwin {
    const char *windowsFamily;
    const char *liberationFamily;
};

constexpr std::array<FamilyTwin, 3> familyTwins{{
    {"Courier New", "Liberation Mono"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
}};

constexpr std::array<const char *, 5> fontFiles{
    ":/fonts/LiberationMono-Regular.ttf",  ":/fonts/LiberationMono-Bold.ttf",
    ":/fonts/LiberationSans-Regular.ttf",  ":/fonts/LiberationSans-Bold.ttf",
    ":/fonts/LiberationSerif-Regular.ttf",
};

} // namespace

bool registerApplicationFonts() {
    static const bool registered = [] {
        usePrivateFontConfiguration();
        bool all = true;
        for (const char *file : fontFiles) {
            // The font data stays where the resource system keeps it, in the program's image; a copy of the
            // five files would add two megabytes to the running program.
            const QResource resource(QString::fromLatin1(file));
            const QByteArray data =
                resource.compressionAlgorithm() == QResource::NoCompression
                    ? QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                              qsizetype(resource.size()))
                    : resource.uncompressedData();
            all = !data.isEmpty() && QFontDatabase::addApplicationFontFromData(data) >= 0 && all;
        }
        for (const FamilyTwin &twin : familyTwins)
            QFont::insertSubstitution(QString::fromLatin1(twin.windowsFamily),
                                      QString::fromLatin1(twin.liberationFamily));
        return all;
    }();
    return registered;
}

QString programFontFamily(const QString &family) {
    for (const FamilyTwin &twin : familyTwins) {
        if (family.compare(QLatin1String(twin.windowsFamily), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(twin.liberationFamily);
    }
    return family;
}

QFont programFont(const QString &family, int pixelHeight, bool bold) {
    registerApplicationFonts();
    // The twin is named directly rather than through the substitution table, so a machine that also has the
    // real Courier New installed still lays the windows out with the widths they were measured with.
    QFont font(programFontFamily(family));
    font.setPixelSize(pixelHeight);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    // Full hinting, set explicitly so that no desktop setting changes it: advances then snap to whole pixels
    // as they did on the screens the windows were laid out for (Courier New at 19 px is 11 pixels a
    // character, not 11.4), so "Игра окончена." still fits the 155-pixel status label and every measured
    // width is the same on every machine.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

bool installQtTranslation(QCoreApplication &app) {
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/i18n/qtbase_ru.qm"))) {
        delete translator;
        return false;
    }
    if (!QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

namespace {

// Where the pixels of an uncompressed 24-bit bitmap lie, once its header has been checked against its size.
struct Bitmap24 {
    qint32 width = 0;
    qsizetype rows = 0;
    qsizetype stride = 0; // bytes per row, padded to four
    bool topDown = false;
    const uchar *pixels = nullptr;
};

std::optional<Bitmap24> parseBitmap24(const QByteArray &data) {
    constexpr qsizetype headerSize = 54;
    if (data.size() < headerSize || !data.startsWith("BM"))
        return std::nullopt;
    const auto le = [&](qsizetype at, int bytes) {
        quint32 value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | uchar(data[at + i]);
        return value;
    };
    const quint32 offset = le(10, 4);
    const qint32 width = qint32(le(18, 4));
    const qint32 height = qint32(le(22, 4));
    if (le(14, 4) < 40 || le(26, 2) != 1 || le(28, 2) != 24 || le(30, 4) != 0 || width <= 0 || height == 0 ||
        width > 16384 || height > 16384 || height < -16384)
        return std::nullopt;
    Bitmap24 bitmap;
    bitmap.width = width;
    bitmap.rows = height < 0 ? -qsizetype(height) : height;
    bitmap.stride = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    bitmap.topDown = height < 0;
    if (offset < headerSize || qsizetype(offset) + bitmap.stride * bitmap.rows > data.size())
        return std::nullopt;
    bitmap.pixels = reinterpret_cast<const uchar *>(data.constData()) + offset;
    return bitmap;
}

} // namespace

QImage readBitmap24(const QByteArray &data) {
    const std::optional<Bitmap24> bitmap = parseBitmap24(data);
    if (!bitmap)
        return {};
    // Rows are blue-green-red, padded to four bytes, bottom row first unless the height is negative.
    QImage image(bitmap->width, int(bitmap->rows), QImage::Format_RGB32);
    for (qsizetype y = 0; y < bitmap->rows; ++y) {
        const uchar *source = bitmap->pixels + (bitmap->topDown ? y : bitmap->rows - 1 - y) * bitmap->stride;
        auto *target = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        for (qint32 x = 0; x < bitmap->width; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

QImage bitmap24View(const QByteArray &data) {
    const std::optional<Bitmap24> bitmap = parseBitmap24(data);
    // QImage wants its rows in order and on four-byte boundaries; anything else needs readBitmap24's copy.
    if (!bitmap || !bitmap->topDown || reinterpret_cast<quintptr>(bitmap->pixels) % 4 != 0)
        return {};
    return QImage(bitmap->pixels, bitmap->width, int(bitmap->rows), bitmap->stride, QImage::Format_BGR888);
}

QImage loadProgramPicture(const QString &resourcePath) {
    const QResource resource(resourcePath);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                                        qsizetype(resource.size()));
        // The resource data lives as long as the program, so the picture can be shown where it lies.
        if (QImage view = bitmap24View(data); !view.isNull())
            return view;
        if (QImage bitmap = readBitmap24(data); !bitmap.isNull())
            return bitmap;
    }
    // The reader is told the format by the file's suffix and not to guess: guessing asks every image-format
    // plugin on the machine whether it can read the picture, which loads them all during start-up.
    QImageReader reader(resourcePath, QFileInfo(resourcePath).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    return image.isNull() ? QImage(resourcePath) : image;
}
