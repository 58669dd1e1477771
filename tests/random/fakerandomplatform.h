#pragma once

#include "random/randomsource.h"

// A machine with fixed memory figures and clock, and a counter the test sets or lets step by a
// fixed amount on each reading. Counts the readings of the counter.
class FakeRandomPlatform final : public rndgen::RandomPlatform {
public:
    std::uint64_t nextCount = 1000;
    std::uint64_t stepPerReading = 0;
    int counterReadings = 0;
    rndgen::MemoryFigures memory{0x12345678u, 0x9ABCDEF0u, 0xFFFFFFFFu};
    rndgen::LocalDayTime time{46000, 43200000};

    std::uint64_t counter() override {
        ++counterReadings;
        const std::uint64_t reading = nextCount;
        nextCount += stepPerReading;
        return reading;
    }
    rndgen::MemoryFigures memoryFigures() override { return memory; }
    rndgen::LocalDayTime localDayTime() override { return time; }
    void yieldProcessor() override {}
};

// Everything a step or a feed may change.
inline bool samePoolState(const rndgen::MixingPool &a, const rndgen::MixingPool &b) {
    return a.Table == b.Table && a.StepIndex == b.StepIndex && a.SumJ == b.SumJ && a.SumK == b.SumK &&
           a.LastInput == b.LastInput && a.LastOutput == b.LastOutput &&
           a.FeedingSuspended == b.FeedingSuspended && a.LastTimerCount == b.LastTimerCount &&
           a.LastMouseCount == b.LastMouseCount && a.LastKeyboardCount == b.LastKeyboardCount;
}
