// Budgets: one mixing step ≤ 12 ns (it runs on every input event and up to 1000 timer ticks a
// second), one RandomBelow ≤ 45 ns.
#include "random/mixingpool.h"
#include "random/randomsource.h"

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

// The yardstick for the two figures above: the step written the plain way (byte registers in a struct,
// every assignment as the algorithm states it), compiled with the same flags. Machines differ by far
// more than the step's implementations do, so the budgets are read against this in the same run.
struct PlainPool {
    std::uint8_t S[256];
    std::uint8_t i = 1, j = 3, k = 5, x = 7, y = 11;
};

inline void plainStep(PlainPool &p, std::uint8_t a) {
    std::uint8_t *S = p.S;
    p.j = std::uint8_t(p.j + S[p.i]);
    p.i = std::uint8_t(p.i + 1);
    const std::uint8_t i = p.i, j = p.j, x = p.x, y = p.y;
    const std::uint8_t t = S[y];
    S[y] = S[j];
    S[j] = S[x];
    S[x] = S[i];
    S[i] = t;
    p.k = std::uint8_t(p.k + S[t]);
    const std::uint8_t pp = S[std::uint8_t(S[j] + S[i])];
    const std::uint8_t q = S[S[std::uint8_t(S[x] + S[y] + S[p.k])]];
    p.y = std::uint8_t(a ^ pp ^ q);
    p.x = a;
}

[[gnu::noinline]] void plainMixByte(PlainPool &p, std::uint8_t a) {
    plainStep(p, a);
}

PlainPool plainSeeded() {
    PlainPool p;
    for (int m = 0; m < 256; ++m)
        p.S[m] = std::uint8_t(255 - m);
    for (int m = 255; m >= 0; --m)
        plainStep(p, std::uint8_t(m));
    return p;
}

void BM_PlainReferenceMixByte(benchmark::State &state) {
    PlainPool pool = plainSeeded();
    std::uint8_t input = 0;
    for (auto _ : state) {
        plainMixByte(pool, input);
        input = static_cast<std::uint8_t>(input + 37);
        benchmark::DoNotOptimize(pool.y);
    }
}
BENCHMARK(BM_PlainReferenceMixByte);

} // namespace

BENCHMARK_MAIN();
