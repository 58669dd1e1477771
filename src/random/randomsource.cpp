#include "random/randomsource.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>
#include <thread>
#include <utility>

namespace rndgen {

namespace {

// Feeds the pool from input events. Installed on the application, it sees every event sent to any
// object, and Qt sends one mouse or key event again to each widget it propagates through; only the
// spontaneous delivery to the top-level window stands for one event taken from the input queue.
// A key press taken from the queue is first offered to the shortcuts, as a shortcut override event
// to the same window, and a press that fires a shortcut or a menu's access key is never delivered
// as a key press. So a press is fed at its override, before anything handles it, and the key press
// event that may follow for it is not fed again.
class InputEventFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (event->spontaneous() && receiver->isWindowType()) {
            switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
                FeedMouseEvent();
                break;
            case QEvent::ShortcutOverride:
                m_pressFed = true;
                FeedKeyboardEvent();
                break;
            case QEvent::KeyPress:
                if (!std::exchange(m_pressFed, false))
                    FeedKeyboardEvent();
                break;
            case QEvent::KeyRelease:
                m_pressFed = false;
                FeedKeyboardEvent();
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    bool m_pressFed = false;
};

struct RandomSource {
    MixingPool pool;
    SystemRandomPlatform systemPlatform;
    RandomPlatform *platform = &systemPlatform;
    RandomSourceState state = RandomSourceState::NotStarted;
    RandomFeedCounts counts;
    // Both are children of the application, so they cannot outlive it even without a stop.
    QPointer<InputEventFilter> inputFilter;
    QPointer<QTimer> timer;
};

RandomSource &source() {
    static RandomSource instance;
    return instance;
}

bool installed(const RandomSource &s) {
    return !s.inputFilter.isNull();
}

void removeSources(RandomSource &s) {
    if (installed(s)) {
        // One filter carries both the keyboard and the mouse subscription, so removing it removes
        // the keyboard first and the mouse with it; the timer goes last.
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeEventFilter(s.inputFilter);
        delete s.inputFilter.data();
        delete s.timer.data();
    }
    s.inputFilter.clear();
    s.timer.clear();
}

void installSources(RandomSource &s) {
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    auto *filter = new InputEventFilter(app);
    app->installEventFilter(filter);
    s.inputFilter = filter;

    // A precise timer is the finest each platform gives: on Linux the event loop's own deadlines, kept to
    // the millisecond; on Windows a winmm multimedia timer at 1 ms resolution, where a window timer would
    // tick no faster than every 10 ms or so.
    auto *timer = new QTimer(app);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [] { FeedTimerTick(); });
    timer->start();
    s.timer = timer;
}

// A draw clears the suspension on its way out; once the source is stopped it has to stay set.
class StaySuspendedWhenStopped {
public:
    explicit StaySuspendedWhenStopped(RandomSource &s) noexcept
        : m_source(s) {}
    ~StaySuspendedWhenStopped() {
        if (m_source.state == RandomSourceState::Stopped)
            m_source.pool.FeedingSuspended = true;
    }
    StaySuspendedWhenStopped(const StaySuspendedWhenStopped &) = delete;
    StaySuspendedWhenStopped &operator=(const StaySuspendedWhenStopped &) = delete;

private:
    RandomSource &m_source;
};

} // namespace

std::optional<std::uint64_t> procFieldBytes(std::string_view text, std::string_view key) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':')
            continue;
        std::string_view rest = line.substr(key.size() + 1);
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
            rest.remove_prefix(1);
        std::uint64_t kib = 0;
        const auto [next, error] = std::from_chars(rest.data(), rest.data() + rest.size(), kib);
        if (error != std::errc() || next == rest.data())
            return std::nullopt;
        if (kib > std::numeric_limits<std::uint64_t>::max() / 1024)
            return std::numeric_limits<std::uint64_t>::max();
        return kib * 1024;
    }
    return std::nullopt;
}

std::uint32_t clippedByteCount(std::uint64_t bytes) noexcept {
    return bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(bytes);
}

std::int32_t dayNumberOf(int year, int month, int day) {
    static const qint64 dayZero = QDate(1899, 12, 30).toJulianDay();
    return static_cast<std::int32_t>(QDate(year, month, day).toJulianDay() - dayZero);
}

LocalDayTime SystemRandomPlatform::localDayTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();
    LocalDayTime reading;
    reading.dayNumber = dayNumberOf(today.year(), today.month(), today.day());
    reading.millisecondOfDay = now.time().msecsSinceStartOfDay();
    return reading;
}

void SystemRandomPlatform::yieldProcessor() {
    std::this_thread::yield();
}

RandomSourceState randomSourceState() {
    return source().state;
}

bool randomSourceInstalled() {
    return installed(source());
}

RandomFeedCounts randomFeedCounts() {
    return source().counts;
}

MixingPool &randomPool() {
    return source().pool;
}

void setRandomPlatform(RandomPlatform *platform) {
    RandomSource &s = source();
    s.platform = platform ? platform : &s.systemPlatform;
}

} // namespace rndgen

using rndgen::RandomSourceState;

void StartRandomSource() {
    rndgen::RandomSource &s = rndgen::source();
    // A second start must not leave the first start's feeds running beside the new ones.
    rndgen::removeSources(s);
    s.pool.FeedingSuspended = true;
    s.pool.seed(*s.platform);
    s.pool.LastTimerCount = s.platform->counter();
    s.pool.LastMouseCount = s.platform->counter();
    s.pool.LastKeyboardCount = s.platform->counter();
    rndgen::installSources(s);
    s.state = RandomSourceState::Running;
    s.pool.FeedingSuspended = false;
}

void StopRandomSource() {
    rndgen::RandomSource &s = rndgen::source();
    s.pool.FeedingSuspended = true;
    s.state = RandomSourceState::Stopped;
    rndgen::removeSources(s);
}

std::int32_t RandomBelow(std::int32_t n) {
    rndgen::RandomSource &s = rndgen::source();
    const rndgen::StaySuspendedWhenStopped guard(s);
    return s.pool.RandomBelow(n);
}

void RandomBytes(void *buffer, std::int32_t count) {
    rndgen::RandomSource &s = rndgen::source();
    const rndgen::StaySuspendedWhenStopped guard(s);
    s.pool.RandomBytes(buffer, count);
}

void FeedMouseEvent() {
    rndgen::RandomSource &s = rndgen::source();
    ++s.counts.mouse;
    s.pool.FeedMouseEvent(s.platform->counter());
}

void FeedKeyboardEvent() {
    rndgen::RandomSource &s = rndgen::source();
    ++s.counts.keyboard;
    s.pool.FeedKeyboardEvent(s.platform->counter());
}

void FeedTimerTick() {
    rndgen::RandomSource &s = rndgen::source();
    ++s.counts.timer;
    s.pool.FeedTimerTick(s.platform->counter());
}
