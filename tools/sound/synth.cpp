#include "synth.h"

#include <algorithm>

namespace sound {

namespace {

using Mix = std::vector<std::int64_t>;

std::int64_t magnitude(std::int64_t v) {
    return v < 0 ? -v : v;
}

// Phase step per sample for a frequency in millihertz.
std::uint32_t phaseStep(std::int64_t milliHertz) {
    return std::uint32_t((std::uint64_t(milliHertz) << 32) / (std::uint64_t(sampleRate) * 1000));
}

constexpr std::int64_t one = 1 << 16; // envelopes and levels are Q16

// A note: a fundamental with two harmonics, each with its own level (Q16 of the fundamental), an attack that
// rises linearly from silence and a decay that falls to silence at the note's end as a power of the time
// left. Overtones decay at twice the power, so the note mellows as it fades, as a struck bell or a plucked
// string does.
struct Note {
    int start = 0;  // first sample
    int length = 0; // samples up to silence
    int attack = 0; // samples of the linear rise
    std::int64_t milliHertz = 0;
    std::int64_t level = one;           // Q16
    std::int64_t second = 0, third = 0; // harmonic levels, Q16 of the fundamental
    int decayPower = 2;
    std::int64_t vibratoMilliHertz = 0; // rate of a gentle pitch wobble, 0 for none
    std::int64_t vibratoDepth = 0;      // its depth, Q16 of the frequency
};

// (1 - t/T)^power in Q16, for t in [0, T].
std::int64_t fall(std::int64_t left, std::int64_t total, int power) {
    const std::int64_t r = (left << 16) / total;
    std::int64_t v = one;
    for (int i = 0; i < power; ++i)
        v = (v * r) >> 16;
    return v;
}

void addNote(Mix &mix, const Note &note) {
    const std::uint32_t step = phaseStep(note.milliHertz);
    const std::uint32_t vibratoStep = phaseStep(note.vibratoMilliHertz);
    std::uint32_t phase = 0, phase2 = 0, phase3 = 0, vibrato = 0;
    for (int t = 0; t < note.length && note.start + t < int(mix.size()); ++t) {
        const std::int64_t rise = t < note.attack ? (std::int64_t(t) << 16) / note.attack : one;
        const std::int64_t left = note.length - t;
        const std::int64_t body = (rise * fall(left, note.length, note.decayPower)) >> 16;
        const std::int64_t shine = (rise * fall(left, note.length, 2 * note.decayPower)) >> 16;
        std::int64_t v = std::int64_t(sine(phase)) * body;
        v += ((std::int64_t(sine(phase2)) * note.second) >> 16) * shine;
        v += ((std::int64_t(sine(phase3)) * note.third) >> 16) * shine;
        mix[std::size_t(note.start + t)] += (v >> 16) * note.level;

        std::int64_t s = step;
        if (note.vibratoDepth) {
            s += (((s * note.vibratoDepth) >> 16) * sine(vibrato)) >> 15;
            vibrato += vibratoStep;
        }
        phase += std::uint32_t(s);
        phase2 += std::uint32_t(2 * s);
        phase3 += std::uint32_t(3 * s);
    }
}

// Scales the mix to a peak of `peak` around 128 and fades its first and last samples, so that the clip starts
// and ends at silence whatever the notes do there.
std::vector<std::uint8_t> render(const Mix &mix, int peak, int fadeIn, int fadeOut) {
    std::int64_t top = 1;
    for (const std::int64_t v : mix)
        top = std::max(top, magnitude(v));
    const int n = int(mix.size());
    std::vector<std::uint8_t> samples(mix.size());
    for (int i = 0; i < n; ++i) {
        std::int64_t v = mix[std::size_t(i)] * peak;
        if (i < fadeIn)
            v = v * i / fadeIn;
        if (n - 1 - i < fadeOut)
            v = v * (n - 1 - i) / fadeOut;
        v /= top; // rounds toward zero, the same everywhere
        samples[std::size_t(i)] = std::uint8_t(std::clamp<std::int64_t>(128 + v, 1, 255));
    }
    return samples;
}

constexpr int ms(int milliseconds) {
    return sampleRate * milliseconds / 1000;
}

} // namespace

std::int32_t sine(std::uint32_t phase) {
    // The phase as a signed Q15 fraction of a half turn: x in [-1, 1) stands for [-pi, pi).
    const std::int64_t x = std::int32_t(phase) >> 16;
    // A parabola through the sine's zeros and peaks, then the usual correction towards the true curve.
    std::int64_t y = (4 * x * (32768 - magnitude(x))) >> 15;
    const std::int64_t bend = ((y * magnitude(y)) >> 15) - y;
    y += (bend * 7373) >> 15; // 0.225 in Q15
    return std::int32_t(y);
}

std::vector<std::uint8_t> neutralTone() {
    Mix mix(5512, 0);
    addNote(mix, {.start = 0,
                  .length = 5512,
                  .attack = ms(12),
                  .milliHertz = 440000,
                  .second = one / 10,
                  .decayPower = 1});
    return render(mix, 70, ms(2), ms(10));
}

std::vector<std::uint8_t> rightChime() {
    constexpr int total = 28784;
    Mix mix(total, 0);
    // C6, E6, G6, C7, each struck 85 ms after the one before and ringing to the end of the clip.
    constexpr std::int64_t pitches[] = {1046502, 1318510, 1567982, 2093005};
    constexpr std::int64_t levels[] = {one, one * 7 / 8, one * 13 / 16, one * 7 / 8};
    for (int k = 0; k < 4; ++k) {
        const int start = k * ms(85);
        addNote(mix, {.start = start,
                      .length = total - start,
                      .attack = ms(4),
                      .milliHertz = pitches[k],
                      .level = levels[k],
                      .second = one * 3 / 16,
                      .third = one / 20,
                      .decayPower = 2});
    }
    return render(mix, 90, ms(2), ms(20));
}

std::vector<std::uint8_t> tryAgainTone() {
    constexpr int total = 30992;
    Mix mix(total, 0);
    // E4, then C4 a little below it with a slight wobble: a gentle "not quite", not a buzzer.
    addNote(mix, {.start = 0,
                  .length = ms(420),
                  .attack = ms(18),
                  .milliHertz = 329628,
                  .second = one * 3 / 8,
                  .third = one / 8,
                  .decayPower = 1});
    addNote(mix, {.start = ms(330),
                  .length = total - ms(330),
                  .attack = ms(25),
                  .milliHertz = 261626,
                  .second = one * 3 / 8,
                  .third = one / 8,
                  .decayPower = 2,
                  .vibratoMilliHertz = 5500,
                  .vibratoDepth = one / 160});
    return render(mix, 80, ms(2), ms(20));
}

std::vector<std::uint8_t> waveFile(const std::vector<std::uint8_t> &samples) {
    std::vector<std::uint8_t> file;
    file.reserve(44 + samples.size() + 1);
    const auto text = [&file](const char *four) {
        for (int i = 0; i < 4; ++i)
            file.push_back(std::uint8_t(four[i]));
    };
    const auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file.push_back(std::uint8_t(value >> (8 * i)));
    };
    const auto size = std::uint32_t(samples.size());
    text("RIFF");
    put(36 + size + (size & 1), 4);
    text("WAVE");
    text("fmt ");
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(sampleRate, 4);
    put(sampleRate, 4); // bytes per second
    put(1, 2);          // bytes per sample frame
    put(8, 2);          // bits per sample
    text("data");
    put(size, 4);
    file.insert(file.end(), samples.begin(), samples.end());
    if (size & 1)
        file.push_back(0); // chunks are padded to an even length
    return file;
}

} // namespace sound
