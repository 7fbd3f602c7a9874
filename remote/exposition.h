#pragma once
// The text exposition format of metrics endpoints, version 0.0.4.
#include <string>
#include <string_view>
#include <vector>

#include "remote/scrape.h"

namespace vel::remote {

// Appends every well-formed sample of `text` to `out`. Comment, HELP and TYPE
// lines are skipped, and so is each malformed line (counted in `skipped`).
// False when the text holds no sample at all.
bool parseExposition(std::string_view text, std::vector<Sample>& out, std::size_t& skipped);

}  // namespace vel::remote
