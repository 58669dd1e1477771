#pragma once

// The platform's font system, one file per platform (fontsystem_linux.cpp, fontsystem_windows.cpp).

// Keeps the machine's own font settings out of the program's texts, which are drawn with the built-in fonts
// only. Called before Qt first uses fonts.
void usePrivateFontConfiguration();
