#include "platform/sim/sim_http.h"

#include "platform/common/http_url.h"

namespace vel::platform {

HttpResult SimHttp::get(const HttpRequest& request) {
    HttpResult result;
    HttpUrl url;
    if (!parseHttpUrl(request.url, url, result.error)) return result;
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    const auto it = scripts_.find(request.url);
    if (it == scripts_.end()) {
        result.error = url.hostLabel() + ": Couldn't connect to server";
        return result;
    }
    result.status = it->second.status;
    if (it->second.body.size() > request.maxBytes) {
        result.error = url.hostLabel() + " answered more than " + std::to_string(request.maxBytes >> 20) + " MB";
    } else if (result.status < 200 || result.status > 299) {
        result.error = url.hostLabel() + " answered HTTP " + std::to_string(result.status);
    } else {
        result.ok = true;
        result.body = it->second.body;
    }
    return result;
}

void SimHttp::answer(const std::string& url, std::string body, int status) {
    std::lock_guard lock(mutex_);
    scripts_[url] = Script{status, std::move(body)};
}

void SimHttp::unplug(const std::string& url) {
    std::lock_guard lock(mutex_);
    scripts_.erase(url);
}

std::vector<HttpRequest> SimHttp::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

}  // namespace vel::platform
