// The font system on Linux: fontconfig, the library Qt draws its fonts through.
#include "resources/fontsystem.h"

#include <fontconfig/fontconfig.h>

// The program draws only with the fonts it carries, so it also gives the font system a configuration of its
// own: an empty one, without the machine's font folders and rules. Those rules (hinting, subpixel order,
// family substitutions, a user's own fonts.conf) would otherwise change how the program's texts look from one
// machine to the next, and reading them is most of the font system's start-up: some forty files and a
// thousand system calls before the first window. Qt asks fontconfig for its current configuration each time,
// so this must come before Qt first uses fonts for the machine's own fonts to stay out entirely.
void usePrivateFontConfiguration() {
    FcConfig *config = FcConfigCreate();
    if (!config)
        return;
    FcConfigSetCurrent(config); // takes a reference of its own
    FcConfigDestroy(config);
}
