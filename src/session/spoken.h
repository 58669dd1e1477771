#pragma once

#include "session/gamedata.h"

#include <QString>

namespace session {

// The progress bar in words, for its tooltip and for screen readers, so that a pupil who cannot tell its red
// from its green can still read it: each exercise of the game with its result, runs of equal results joined
// ("Упражнения: 1, 2 — верно; 3 — неверно; 4 — решается сейчас; 5–10 — ещё не решались.").
QString progressSummary(const std::array<int, ExercisesPerGame> &results);

// One lamp of the total-time display in words: `lamp` 0 green, 1 yellow, 2 red.
QString lampSpokenName(int lamp, bool lit);

} // namespace session
