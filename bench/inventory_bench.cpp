// The hardware inventory taken at start-up, which the splash waits for: on
// this machine's own /proc and /sys, and on the recorded workstation with
// the system's PCI id list, where the card's unknown vendor makes the
// lookup read the whole list (the slowest case). The budget is 100 ms.
#include <benchmark/benchmark.h>

#include <chrono>

#include "platform/linux/hardware_linux.h"
#include "platform/linux/linux_sources.h"
#include "sources/hardware_inventory.h"

namespace vel {
namespace {

constexpr double kBudgetMs = 100;

void reportBudget(benchmark::State& state, double totalMs) {
    const double perRunMs = totalMs / static_cast<double>(state.iterations());
    state.counters["ms"] = perRunMs;
    if (perRunMs > kBudgetMs) state.SkipWithError("the inventory took longer than 100 ms");
}

void BM_InventoryThisMachine(benchmark::State& state) {
    auto sources = platform::createLinuxSources();
    HardwareInventory inventory;
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        takeInventory(*sources, ".", inventory);
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    reportBudget(state, totalMs);
}
BENCHMARK(BM_InventoryThisMachine)->Unit(benchmark::kMillisecond);

void BM_InventoryRecordedWorkstation(benchmark::State& state) {
    platform::linux_backend::HardwareRoots roots;
    const std::string root = std::string(VELMORA_SOURCE_DIR) + "/tests/data/hardware/workstation";
    roots.proc = root + "/proc";
    roots.sys = root + "/sys";
    roots.pnpIds = root + "/pnp.ids";
    roots.machine = "x86_64";
    double totalMs = 0;
    std::size_t objects = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& className : inventoryClasses()) {
            std::vector<platform::HardwareObject> out;
            platform::linux_backend::queryLinuxHardware(roots, "Select * from " + className, out);
            objects += out.size();
        }
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    benchmark::DoNotOptimize(objects);
    reportBudget(state, totalMs);
}
BENCHMARK(BM_InventoryRecordedWorkstation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vel
