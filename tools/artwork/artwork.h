#pragma once

#include <QImage>

#include <cstdint>

// The program's generated pictures. Each is a pure function of its seed: the same seed gives the same pixels
// on every run, so the committed files can be checked against the generator.
namespace artwork {

inline constexpr std::uint64_t titleSeed = 0x4C4F474943555331ull;
inline constexpr std::uint64_t aboutSeed = 0x4C4F474943555332ull;
inline constexpr std::uint64_t iconSeed = 0x4C4F474943555333ull;

// The sizes of the desktop icon, each written as icon-<size>.png: the sizes the hicolor theme lists for
// applications, from a menu entry to a software centre's page.
inline constexpr int iconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// 617 × 497, RGB888: a photograph-like close-up of a printed circuit board (the main window's title picture).
QImage drawTitle(std::uint64_t seed);

// 96 × 96, RGB888: a dark-cyan book with a compact disc on it, on exact lime (0, 255, 0) that the about
// window draws transparent; no edge pixel is a blend with the lime.
QImage drawAbout(std::uint64_t seed);

// size × size, ARGB32 with straight alpha: the program's desktop icon, a rounded tile of circuit board with
// an AND gate whose output lights a green lamp; outside the tile only its soft shadow, elsewhere transparent.
QImage drawIcon(int size, std::uint64_t seed);

} // namespace artwork
