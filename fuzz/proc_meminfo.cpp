// /proc/meminfo: the memory status, and the installed memory of a machine
// whose firmware and kernel list no modules or blocks.
#include "fuzz/fuzz_support.h"
#include "platform/linux/sources_linux.h"

using namespace vel::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vel::fuzz::require;
    static const vel::fuzz::Tree tree{{"proc/snapshot1", "proc"}};
    tree.put("proc/meminfo", data, size);
    vel::fuzz::queryClasses(vel::fuzz::roots(tree), {"Win32_PhysicalMemory"});
    auto sources = linux_backend::createLinuxSourcesWithClock(tree.path("proc"), tree.path("sys"), [] { return 0; });
    MemoryStatusEx m;
    if (sources->memoryStatus(m)) {
        require(m.memoryLoad <= 100, "a memory load above 100 %");
        require(m.availPhys <= m.totalPhys && m.availPageFile <= m.totalPageFile, "more available than there is");
    }
    return 0;
}
