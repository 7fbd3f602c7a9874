#pragma once
// The simulated network: each address answers what the test scripted, at
// once. An address with no script is unreachable, like a host that is off.
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/http_api.h"

namespace vel::platform {

class SimHttp final : public HttpClient {
public:
    HttpResult get(const HttpRequest& request) override;
    bool answersAtOnce() const override { return true; }

    // Every later GET of `url` answers `body` with this status.
    void answer(const std::string& url, std::string body, int status = 200);
    // The host behind `url` stops answering (connection refused).
    void unplug(const std::string& url);
    // The requests seen so far, in order.
    std::vector<HttpRequest> requests() const;

private:
    struct Script {
        int status = 200;
        std::string body;
    };
    mutable std::mutex mutex_;
    std::map<std::string, Script> scripts_;
    std::vector<HttpRequest> requests_;
};

}  // namespace vel::platform
