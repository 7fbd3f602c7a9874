// What the fuzz targets share.
//
// A private copy of a recorded machine (tests/data) in a temporary folder,
// for the targets whose parsers read files: each input is written where
// the kernel would put that file, and the program's own readers take it
// from there, around it the rest of the recorded machine. Targets write
// only into this folder, and always the same files, so a run leaves
// nothing that changes the next. The folder goes when the process ends.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux/hardware_linux.h"

namespace vel::fuzz {

class Tree {
public:
    // Pairs of a folder under tests/data and where it goes in the tree.
    Tree(std::initializer_list<std::pair<const char*, const char*>> copies) {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("velmora fuzz: temporary folder");
            std::abort();
        }
        root_ = pattern;
        for (const auto& [from, to] : copies) {
            fs::create_directories(root_ / to);
            fs::copy(fs::path(VELMORA_SOURCE_DIR) / "tests" / "data" / from, root_ / to,
                     fs::copy_options::recursive | fs::copy_options::copy_symlinks);
        }
    }
    ~Tree() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    std::string path(const std::string& relative = {}) const { return (root_ / relative).string(); }
    // Replaces one file (made with its folders if new) with the input, bytes as they are.
    void put(const std::string& relative, const std::uint8_t* data, std::size_t size) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    void put(const std::string& relative, const std::string& text) const {
        put(relative, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }

private:
    std::filesystem::path root_;
};

// A recorded file under tests/data, whole.
inline std::string recorded(const std::string& relative) {
    std::ifstream in(std::filesystem::path(VELMORA_SOURCE_DIR) / "tests" / "data" / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Stops the run as a finding: a result the program must never produce.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "velmora fuzz: %s\n", what);
    std::abort();
}

// The hardware roots of a recorded machine copied to `at` in the tree.
inline platform::linux_backend::HardwareRoots roots(const Tree& tree, const char* machine = "x86_64",
                                                    const std::string& at = "") {
    platform::linux_backend::HardwareRoots r;
    r.proc = tree.path(at + "proc");
    r.sys = tree.path(at + "sys");
    r.pciIds = tree.path(at + "pci.ids");
    r.pnpIds = tree.path(at + "pnp.ids");
    r.machine = machine;
    r.screenWidth = 1024;
    r.screenHeight = 768;
    return r;
}

// Asks for each class; WMI's numeric fields must come out as whole numbers
// whatever the files held (a clock of -9223372036854775808 MHz did not).
inline void queryClasses(const platform::linux_backend::HardwareRoots& r, std::initializer_list<const char*> classes) {
    static const std::string kNumeric[] = {
        "AddressWidth", "Architecture", "BlockSize", "Capacity", "CurrentClockSpeed", "DataWidth", "DeviceInterface",
        "FormFactor", "InstalledSize", "Level", "MaxCapacity", "MaxClockSpeed", "MemoryDevices", "MemoryType",
        "NumberOfBlocks", "NumberOfButtons", "NumberOfFunctionKeys", "NumberOfLogicalProcessors", "PointingType",
        "ScreenHeight", "ScreenWidth", "Speed", "TotalWidth"};
    std::vector<platform::HardwareObject> objects;
    for (const char* name : classes) {
        require(platform::linux_backend::queryLinuxHardware(r, std::string("Select * from ") + name, objects),
                "an inventory class went unanswered");
        for (const platform::HardwareObject& o : objects)
            for (const std::string& field : kNumeric)
                if (const std::string* value = o.find(field))
                    require(!value->empty() && value->find_first_not_of("0123456789") == std::string::npos,
                            "a numeric field that is no whole number");
    }
}

}  // namespace vel::fuzz
