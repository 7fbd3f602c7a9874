// /proc/cpuinfo on the recorded workstation: the processors and their
// caches, the processor features, and the rated speeds the registry shows.
#include "fuzz/fuzz_support.h"
#include "platform/linux/registry.h"
#include "platform/linux/sources_linux.h"

using namespace vel::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vel::fuzz::Tree tree{{"hardware/workstation", ""}};
    tree.put("proc/cpuinfo", data, size);
    const auto roots = vel::fuzz::roots(tree);
    vel::fuzz::queryClasses(roots, {"Win32_Processor", "Win32_CacheMemory"});
    auto sources = linux_backend::createLinuxSourcesWithClock(roots.proc, roots.sys, [] { return 0; });
    for (int feature = 0; feature < 44; ++feature) sources->processorFeaturePresent(feature);
    // Without cpufreq the registry takes its speeds from cpuinfo.
    linux_backend::ratedProcessorMhz(tree.path("nothing"), roots.proc);
    return 0;
}
