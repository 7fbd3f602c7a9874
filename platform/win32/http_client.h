#pragma once
// GETs through WinHTTP, with the system's certificate store for https.
#include <memory>

#include "platform/http_api.h"

namespace vel::platform {

std::unique_ptr<HttpClient> createWinHttpClient();

}  // namespace vel::platform
