// The simulated machine's hardware descriptions.
#include "platform/common/hardware_query.h"
#include "platform/sim/sim_sources.h"

namespace vel::platform {

namespace {

std::string classKey(const std::string& className) { return selectedHardwareClass("Select * from " + className); }

}  // namespace

void SimSources::setHardware(const std::string& className, std::size_t instance, const std::string& property,
                             const std::string& value) {
    std::vector<HardwareObject>& objects = hardware_[classKey(className)];
    if (objects.size() <= instance) objects.resize(instance + 1);
    auto& properties = objects[instance].properties;
    for (auto& p : properties)
        if (p.first == property) {
            p.second = value;
            return;
        }
    properties.emplace_back(property, value);
}

void SimSources::clearHardware(const std::string& className) { hardware_.erase(classKey(className)); }

void SimSources::setHardwareFails(const std::string& className, bool fail) {
    if (fail)
        failingHardware_.insert(classKey(className));
    else
        failingHardware_.erase(classKey(className));
}

bool SimSources::queryHardware(const std::string& wql, std::vector<HardwareObject>& out) {
    out.clear();
    const std::string key = selectedHardwareClass(wql);
    if (key.empty()) return false;
    if (auto it = hardware_.find(key); it != hardware_.end()) out = it->second;
    return failingHardware_.count(key) == 0;
}

}  // namespace vel::platform
