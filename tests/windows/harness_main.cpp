// Runs the registered cases: all, or those whose "group.name" starts with
// the first argument. Prints one line per case and the totals.
#include <exception>

#include "harness.h"

// Entry points of the program's other modes (tools under Wine).
int checkWindowsMain(int argc, char** argv);

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--check-windows") return checkWindowsMain(argc - 1, argv + 1);
    const std::string filter = argc > 1 ? argv[1] : "";
    int passed = 0, failed = 0;
    for (const wintest::Case& c : wintest::registry()) {
        const std::string full = c.group + "." + c.name;
        if (full.compare(0, filter.size(), filter) != 0) continue;
        wintest::failuresInCase = 0;
        try {
            c.body();
        } catch (const wintest::Abort&) {
        } catch (const std::exception& e) {
            wintest::recordFailure(__FILE__, __LINE__, std::string("exception: ") + e.what());
        }
        std::printf("%s %s\n", wintest::failuresInCase ? "FAIL" : "PASS", full.c_str());
        std::fflush(stdout);
        (wintest::failuresInCase ? failed : passed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    if (passed + failed == 0) {
        std::printf("no test matches '%s'\n", filter.c_str());
        return 1;
    }
    return failed ? 1 : 0;
}
