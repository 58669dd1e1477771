#pragma once

#include "session/gamedata.h"

#include <QString>

namespace session {

int timeBonus(int gameSeconds);
int hintBonus(int hintCount);
// 50 + 15 per right answer + the time bonus + the hint bonus: 50..400.
int gameScoreValue(int rightAnswers, int gameSeconds, int hintCount);
// The score of the game just finished, as a decimal text.
QString GameScore(const GameData &data);

} // namespace session
