#pragma once

#include "random/mixingpool.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace rndgen {

// Everything the random source needs from the machine. One production implementation
// (SystemRandomPlatform) and, in the tests, fakes with fixed or stepped readings.
class RandomPlatform : public SeedSource {
public:
    // A 64-bit increasing high-resolution counter; only the low byte of differences is used.
    virtual std::uint64_t counter() = 0;
};

// The machine the program runs on. Its counter and memory figures come from the platform's own file
// (systemplatform_linux.cpp or systemplatform_windows.cpp, the build takes one):
// - Linux: the counter is std::chrono::steady_clock in nanoseconds; available physical memory is MemAvailable
//   of /proc/meminfo, available page-file space SwapFree (0 without swap), available virtual address space
//   the process's address-space limit (RLIMIT_AS, or the 47-bit user address space when unlimited) less its
//   current size (VmSize of /proc/self/status);
// - Windows: the counter is QueryPerformanceCounter; the three figures are GlobalMemoryStatusEx's available
//   physical memory, page file and virtual address space;
// each figure in bytes, clipped to 0xFFFFFFFF, and 0 where it cannot be read. On every platform the local
// date and time are the day number from 30 December 1899 and milliseconds since local midnight, and the
// zero-length sleep is std::this_thread::yield.
class SystemRandomPlatform final : public RandomPlatform {
public:
    std::uint64_t counter() override;
    MemoryFigures memoryFigures() override;
    LocalDayTime localDayTime() override;
    void yieldProcessor() override;
};

// The value of a "Key:   123 kB" line of /proc/meminfo or /proc/self/status, in bytes (Linux's figures; plain
// text handling, so it is built and tested everywhere);
// nothing when the key is missing or its value unreadable.
std::optional<std::uint64_t> procFieldBytes(std::string_view text, std::string_view key);
// The day number of a date in the proleptic Gregorian calendar, day 0 being 30 December 1899.
std::int32_t dayNumberOf(int year, int month, int day);
// A byte count as the 32-bit figure the seeding mixes in: clipped to 0xFFFFFFFF.
std::uint32_t clippedByteCount(std::uint64_t bytes) noexcept;

enum class RandomSourceState { NotStarted, Running, Stopped };

// How many times each feed has been called since the program began (diagnostics for tests).
struct RandomFeedCounts {
    std::uint64_t mouse = 0;
    std::uint64_t keyboard = 0;
    std::uint64_t timer = 0;
};

RandomSourceState randomSourceState();
// True exactly while the input-event subscription is in place.
bool randomSourceInstalled();
RandomFeedCounts randomFeedCounts();
// The process-wide pool, for inspection by tests.
MixingPool &randomPool();
// Test seam: the machine the source reads from; nullptr restores the real one. The platform
// object must outlive its use.
void setRandomPlatform(RandomPlatform *platform);

} // namespace rndgen

// The program's source of chance. One process-wide pool, used on the user-interface thread only.
//
// StartRandomSource seeds the pool and, when a QCoreApplication exists, subscribes to the
// program's own mouse and keyboard events (an application event filter that sees each input event
// once, never consumes it) and starts a 1 ms precise timer; without an application it only seeds.
// Called again, it first removes the feeds it had installed. StopRandomSource removes the feeds;
// feeding stays suspended from then on, draws included. Nothing here reports errors.
void StartRandomSource();
void StopRandomSource();

// A random integer in [0, n) for n > 0; for n ≤ 0 the unreduced value in [0, 2147483647].
std::int32_t RandomBelow(std::int32_t n);
// Fills count bytes with draws from the pool; nothing for count ≤ 0.
void RandomBytes(void *buffer, std::int32_t count);

// The entropy feeds, each reading the counter itself. The event filter and the timer call them.
void FeedMouseEvent();
void FeedKeyboardEvent();
void FeedTimerTick();
