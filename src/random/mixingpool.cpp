#include "random/mixingpool.h"

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

void MixingPool::Mix32(std::uint32_t v) noexcept {
    Registers r = registers();
    mixStep(Table, r, static_cast<std::uint8_t>(v & 255));
    mixStep(Table, r, static_cast<std::uint8_t>((v >> 8) & 255));
    mixStep(Table, r, static_cast<std::uint8_t>((v >> 16) & 255));
    mixStep(Table, r, static_cast<std::uint8_t>(v >> 24));
    setRegisters(r);
}

void MixingPool::RandomBytes(void *buffer, std::int32_t count) {
    const FeedingSuspension suspension(FeedingSuspended);
    auto *bytes = static_cast<std::uint8_t *>(buffer);
    if (m_drawHook) {
        // The hook may look at the pool, so each draw leaves it up to date.
        for (std::int32_t position = 0; position < count; ++position) {
            m_drawHook(position);
            bytes[position] = draw();
        }
        return;
    }
    Registers r = registers();
    for (std::int32_t position = 0; position < count; ++position) {
        mixStep(Table, r, 0);
        bytes[position] = static_cast<std::uint8_t>(r.y);
    }
    setRegisters(r);
}

std::int32_t MixingPool::RandomBelow(std::int32_t n) {
    std::uint8_t b[4];
    RandomBytes(b, 4);
    const std::uint32_t v = std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) |
                            (std::uint32_t{b[3] & 127u} << 24);
    const auto value = static_cast<std::int32_t>(v);
    // Unsigned: v is never negative here, and the unsigned division is the quicker one.
    return n > 0 ? static_cast<std::int32_t>(v % static_cast<std::uint32_t>(n)) : value;
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
