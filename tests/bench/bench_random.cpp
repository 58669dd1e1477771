// Budgets: one mixing step ≤ 12 ns (it runs on every input event and up to 1000 timer ticks a
// second), one RandomBelow ≤ 45 ns.
#include "mixingpool.h"
#include "randomsource.h"

#include <benchmark/benchmark.h>

namespace {

rndgen::MixingPool seededPool() {
    rndgen::MixingPool pool;
    pool.seedFixedSchedule();
    return pool;
}

// One public step per iteration, the pool's state going through memory between calls, as it
// does between two input events.
void BM_MixByte(benchmark::State &state) {
    rndgen::MixingPool pool = seededPool();
    std::uint8_t input = 0;
    for (auto _ : state) {
        pool.MixByte(input);
        input = static_cast<std::uint8_t>(input + 37);
        benchmark::DoNotOptimize(pool.LastOutput);
    }
}
BENCHMARK(BM_MixByte);

// Steps in runs of four (as the seeding mixes its figures); "per_step" is the time of one step.
void BM_MixByteInRuns(benchmark::State &state) {
    rndgen::MixingPool pool = seededPool();
    std::uint32_t value = 0x9E3779B9u;
    for (auto _ : state) {
        pool.Mix32(value);
        value += 0x61C88647u;
        benchmark::DoNotOptimize(pool.LastOutput);
    }
    state.counters["per_step"] =
        benchmark::Counter(4, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixByteInRuns);

void BM_FeedTimerTick(benchmark::State &state) {
    rndgen::MixingPool pool = seededPool();
    std::uint64_t counter = 0;
    for (auto _ : state) {
        counter += 1000003;
        pool.FeedTimerTick(counter);
        benchmark::DoNotOptimize(pool.LastOutput);
    }
}
BENCHMARK(BM_FeedTimerTick);

void BM_PoolRandomBelow(benchmark::State &state) {
    rndgen::MixingPool pool = seededPool();
    for (auto _ : state)
        benchmark::DoNotOptimize(pool.RandomBelow(3));
}
BENCHMARK(BM_PoolRandomBelow);

// What exercise construction calls: the process-wide source.
void BM_RandomBelow(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(RandomBelow(3));
}
BENCHMARK(BM_RandomBelow);

} // namespace

BENCHMARK_MAIN();
