// Another machine for real: Debian's node exporter, started on loopback by
// the test and ended by it, and a host that never answers. The "remote"
// machine is this one, so its figures can be held against /proc.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/app.h"
#include "core/frm_main.h"
#include "core/startup.h"
#include "logging/log_files.h"
#include "logging/log_writer.h"
#include "platform/linux/http_client.h"
#include "platform/linux/linux_sources.h"
#include "platform/native.h"
#include "remote/scrape_worker.h"
#include "support/files.h"
#include "support/hostile_server.h"
#include "support/log_lines.h"

namespace vel {
namespace {

namespace fs = std::filesystem;

// The node exporter on a loopback port, ended (TERM, then KILL after 5 s) when dropped.
class Exporter {
public:
    explicit Exporter(int port) {
        const std::string listen = "--web.listen-address=127.0.0.1:" + std::to_string(port);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setsid();
            std::freopen("/dev/null", "w", stderr);
            ::execl(kPath, kPath, listen.c_str(),
                    "--collector.netstat.fields=^(.*_(InErrors|InErrs)|Ip_.*|Icmp_.*|Tcp_.*|Udp_.*)$", nullptr);
            ::_exit(127);
        }
    }
    ~Exporter() { stop(); }
    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 50; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return;
            }
            ::usleep(100'000);
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    static constexpr const char* kPath = "/usr/bin/prometheus-node-exporter";

private:
    pid_t pid_ = -1;
};

// Fetches `url` every 200 ms until an answer holds `metric` (30 s at most).
bool answers(platform::HttpClient& http, const std::string& url, const std::string& metric) {
    platform::HttpRequest r;
    r.url = url;
    remote::ScrapeWorker worker(http, r, 200, remote::ScrapeWorker::Mode::Thread);
    std::uint64_t seen = 0;
    for (int attempt = 0; attempt < 150 && worker.waitForAttemptAfter(seen, 5000); ++attempt) {
        const auto s = worker.latest();
        seen = s->sequence;
        if (s->ok && std::any_of(s->samples.begin(), s->samples.end(), [&](const auto& x) { return x.name == metric; }))
            return true;
    }
    return false;
}

class RemoteLive : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(Exporter::kPath)) GTEST_SKIP() << "prometheus-node-exporter is not installed";
        port = test::HostileServer().port();  // a free loopback port, just let go
        exporter = std::make_unique<Exporter>(port);
        url = "http://127.0.0.1:" + std::to_string(port) + "/metrics";
        ASSERT_TRUE(answers(*http, url, "node_cpu_seconds_total")) << "the exporter did not answer on " << url;
    }
    std::unique_ptr<platform::HttpClient> http = platform::createCurlClient();
    int port = 0;
    std::unique_ptr<Exporter> exporter;
    std::string url;
};

// A program folder with the skins and a velmora.ini of `mainLines`, and the
// native platform on it; both go with it.
struct NativeRun {
    NativeRun(const std::string& name, const std::string& mainLines)
        : folder(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        fs::create_directories(folder / "logs");
        fs::copy(fs::path(VELMORA_SOURCE_DIR) / "skins", folder / "skins", fs::copy_options::recursive);
        std::ofstream(folder / "velmora.ini") << "[MAIN]\r\n" << mainLines;
        std::string error;
        platform::NativeOptions options;
        options.programFolder = folder.string();
        os = platform::createNativePlatform(options, error);
        EXPECT_NE(os, nullptr) << error;
    }
    ~NativeRun() {
        os.reset();
        fs::remove_all(folder);
    }
    fs::path folder;
    std::unique_ptr<platform::Platform> os;
};

std::int64_t longestGap(const std::vector<std::int64_t>& ticks) {
    std::int64_t worst = 0;
    for (std::size_t i = 1; i < ticks.size(); ++i) worst = std::max(worst, ticks[i] - ticks[i - 1]);
    return worst;
}

// A host that takes the request and never answers: the start waits for it
// at most a request's time, and the interface loop keeps its rhythm meanwhile.
TEST(RemoteStartUp, AHostThatNeverAnswersHoldsTheStartBackButNeverTheInterface) {
    test::HostileServer server;
    NativeRun run("velmora-silent", "VISI0=1\r\n");
    auto& os = run.os;
    ASSERT_NE(os, nullptr);
    std::chrono::steady_clock::time_point ending;
    {
        App app(*os);
        app.splashPauses = false;
        app.sourceOption = server.url("/silent");
        std::vector<std::int64_t> ticks;
        const std::int64_t start = static_cast<std::int64_t>(os->tickMs());
        os->startTimer(100, [&] { ticks.push_back(static_cast<std::int64_t>(os->tickMs()) - start); });
        ASSERT_TRUE(StartVelmora(app));
        const std::int64_t started = static_cast<std::int64_t>(os->tickMs()) - start;
        std::uint32_t flags = 0;
        std::string name;
        EXPECT_EQ(os->sources().connectedState(flags, name), 0u) << "a host that never answered reads connected";
        shutDown(app);
        app.finish();
        // A request's five seconds and the half second beyond it, and a
        // little for a busy machine.
        EXPECT_GE(started, 5000);
        EXPECT_LE(started, 7000);
        ASSERT_GE(ticks.size(), 40u) << "the interface loop stood still while the start waited";
        const std::int64_t worst = longestGap(ticks);
        EXPECT_LE(worst, 150) << "a tick came late while the start waited";
        std::cout << "[ figures ] start against a silent host: " << started << " ms, " << ticks.size()
                  << " ticks, longest gap " << worst << " ms\n";
        ending = std::chrono::steady_clock::now();
    }
    // The next fetch hangs too; the end gives it up rather than wait it out.
    const auto endMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - ending).count();
    EXPECT_LE(endMs, 2500) << "the end waited for the silent host";
    std::cout << "[ figures ] the end took " << endMs << " ms\n";
}

// The whole program on Xvfb, watching the exporter and logging every second:
// the host goes away and comes back while a 100 ms timer on the interface
// loop measures its rhythm; the end writes the unsaved lines of all six logs.
TEST_F(RemoteLive, TheProgramShowsTheHostGoOfflineAndComeBackWithoutMissingATickAndLogsIt) {
    NativeRun run("velmora-remote", "VISI0=1\r\nCPUCLOCK=10\r\nLOGENABLE=1\r\nLOGTIMING=10\r\nLOGWRITE=1\r\n"
                                    "LOGUNSAVED=1\r\nCAPCPU=1\r\nCAPMEM=1\r\nCAPNET=1\r\nNEWLOG=0\r\n");
    auto& os = run.os;
    ASSERT_NE(os, nullptr);
    {
        App app(*os);
        app.splashPauses = false;
        app.sourceOption = url;
        ASSERT_TRUE(StartVelmora(app)) << app.sourceError;
        EXPECT_EQ(app.mainBar->caption(), "VELMORA v2 \u2014 127.0.0.1:" + std::to_string(port));
        // The "remote" figures are this machine's own: the TCP counter the
        // exporter read lies below ours read after it.
        auto local = platform::createLinuxSources();
        platform::MibTcpStats tcp, after;
        platform::MemoryStatusEx theirs, mine;
        ASSERT_TRUE(os->sources().tcpStatistics(tcp) && os->sources().memoryStatus(theirs));
        ASSERT_TRUE(local->tcpStatistics(after) && local->memoryStatus(mine));
        EXPECT_GT(tcp.dwInSegs, 0u);
        EXPECT_LE(tcp.dwInSegs, after.dwInSegs);
        EXPECT_EQ(os->sources().numberOfProcessors(), local->numberOfProcessors());
        EXPECT_EQ(theirs.totalPhys, mine.totalPhys);
        EXPECT_NEAR(static_cast<double>(theirs.availPhys), static_cast<double>(mine.availPhys), 0.05 * mine.totalPhys);

        std::vector<std::int64_t> ticks;
        std::int64_t offlineAt = -1, killedAt = -1, backAt = -1, restartedAt = -1;
        const std::int64_t start = static_cast<std::int64_t>(os->tickMs());
        os->startTimer(100, [&] {
            const std::int64_t now = static_cast<std::int64_t>(os->tickMs()) - start;
            ticks.push_back(now);
            std::uint32_t flags = 0;
            std::string name;
            const bool connected = os->sources().connectedState(flags, name) != 0;
            if (killedAt < 0 && now >= 3000) {
                exporter->stop();
                killedAt = now;
            }
            if (killedAt >= 0 && offlineAt < 0 && !connected) offlineAt = now;
            if (offlineAt >= 0 && restartedAt < 0 && now >= offlineAt + 1500) {
                exporter = std::make_unique<Exporter>(port);
                restartedAt = now;
            }
            if (restartedAt >= 0 && backAt < 0 && connected) backAt = now;
            if ((backAt >= 0 && now >= backAt + 1000) || now > 20000) shutDown(app);
        });
        os->runLoop();
        app.finish();

        ASSERT_GE(offlineAt, 0) << "the host never showed offline";
        EXPECT_LE(offlineAt - killedAt, 2000 + 150) << "offline later than two scrape periods";
        ASSERT_GE(backAt, 0) << "the host never came back";
        const std::int64_t worst = longestGap(ticks);
        // The exporter's start and stop run on this thread; the scrapes never do.
        EXPECT_LE(worst, 150) << "a tick came late";
        std::cout << "[ figures ] offline " << offlineAt - killedAt << " ms after the kill, back "
                  << backAt - restartedAt << " ms after the restart, longest gap between ticks " << worst
                  << " ms over " << ticks.size() << " ticks\n";

        // A log tick a second through start-up, the gap and the return.
        std::cout << "[ figures ] log lines:";
        for (int family = 0; family < kLogCount; ++family) {
            const char letter = kLogFamilies[static_cast<std::size_t>(family)].letter;
            std::vector<fs::path> files;
            for (const auto& e : fs::directory_iterator(run.folder / "logs"))
                if (e.path().filename().string()[0] == letter) files.push_back(e.path());
            ASSERT_EQ(files.size(), 1u) << "log family " << letter;
            const long lines = test::readableLogLines(files[0].filename().string(), test::readFile(files[0]),
                                                      app.processorCount);
            EXPECT_GE(lines, 5 * static_cast<long>(test::logFieldOrder(family, app.processorCount).size()))
                << files[0];
            std::cout << " " << letter << " " << lines;
        }
        std::cout << "\n";
    }
}

}  // namespace
}  // namespace vel
