#pragma once
// GETs through libcurl, with the system's certificates for https.
#include <memory>

#include "platform/http_api.h"

namespace vel::platform {

std::unique_ptr<HttpClient> createCurlClient();

}  // namespace vel::platform
