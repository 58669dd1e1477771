#include "session/spoken.h"

#include <QStringList>

namespace session {

namespace {

QString stateWords(int state) {
    switch (state) {
    case esCurrent:
        return QStringLiteral("решается сейчас");
    case esWrong:
        return QStringLiteral("неверно");
    case esRight:
        return QStringLiteral("верно");
    default:
        return QStringLiteral("ещё не решались");
    }
}

} // namespace

QString progressSummary(const std::array<int, ExercisesPerGame> &results) {
    QStringList parts;
    int first = 0;
    while (first < ExercisesPerGame) {
        int last = first;
        while (last + 1 < ExercisesPerGame && results[last + 1] == results[first])
            ++last;
        QString numbers = QString::number(first + 1);
        if (last == first + 1)
            numbers += QStringLiteral(", ") + QString::number(last + 1);
        else if (last > first)
            numbers += QStringLiteral("–") + QString::number(last + 1);
        parts << numbers + QStringLiteral(" — ") + stateWords(results[first]);
        first = last + 1;
    }
    return QStringLiteral("Упражнения: ") + parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}

QString lampSpokenName(int lamp, bool lit) {
    static const char *const colours[] = {"Зелёная", "Жёлтая", "Красная"};
    const QString colour = QString::fromUtf8(colours[lamp >= 0 && lamp < 3 ? lamp : 0]);
    return colour + QStringLiteral(" лампа, ") + (lit ? QStringLiteral("горит") : QStringLiteral("не горит"));
}

} // namespace session
