// gen_sounds <output folder>: writes SOUND1.wav, SOUND2.wav and SOUND3.wav into the folder.
#include "synth.h"

#include <cstdio>
#include <string>

namespace {

bool save(const std::vector<std::uint8_t> &bytes, const std::string &path) {
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::perror(path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "gen_sounds: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sounds <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = save(sound::waveFile(sound::neutralTone()), folder + "/SOUND1.wav") &&
                    save(sound::waveFile(sound::rightChime()), folder + "/SOUND2.wav") &&
                    save(sound::waveFile(sound::tryAgainTone()), folder + "/SOUND3.wav");
    return ok ? 0 : 1;
}
