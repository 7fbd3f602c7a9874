// The registry file the Linux backend keeps: loading it, and saving what
// was loaded, which must load back to the same text.
#include "fuzz/fuzz_support.h"
#include "platform/common/memory_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vel::platform::MemoryRegistry first, second;
    first.deserialize(std::string(reinterpret_cast<const char*>(data), size));
    const std::string saved = first.serialize();
    second.deserialize(saved);
    vel::fuzz::require(second.serialize() == saved, "a saved registry loads back otherwise");
    return 0;
}
