#include "engine/exercise.h"
#include "random/randomsource.h"

#include <benchmark/benchmark.h>

// Building one exercise model, draws from the real pool included.
static void BM_BuildExercise(benchmark::State &state) {
    const int level = int(state.range(0));
    engine::ExerciseModel model;
    int exercise = 0;
    for (auto _ : state) {
        exercise = exercise % 10 + 1;
        engine::BuildExercise(model, level, exercise, &RandomBelow, 1, 1);
        benchmark::DoNotOptimize(model);
    }
}
BENCHMARK(BM_BuildExercise)->Arg(1)->Arg(2)->Arg(3);

BENCHMARK_MAIN();
