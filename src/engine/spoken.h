#pragma once

#include "engine/exercise.h"

#include <QString>

namespace engine {

// What a screen reader says of a value list of the diagram. `slot` 0 is the answer box, 1..3 the frame
// slots (Frames[1] the final operation); `list` is 1 or 2 within a frame. The name says which operation the
// list belongs to, which input it is, whose result the pupil enters there, and whether the exercise gives
// the value or the pupil chooses it; the operation names are those of `language`. Empty for a list that does
// not exist.
QString listSpokenName(const ExerciseModel &model, int slot, int list, int language);
QString listSpokenDescription(const ExerciseModel &model, int slot, int list);

} // namespace engine
