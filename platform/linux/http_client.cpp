#include "platform/linux/http_client.h"

#include <curl/curl.h>

#include <mutex>

#include "platform/common/http_url.h"

namespace vel::platform {

namespace {

struct Transfer {
    std::string body;
    std::size_t maxBytes = 0;
    bool tooLong = false;
};

std::size_t receive(char* data, std::size_t size, std::size_t count, void* user) {
    auto& t = *static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    if (t.body.size() + n > t.maxBytes) {
        t.tooLong = true;
        return 0;  // curl ends the transfer with a write error
    }
    t.body.append(data, n);
    return n;
}

class CurlClient final : public HttpClient {
public:
    CurlClient() {
        static std::once_flag once;
        std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    }

    HttpResult get(const HttpRequest& request) override {
        HttpResult result;
        HttpUrl url;
        if (!parseHttpUrl(request.url, url, result.error)) return result;
        const std::string host = url.hostLabel();
        CURL* curl = curl_easy_init();
        if (!curl) {
            result.error = host + ": the HTTP library could not start";
            return result;
        }
        Transfer transfer;
        transfer.maxBytes = request.maxBytes;
        curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, static_cast<long>(request.maxRedirects));
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeoutMs));
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(request.totalTimeoutMs));
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBytes));
        // Threads of ours must not see curl's alarm signals.
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receive);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "velmora");
        curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
        if (!request.bearerToken.empty()) {
            curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BEARER);
            curl_easy_setopt(curl, CURLOPT_XOAUTH2_BEARER, request.bearerToken.c_str());
        } else if (!request.basicUser.empty()) {
            curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
            curl_easy_setopt(curl, CURLOPT_USERNAME, request.basicUser.c_str());
            curl_easy_setopt(curl, CURLOPT_PASSWORD, request.basicPassword.c_str());
        }
        const CURLcode code = curl_easy_perform(curl);
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        curl_easy_cleanup(curl);
        result.status = static_cast<int>(status);
        // curl's own texts are generic; the host is ours, without user information.
        if (transfer.tooLong || code == CURLE_FILESIZE_EXCEEDED)
            result.error = host + " answered more than " + std::to_string(request.maxBytes >> 20) + " MB";
        else if (code == CURLE_OPERATION_TIMEDOUT)
            result.error = host + " did not answer in time";
        else if (code == CURLE_TOO_MANY_REDIRECTS)
            result.error = host + " redirects too often";
        else if (code != CURLE_OK)
            result.error = host + ": " + curl_easy_strerror(code);
        else if (status < 200 || status > 299)
            result.error = host + " answered HTTP " + std::to_string(status);
        else {
            result.ok = true;
            result.body = std::move(transfer.body);
        }
        return result;
    }
};

}  // namespace

std::unique_ptr<HttpClient> createCurlClient() { return std::make_unique<CurlClient>(); }

}  // namespace vel::platform
