#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program's three sound clips, synthesised with integer arithmetic only, so that every compiler and every
// optimisation level writes the same bytes: 8-bit unsigned PCM, mono, 22050 samples per second, silence at
// 128.
namespace sound {

constexpr int sampleRate = 22050;

// SOUND1: a short, soft 440 Hz tone; stored in the program but never played.
std::vector<std::uint8_t> neutralTone();
// SOUND2, after a right answer: four bell notes rising C6-E6-G6-C7, 28784 samples (about 1.3 s).
std::vector<std::uint8_t> rightChime();
// SOUND3, after a wrong answer: a soft low "try again" figure falling E4-C4, 30992 samples (about 1.4 s).
std::vector<std::uint8_t> tryAgainTone();

// The samples as a RIFF WAVE file: a 44-byte header (PCM, mono, 22050 samples/s, 8 bits) and the data.
std::vector<std::uint8_t> waveFile(const std::vector<std::uint8_t> &samples);

// Sine of a phase where 2^32 is a full turn, in Q15 (±32768 = ±1), within about 0.1 % of the true value.
std::int32_t sine(std::uint32_t phase);

} // namespace sound
