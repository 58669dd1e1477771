#pragma once

#include <array>

namespace session {

// The result state of one exercise of a game.
enum TResultState : int { esNotPlayed = 0, esCurrent = 1, esWrong = 2, esRight = 3 };

inline constexpr int ExercisesPerGame = 10;

// The game data: one instance for the whole run, all zero at start. ResultSlots are numbered 1..10 by
// the windows; here they are indexed 0..9. HintCount is never reset: hints of an earlier game still
// lower the score of a later one.
struct GameData {
    int Level = 0;
    int CurrentExercise = 0;
    std::array<int, ExercisesPerGame> ResultSlots{};
    int GameSeconds = 0;
    int HintCount = 0;

    int &slot(int exercise) { return ResultSlots.at(exercise - 1); }
    int slot(int exercise) const { return ResultSlots.at(exercise - 1); }
};

} // namespace session
