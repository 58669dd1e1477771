// The font system on Windows: the fonts the program registers from memory are its own process's alone, and
// Windows has no per-program configuration of rules to shut out, so there is nothing to do.
#include "resources/fontsystem.h"

void usePrivateFontConfiguration() {}
