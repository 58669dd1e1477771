#include "session/score.h"

#include <algorithm>

namespace session {

int timeBonus(int gameSeconds) {
    if (gameSeconds < 180)
        return 100;
    if (gameSeconds < 380)
        return (380 - gameSeconds) / 2;
    return 0;
}

int hintBonus(int hintCount) {
    return hintCount < 20 ? 100 - 5 * std::max(hintCount, 0) : 0;
}

int gameScoreValue(int rightAnswers, int gameSeconds, int hintCount) {
    return 50 + 15 * rightAnswers + timeBonus(gameSeconds) + hintBonus(hintCount);
}

QString GameScore(const GameData &data) {
    const int right = int(std::count(data.ResultSlots.begin(), data.ResultSlots.end(), int(esRight)));
    return QString::number(gameScoreValue(right, data.GameSeconds, data.HintCount));
}

} // namespace session
