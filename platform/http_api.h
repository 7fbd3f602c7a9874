#pragma once
// Plain HTTP(S) GET for reading metrics endpoints. Blocking: called from a
// worker thread only, never from the interface thread.
#include <atomic>
#include <cstddef>
#include <string>

namespace vel::platform {

struct HttpRequest {
    std::string url;
    std::string bearerToken;    // sent as "Authorization: Bearer ..." when not empty
    std::string basicUser;      // basic authentication when not empty
    std::string basicPassword;
    int connectTimeoutMs = 2000;
    int totalTimeoutMs = 5000;
    std::size_t maxBytes = 4u << 20;  // a longer answer fails
    int maxRedirects = 3;
    // When it turns true the fetch gives up (within about a second), so a
    // program that ends need not wait out a silent host.
    const std::atomic<bool>* abandon = nullptr;
};

struct HttpResult {
    bool ok = false;   // a complete 2xx answer within every bound
    int status = 0;    // the HTTP status, 0 when none came
    std::string body;
    std::string error; // why not ok; names the host, never the credentials
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResult get(const HttpRequest& request) = 0;
    // True when get() never waits (the simulated machine's scripted
    // answers): a scrape may then run on the interface thread, in its time.
    virtual bool answersAtOnce() const { return false; }
};

}  // namespace vel::platform
