// The random source's readings of the machine as Linux gives them.
#include "random/randomsource.h"

#include <sys/resource.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>

namespace rndgen {

namespace {

std::string readWholeFile(const char *path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The user part of the x86-64 and AArch64 (48-bit) address space: what a process may map at most
// when no limit is set.
constexpr std::uint64_t UserAddressSpace = std::uint64_t{1} << 47;

} // namespace

std::uint64_t SystemRandomPlatform::counter() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count());
}

MemoryFigures SystemRandomPlatform::memoryFigures() {
    MemoryFigures figures;
    const std::string meminfo = readWholeFile("/proc/meminfo");
    figures.availablePhysical = clippedByteCount(procFieldBytes(meminfo, "MemAvailable").value_or(0));
    figures.availableSwap = clippedByteCount(procFieldBytes(meminfo, "SwapFree").value_or(0));

    std::uint64_t limit = UserAddressSpace;
    rlimit addressSpace{};
    if (getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY)
        limit = addressSpace.rlim_cur;
    const std::uint64_t used = procFieldBytes(readWholeFile("/proc/self/status"), "VmSize").value_or(0);
    figures.availableVirtual = clippedByteCount(limit > used ? limit - used : 0);
    return figures;
}

} // namespace rndgen
