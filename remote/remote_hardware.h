#pragma once
// The hardware classes the inventory asks for, answered from an exporter's
// info metrics: what the exporter does not describe is simply absent.
#include <string>
#include <vector>

#include "platform/sources_api.h"
#include "remote/scrape_figures.h"

namespace vel::remote {

// As Sources::queryHardware: false (and nothing) when there is no good
// scrape or the query names no class the inventory knows.
bool answerHardwareQuery(const ScrapeFigures* figures, const std::string& wql,
                         std::vector<platform::HardwareObject>& out);

}  // namespace vel::remote
