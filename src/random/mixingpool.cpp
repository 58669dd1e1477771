#include "mixingpool.h"

namespace rndgen {

namespace {

// Keeps feeds from mixing while a draw runs, and lets them mix again however the draw ends.
class FeedingSuspension {
public:
    explicit FeedingSuspension(bool &flag) noexcept
        : m_flag(flag) {
        m_flag = true;
    }
    ~FeedingSuspension() { m_flag = false; }
    FeedingSuspension(const FeedingSuspension &) = delete;
    FeedingSuspension &operator=(const FeedingSuspension &) = delete;

private:
    bool &m_flag;
};

constexpr std::int64_t MillisecondsPerDay = 86400000;
constexpr std::int64_t DayFractionScale = 2147483647;

} // namespace

void MixingPool::MixByte(std::uint8_t a) noexcept {
    // Registers are copied to locals: the table is a byte array, so every write to it could
    // otherwise alias them and force reloads on this hot path.
    auto &S = Table;
    const std::uint8_t j = static_cast<std::uint8_t>(SumJ + S[StepIndex]);
    const std::uint8_t i = static_cast<std::uint8_t>(StepIndex + 1);
    const std::uint8_t x = LastInput;
    const std::uint8_t y = LastOutput;

    // The four-cell rotation is made one assignment after another, so that coinciding
    // indices still leave a permutation.
    const std::uint8_t t = S[y];
    S[y] = S[j];
    S[j] = S[x];
    S[x] = S[i];
    S[i] = t;

    const std::uint8_t k = static_cast<std::uint8_t>(SumK + S[t]);
    const std::uint8_t p = S[static_cast<std::uint8_t>(S[j] + S[i])];
    const std::uint8_t q = S[S[static_cast<std::uint8_t>(S[x] + S[y] + S[k])]];

    StepIndex = i;
    SumJ = j;
    SumK = k;
    LastOutput = static_cast<std::uint8_t>(a ^ p ^ q);
    LastInput = a;
}

void MixingPool::Mix32(std::uint32_t v) noexcept {
    MixByte(static_cast<std::uint8_t>(v & 255));
    MixByte(static_cast<std::uint8_t>((v >> 8) & 255));
    MixByte(static_cast<std::uint8_t>((v >> 16) & 255));
    MixByte(static_cast<std::uint8_t>(v >> 24));
}

std::uint8_t MixingPool::draw() noexcept {
    MixByte(0);
    return LastOutput;
}

void MixingPool::RandomBytes(void *buffer, std::int32_t count) {
    const FeedingSuspension suspension(FeedingSuspended);
    auto *bytes = static_cast<std::uint8_t *>(buffer);
    for (std::int32_t position = 0; position < count; ++position) {
        if (m_drawHook)
            m_drawHook(position);
        bytes[position] = draw();
    }
}

std::int32_t MixingPool::RandomBelow(std::int32_t n) {
    std::uint8_t b[4];
    RandomBytes(b, 4);
    const std::int32_t v =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | (std::uint32_t{b[1]} << 8) |
                                  (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[3] & 127u} << 24));
    return n > 0 ? v % n : v;
}

void MixingPool::seedFixedSchedule() noexcept {
    StepIndex = 1;
    SumJ = 3;
    SumK = 5;
    LastInput = 7;
    LastOutput = 11;
    for (int m = 0; m < 256; ++m)
        Table[m] = static_cast<std::uint8_t>(255 - m);
    for (int m = 255; m >= 0; --m)
        MixByte(static_cast<std::uint8_t>(m));
}

void MixingPool::seed(SeedSource &source) {
    seedFixedSchedule();

    const MemoryFigures memory = source.memoryFigures();
    Mix32(memory.availablePhysical);
    Mix32(memory.availableSwap);
    Mix32(memory.availableVirtual);

    const LocalDayTime now = source.localDayTime();
    Mix32(static_cast<std::uint32_t>(now.dayNumber));
    Mix32(dayFractionValue(now.millisecondOfDay));

    // The yields push the second clock reading past the first by an amount that depends on the
    // machine's load, which is the point of reading it twice.
    for (int n = 0; n < 256; ++n)
        source.yieldProcessor();
    Mix32(dayFractionValue(source.localDayTime().millisecondOfDay));
}

std::uint32_t MixingPool::dayFractionValue(std::int32_t millisecondOfDay) noexcept {
    // Integer arithmetic: in floating point, f × 2147483647 carries an error larger than the
    // distance of some products from a half, which would round them the wrong way.
    const std::int64_t ms = millisecondOfDay;
    return static_cast<std::uint32_t>((2 * ms * DayFractionScale + MillisecondsPerDay) /
                                      (2 * MillisecondsPerDay));
}

} // namespace rndgen
