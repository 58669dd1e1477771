#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace rndgen {

// The three memory figures the seeding mixes in, as byte counts clipped to 32 bits.
struct MemoryFigures {
    std::uint32_t availablePhysical = 0;
    std::uint32_t availableSwap = 0;
    std::uint32_t availableVirtual = 0;
};

// One reading of the local clock: the date as a day number (day 0 = 30 December 1899)
// and the time of day in milliseconds since local midnight (0 ≤ value < 86400000).
struct LocalDayTime {
    std::int32_t dayNumber = 0;
    std::int32_t millisecondOfDay = 0;
};

// Where the seeding takes the machine's readings from. The platform layer supplies the real
// machine; a test supplies fixed readings so that a seeding can be repeated exactly.
class SeedSource {
public:
    virtual ~SeedSource() = default;
    virtual MemoryFigures memoryFigures() = 0;
    virtual LocalDayTime localDayTime() = 0;
    // A sleep of zero length: gives the processor away so that the next clock reading lands later.
    virtual void yieldProcessor() = 0;
};

// The mixing pool of the program's only source of chance: a 256-byte permutation table and five
// one-byte registers, stirred by every step with an input byte. Pure arithmetic, no platform calls:
// each feed is given its counter reading, and the seeding is given its readings through a SeedSource.
// Nothing here fails or allocates; the one way an exception can leave a draw is the test hook.
// Not thread-safe: the program uses one instance, on the user-interface thread only.
class MixingPool {
public:
    std::array<std::uint8_t, 256> Table{};
    std::uint8_t StepIndex = 0;
    std::uint8_t SumJ = 0;
    std::uint8_t SumK = 0;
    std::uint8_t LastInput = 0;
    std::uint8_t LastOutput = 0;
    // While set, the feeds only move their baselines.
    bool FeedingSuspended = false;
    // Counter reading at each source's previous event.
    std::uint64_t LastTimerCount = 0;
    std::uint64_t LastMouseCount = 0;
    std::uint64_t LastKeyboardCount = 0;

    // One mixing step with input byte a: a fixed chain of table reads and writes.
    void MixByte(std::uint8_t a) noexcept;
    // Four mixing steps with the bytes of v, least significant first.
    void Mix32(std::uint32_t v) noexcept;
    // One mixing step with input 0; returns the new output byte.
    std::uint8_t draw() noexcept;

    // Fills count bytes with successive draws (nothing for count ≤ 0). Feeding is suspended meanwhile
    // and cleared again on every way out, also when a draw is interrupted by an exception.
    void RandomBytes(void *buffer, std::int32_t count);
    // A value in [0, n) for n > 0; for n ≤ 0 the unreduced 31-bit value. Always four draws.
    std::int32_t RandomBelow(std::int32_t n);

    // The entropy feeds: mix the low byte of the time since the source's previous event,
    // unless feeding is suspended; the baseline moves to the reading either way.
    void FeedMouseEvent(std::uint64_t counter) noexcept { feed(LastMouseCount, counter); }
    void FeedKeyboardEvent(std::uint64_t counter) noexcept { feed(LastKeyboardCount, counter); }
    void FeedTimerTick(std::uint64_t counter) noexcept { feed(LastTimerCount, counter); }

    // The fixed start of every seeding: registers 1, 3, 5, 7, 11, the table reversed, then one step
    // with each byte from 255 down to 0. Leaves the pool in the same state on every machine.
    void seedFixedSchedule() noexcept;
    // The whole seeding: the fixed schedule, then the memory figures, the date, the time of day,
    // 256 yields and the time of day again. Does not touch FeedingSuspended or the baselines.
    void seed(SeedSource &source);

    // The 32-bit value mixed in for a time of day: f × 2147483647 to the nearest integer,
    // f being the fraction of the day passed; computed exactly, halves rounded up.
    static std::uint32_t dayFractionValue(std::int32_t millisecondOfDay) noexcept;

    // Test seam: called before each draw of RandomBytes with the byte position; may throw.
    void setDrawHook(std::function<void(std::int32_t)> hook) { m_drawHook = std::move(hook); }

private:
    using Table256 = std::array<std::uint8_t, 256>;
    // The five registers as locals: a run of steps keeps them out of memory, where every table
    // write (a byte store) could alias them and force reloads.
    // Held widened, each below 256, so that table indices need no extension.
    struct Registers {
        unsigned i, j, k, x, y;
    };
    Registers registers() const noexcept { return {StepIndex, SumJ, SumK, LastInput, LastOutput}; }
    void setRegisters(const Registers &r) noexcept {
        StepIndex = static_cast<std::uint8_t>(r.i);
        SumJ = static_cast<std::uint8_t>(r.j);
        SumK = static_cast<std::uint8_t>(r.k);
        LastInput = static_cast<std::uint8_t>(r.x);
        LastOutput = static_cast<std::uint8_t>(r.y);
    }
    static void mixStep(Table256 &S, Registers &r, unsigned a) noexcept;

    void feed(std::uint64_t &baseline, std::uint64_t counter) noexcept {
        if (!FeedingSuspended)
            MixByte(static_cast<std::uint8_t>(counter - baseline));
        baseline = counter;
    }

    std::function<void(std::int32_t)> m_drawHook;
};

// Defined here so that draws and feeds compile into a straight run of table operations.
inline void MixingPool::mixStep(Table256 &S, Registers &r, unsigned a) noexcept {
    const unsigned j = (r.j + S[r.i]) & 255u;
    const unsigned i = (r.i + 1) & 255u;
    const unsigned x = r.x;
    const unsigned y = r.y;

    // The four-cell rotation is made one assignment after another, so that coinciding
    // indices still leave a permutation.
    const unsigned t = S[y];
    S[y] = S[j];
    S[j] = S[x];
    S[x] = S[i];
    S[i] = static_cast<std::uint8_t>(t);

    // The reads through t, k and q form the step's critical path; everything else is summed
    // beside it, so that k's read is added last.
    const unsigned k = (r.k + S[t]) & 255u;
    const unsigned ap = a ^ S[(S[j] + S[i]) & 255u];
    const unsigned xy = S[x] + S[y];
    const unsigned q = S[S[(xy + S[k]) & 255u]];

    r.i = i;
    r.j = j;
    r.k = k;
    r.x = a;
    r.y = ap ^ q;
}

inline void MixingPool::MixByte(std::uint8_t a) noexcept {
    Registers r = registers();
    mixStep(Table, r, a);
    setRegisters(r);
}

inline std::uint8_t MixingPool::draw() noexcept {
    MixByte(0);
    return LastOutput;
}

} // namespace rndgen
