// The settings file: lookups, and a write followed by a read of the same
// key, which must give back what was written.
#include "core/inifile.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string contents(reinterpret_cast<const char*>(data), size);
    for (const char* key : {"PosX", "LOGENABLE", ""}) vel::iniLookup(contents, "Velmora", key);
    const std::string updated = vel::iniUpdate(contents, "Velmora", "PosX", "1234");
    vel::fuzz::require(vel::iniLookup(updated, "Velmora", "PosX") == "1234", "a written key reads back otherwise");
    vel::fuzz::require(vel::iniUpdate(updated, "Velmora", "PosX", "1234") == updated,
                       "writing the same value twice changed the file");
    return 0;
}
