#pragma once

#include <QImage>

#include <cstdint>

// The program's generated pictures. Each is a pure function of its seed: the same seed gives the same pixels
// on every run, so the committed files can be checked against the generator.
namespace artwork {

inline constexpr std::uint64_t titleSeed = 0x4C4F474943555331ull;
inline constexpr std::uint64_t aboutSeed = 0x4C4F474943555332ull;

// 617 × 497, RGB888: a photograph-like close-up of a printed circuit board (the main window's title picture).
QImage drawTitle(std::uint64_t seed);

// 96 × 96, RGB888: a dark-cyan book with a compact disc on it, on exact lime (0, 255, 0) that the about
// window draws transparent; no edge pixel is a blend with the lime.
QImage drawAbout(std::uint64_t seed);

} // namespace artwork
