#include "platform/common/processor_features.h"

namespace vel::platform {

namespace {

struct FeatureFlag {
    int feature;
    const char* flag;
};

// Windows PF_* numbers and the x86 cpuinfo flags that tell the same thing.
// Numbers not listed (errata, emulation, Itanium, ARM, OS-only features)
// read absent. See docs/linux-counters.md
// and docs/remote-hosts.md.
constexpr FeatureFlag kFeatureFlags[] = {
    {2, "cx8"},        // PF_COMPARE_EXCHANGE_DOUBLE
    {3, "mmx"},        // PF_MMX_INSTRUCTIONS_AVAILABLE
    {6, "sse"},        // PF_XMMI_INSTRUCTIONS_AVAILABLE
    {7, "3dnow"},      // PF_3DNOW_INSTRUCTIONS_AVAILABLE
    {8, "tsc"},        // PF_RDTSC_INSTRUCTION_AVAILABLE
    {9, "pae"},        // PF_PAE_ENABLED
    {10, "sse2"},      // PF_XMMI64_INSTRUCTIONS_AVAILABLE
    {12, "nx"},        // PF_NX_ENABLED
    {13, "pni"},       // PF_SSE3_INSTRUCTIONS_AVAILABLE
    {14, "cx16"},      // PF_COMPARE_EXCHANGE128
    {17, "xsave"},     // PF_XSAVE_ENABLED
    {22, "fsgsbase"},  // PF_RDWRFSGSBASE_AVAILABLE
    {28, "rdrand"},    // PF_RDRAND_INSTRUCTION_AVAILABLE
    {32, "rdtscp"},    // PF_RDTSCP_INSTRUCTION_AVAILABLE
    {33, "rdpid"},     // PF_RDPID_INSTRUCTION_AVAILABLE
    {35, "mwaitx"},    // PF_MONITORX_INSTRUCTION_AVAILABLE
    {36, "ssse3"},     // PF_SSSE3_INSTRUCTIONS_AVAILABLE
    {37, "sse4_1"},    // PF_SSE4_1_INSTRUCTIONS_AVAILABLE
    {38, "sse4_2"},    // PF_SSE4_2_INSTRUCTIONS_AVAILABLE
    {39, "avx"},       // PF_AVX_INSTRUCTIONS_AVAILABLE
    {40, "avx2"},      // PF_AVX2_INSTRUCTIONS_AVAILABLE
    {41, "avx512f"},   // PF_AVX512F_INSTRUCTIONS_AVAILABLE
    {42, "erms"},      // PF_ERMS_AVAILABLE
};

}  // namespace

const char* cpuinfoFlagForFeature(int feature) {
    for (const FeatureFlag& f : kFeatureFlags)
        if (f.feature == feature) return f.flag;
    return nullptr;
}

}  // namespace vel::platform
