// The random source's readings of the machine as Windows gives them.
#include "random/randomsource.h"

#include <windows.h>

namespace rndgen {

std::uint64_t SystemRandomPlatform::counter() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return static_cast<std::uint64_t>(count.QuadPart);
}

MemoryFigures SystemRandomPlatform::memoryFigures() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    MemoryFigures figures;
    if (GlobalMemoryStatusEx(&status)) {
        figures.availablePhysical = clippedByteCount(status.ullAvailPhys);
        figures.availableSwap = clippedByteCount(status.ullAvailPageFile);
        figures.availableVirtual = clippedByteCount(status.ullAvailVirtual);
    }
    return figures;
}

} // namespace rndgen
