#include "appresources.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QTranslator>

#include <array>

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
        bool all = true;
        for (const char *file : fontFiles)
            all = QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0 && all;
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
    // as they did on the screens the windows were laid out for (Courier New at 19 px is 11 pixels a character,
    // not 11.4), so "Игра окончена." still fits the 155-pixel status label and every measured width is the
    // same on every machine.
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
