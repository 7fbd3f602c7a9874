// Windows processor feature numbers (IsProcessorFeaturePresent) and the
// Linux cpuinfo flags that tell the same thing, for the local machine's
// /proc/cpuinfo and for an exporter's list of a remote machine's flags.
#pragma once

namespace vel::platform {

// The cpuinfo flag a Windows processor feature number stands for; nullptr
// when Linux has nothing that answers it (the feature reads absent).
const char* cpuinfoFlagForFeature(int feature);

}  // namespace vel::platform
