// The Linux backend's file-backed registry, single-instance lock and
// process helpers. Everything runs in a private temporary folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/files.h"

#include "core/registry_helpers.h"
#include "platform/linux/registry.h"
#include "platform/linux/locale_names.h"
#include "platform/linux/process_services.h"
#include "platform/linux/single_instance.h"

using namespace vel::platform;
using namespace vel::platform::linux_backend;
namespace fs = std::filesystem;

namespace {
using vel::GetValue;
using vel::RegVariant;
using vel::test::readFile;
using vel::test::TempFolder;
}  // namespace

TEST(LinuxFileRegistry, ChangesSurviveARestartAreSavedAtomicallyAndProcessorKeysAreReadOnly) {
    TempFolder tmp;
    const std::string file = (tmp / "velmora/registry").string();
    {
        FileRegistry reg(file);
        Registry::Key k = 0;
        ASSERT_EQ(reg.createKey(RegRoot::CurrentUser, "Software\\Velmora\\Settings", k), kErrorSuccess);
        ASSERT_EQ(reg.setValue(k, "Name", MemoryRegistry::stringValue("main bar")), kErrorSuccess);
        ASSERT_EQ(reg.setValue(k, "Gone", MemoryRegistry::dwordValue(1)), kErrorSuccess);
        ASSERT_EQ(reg.deleteValue(k, "Gone"), kErrorSuccess);
        reg.closeKey(k);
        ASSERT_EQ(reg.createKey(RegRoot::LocalMachine, "Software\\Velmora", k), kErrorSuccess);
        // Only the file itself: the temporary was renamed over it.
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(tmp / "velmora")) names.push_back(e.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"registry"});
        // A reader holding the old file keeps its complete old text.
        std::ifstream old(file);
        ASSERT_EQ(reg.setValue(k, "Count", MemoryRegistry::dwordValue(7)), kErrorSuccess);
        std::ostringstream oldText;
        oldText << old.rdbuf();
        EXPECT_EQ(oldText.str().find("Count="), std::string::npos);
        EXPECT_NE(oldText.str().find("Name="), std::string::npos);
        reg.closeKey(k);
        EXPECT_TRUE(reg.lastSaveOk());
    }
    FileRegistry again(file);
    EXPECT_EQ(GetValue(again, RegRoot::CurrentUser, "software\\VELMORA\\settings", "name"), RegVariant{"main bar"});
    EXPECT_EQ(GetValue(again, RegRoot::CurrentUser, "Software\\Velmora\\Settings", "Gone"), RegVariant{});
    EXPECT_EQ(GetValue(again, RegRoot::LocalMachine, "Software\\Velmora", "Count"), RegVariant{7});
    // A folder that cannot be written reports the failure.
    EXPECT_FALSE(writeFileAtomically("/proc/velmora-cannot/registry", "text"));

    // The processors' keys are read-only and never saved; a user value next
    // to them is, with its parent.
    again.synthesizeProcessors({2400, 3100});
    const std::string cpu1 = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\1";
    EXPECT_EQ(GetValue(again, RegRoot::LocalMachine, cpu1, "~MHz"), RegVariant{3100});
    Registry::Key k = 0;
    ASSERT_EQ(again.openKey(RegRoot::LocalMachine, cpu1, k), kErrorSuccess);
    EXPECT_EQ(again.setValue(k, "~MHz", MemoryRegistry::dwordValue(1)), kErrorAccessDenied);
    EXPECT_EQ(again.deleteValue(k, "~MHz"), kErrorAccessDenied);
    Registry::Key made = 0;
    EXPECT_EQ(again.createKey(RegRoot::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\9", made),
              kErrorAccessDenied);
    ASSERT_EQ(again.createKey(RegRoot::LocalMachine, "HARDWARE\\Mine", made), kErrorSuccess);
    ASSERT_EQ(again.setValue(made, "x", MemoryRegistry::dwordValue(5)), kErrorSuccess);
    const std::string text = readFile(file);
    EXPECT_EQ(text.find("CentralProcessor"), std::string::npos);
    EXPECT_EQ(text.find("DESCRIPTION"), std::string::npos);
    EXPECT_NE(text.find("[80000002\\HARDWARE\\Mine]"), std::string::npos);
    EXPECT_NE(text.find("[80000002\\HARDWARE]"), std::string::npos);
}

TEST(LinuxFileRegistry, RatedSpeedFromCpufreqElseCpuinfo) {
    TempFolder sys, proc;
    vel::test::writeFile(proc / "cpuinfo", "processor\t: 0\ncpu MHz\t\t: 1796.512\nprocessor\t: 1\ncpu MHz\t\t: 2200.000\n");
    EXPECT_EQ(ratedProcessorMhz(sys.path().string(), proc.path().string()), (std::vector<std::uint32_t>{1797, 2200}));
    vel::test::writeFile(sys / "devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "3400000\n");
    vel::test::writeFile(sys / "devices/system/cpu/cpu1/cpufreq/cpuinfo_max_freq", "3399600\n");
    vel::test::writeFile(sys / "devices/system/cpu/cpufreq/policy0/x", "");  // not a processor
    EXPECT_EQ(ratedProcessorMhz(sys.path().string(), proc.path().string()), (std::vector<std::uint32_t>{3400, 3400}));
    TempFolder none;
    EXPECT_TRUE(ratedProcessorMhz(none.path().string(), none.path().string()).empty());
    // A figure no 32-bit MHz holds makes the speeds unknown, not made up.
    vel::test::writeFile(none / "cpuinfo", "processor\t: 0\ncpu MHz\t: 2200.000\nprocessor\t: 1\ncpu MHz\t: 1e300\n");
    EXPECT_TRUE(ratedProcessorMhz(none.path().string(), none.path().string()).empty());
}

// A file left behind by a crashed holder is no claim, nor is a program the
// holder started.
TEST(LinuxSingleInstance, SecondClaimFailsUntilReleasedAndNeitherStaleFilesNorChildrenHoldIt) {
    TempFolder tmp;
    const std::string folder = tmp.path().string();
    SingleInstanceLock first, second, third;
    ASSERT_TRUE(first.claim(folder, "VELMORA"));
    EXPECT_FALSE(second.claim(folder, "VELMORA"));
    EXPECT_FALSE(second.held());
    EXPECT_TRUE(third.claim(folder, "other name"));
    const int child = spawnProgram("sleep", {"30"});
    ASSERT_GT(child, 0);
    first.release();
    EXPECT_TRUE(second.claim(folder, "VELMORA")) << "the child still runs, yet holds nothing";
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    second.release();
    ASSERT_TRUE(fs::exists(second.path()));
    std::ofstream(second.path()) << "12345\n";
    SingleInstanceLock afterCrash;
    EXPECT_TRUE(afterCrash.claim(folder, "VELMORA"));
}

TEST(LinuxProcessServices, ParametersPathsAndAutostartEntry) {
    EXPECT_EQ(splitParameters("  -a \"two words\"  b\"c d\"e \"\" \"say \"\"hi\"\"\""),
              (std::vector<std::string>{"-a", "two words", "bc de", "", "say \"hi\""}));
    EXPECT_TRUE(splitParameters("   ").empty());
    const std::string entry = autostartEntry("/opt/my \"apps\"/velmora");
    EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(entry.find("\nTryExec=/opt/my \"apps\"/velmora\n"), std::string::npos) << "skipped once removed";
    EXPECT_NE(autostartEntry("/opt/a\\b/velmora").find("\nTryExec=/opt/a\\\\b/velmora\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=\"/opt/my \\\"apps\\\"/velmora\"\n"), std::string::npos);
    EXPECT_NE(autostartEntry("/usr/bin/velmora", "/home/a b/vm").find("\nExec=\"/usr/bin/velmora\" --program-folder \"/home/a b/vm\"\n"),
              std::string::npos);
    // What the child is given is added to what it inherits, or replaces it.
    TempFolder tmp;
    const std::string out = (tmp.path() / "env").string();
    const int child = spawnProgram("sh", {"-c", "printf '%s|%s' \"$VELMORA_PROGRAM_FOLDER\" \"$HOME\" > '" + out + "'"},
                                   {"VELMORA_PROGRAM_FOLDER=/srv/nas", "HOME=/home/x"});
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(vel::test::readFile(out), "/srv/nas|/home/x");
    EXPECT_EQ(spawnProgram("/nonexistent/velmora-nothing", {}), -1);

    // The main bar names its log viewer by its Windows file; here it is
    // `logscope`, beside that name or else in the programs' folder.
    TempFolder program, bin;
    auto executable = [](const std::filesystem::path& p) {
        std::ofstream(p) << "#!/bin/sh\n";
        std::filesystem::permissions(p, std::filesystem::perms::owner_all);
    };
    const std::string named = program.path().string() + "/Logscope.exe";
    EXPECT_EQ(nativeProgram(named, bin.path().string()), named) << "no build anywhere: nothing starts, as before";
    executable(bin.path() / "logscope");
    EXPECT_EQ(nativeProgram(named, bin.path().string()), bin.path().string() + "/logscope");
    executable(program.path() / "logscope");
    EXPECT_EQ(nativeProgram(named, bin.path().string()), program.path().string() + "/logscope");
    EXPECT_EQ(nativeProgram(program.path().string() + "/logscope", bin.path().string()),
              program.path().string() + "/logscope");
}

TEST(LinuxProcessServices, ReadsIntegersFromXsettings) {
    // Little-endian blob: a string setting, then Net/DoubleClickTime = 400.
    std::vector<unsigned char> d = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0};
    auto card32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) d.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto name = [&](const std::string& n) {
        d.push_back(static_cast<unsigned char>(n.size()));
        d.push_back(0);
        d.insert(d.end(), n.begin(), n.end());
        while (d.size() % 4) d.push_back(0);
        card32(0);  // serial
    };
    d.push_back(1); d.push_back(0); name("Net/ThemeName"); card32(5);
    d.insert(d.end(), {'A', 'd', 'w', 'a', 'i', 0, 0, 0});
    d.push_back(0); d.push_back(0); name("Net/DoubleClickTime"); card32(400);
    EXPECT_EQ(xsettingsInteger(d, "Net/DoubleClickTime"), 400);
    d.resize(d.size() - 2);  // truncated
    EXPECT_EQ(xsettingsInteger(d, "Net/DoubleClickTime"), std::nullopt);
}

TEST(LinuxLocaleNames, TheCLocaleNamesEnglishDaysAndMonths) {
    const auto names = dateNamesOfLocale("C");
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(names->days[0] + names->days[6] + names->months[0] + names->months[11], "SunSatJanDec");
    EXPECT_FALSE(dateNamesOfLocale("xx_NOWHERE.none").has_value());
}
