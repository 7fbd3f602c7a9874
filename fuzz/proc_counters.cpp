// /proc/stat, /proc/interrupts and /proc/softirqs (the input stands for all
// three): the processor count, then every processor counter, measured from
// the input's moment to the recorded machine's next one.
#include <cmath>

#include "fuzz/fuzz_support.h"
#include "platform/common/counter_path.h"
#include "platform/linux/sources_linux.h"

using namespace vel::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vel::fuzz::require;
    static const vel::fuzz::Tree tree{{"proc/snapshot1", "proc"}, {"proc/sys1", "sys"}};
    static const char* const kFiles[] = {"stat", "interrupts", "softirqs"};
    static const std::string kLater[] = {vel::fuzz::recorded("proc/snapshot2/stat"),
                                         vel::fuzz::recorded("proc/snapshot2/interrupts"),
                                         vel::fuzz::recorded("proc/snapshot2/softirqs")};
    for (const char* file : kFiles) tree.put(std::string("proc/") + file, data, size);

    std::int64_t now = 1'000'000'000;
    auto sources = linux_backend::createLinuxSourcesWithClock(tree.path("proc"), tree.path("sys"), [&] { return now; });
    const std::uint32_t processors = sources->numberOfProcessors();
    require(processors >= 1 && processors <= 64, "processor count outside 1 to 64");

    Sources::Query query = 0;
    sources->openQuery(query);
    std::vector<Sources::Counter> counters;
    for (const char* instance : {"0", "1", "3", "63", "64", "_Total"})
        for (const char* counter : {"% Processor Time", "% Idle Time", "% Interrupt Time", "% C1 Time",
                                    "Interrupts/sec", "DPCs Queued/sec"}) {
            Sources::Counter c = 0;
            sources->addCounter(query, std::string("\\Processor(") + instance + ")\\" + counter, c);
            counters.push_back(c);
        }
    sources->collectQueryData(query);
    for (int i = 0; i < 3; ++i) tree.put(std::string("proc/") + kFiles[i], kLater[i]);
    now += 2'000'000'000;
    sources->collectQueryData(query);
    for (std::size_t i = 0; i < counters.size(); ++i) {
        long status = 0;
        const double value = sources->counterValue(counters[i], status);
        require(std::isfinite(value) && value >= 0, "a counter reads negative or not a number");
        const bool percent = i % 6 < 4;
        require(!percent || value <= 100, "a percentage above 100");
    }
    return 0;
}
