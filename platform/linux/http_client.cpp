#include "platform/linux/http_client.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <mutex>

#include "platform/common/http_url.h"

namespace vel::platform {

namespace {

// libcurl and the TLS, Kerberos and LDAP libraries it pulls in cost a
// desktop that watches this machine some 5 MB; they are loaded the first
// time another machine is fetched, and never otherwise.
struct CurlLibrary {
    CURLcode (*globalInit)(long) = nullptr;
    CURL* (*easyInit)() = nullptr;
    CURLcode (*setopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*perform)(CURL*) = nullptr;
    CURLcode (*getinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*cleanup)(CURL*) = nullptr;
    const char* (*strerror)(CURLcode) = nullptr;
    bool loaded = false;
};

template <class Function>
bool bind(void* library, const char* name, Function& out) {
    out = reinterpret_cast<Function>(dlsym(library, name));
    return out != nullptr;
}

const CurlLibrary& curlLibrary() {
    static CurlLibrary lib;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return;
        lib.loaded = bind(handle, "curl_global_init", lib.globalInit) && bind(handle, "curl_easy_init", lib.easyInit) &&
                     bind(handle, "curl_easy_setopt", lib.setopt) && bind(handle, "curl_easy_perform", lib.perform) &&
                     bind(handle, "curl_easy_getinfo", lib.getinfo) &&
                     bind(handle, "curl_easy_cleanup", lib.cleanup) &&
                     bind(handle, "curl_easy_strerror", lib.strerror);
        if (lib.loaded) lib.globalInit(CURL_GLOBAL_DEFAULT);
    });
    return lib;
}

struct Transfer {
    std::string body;
    std::size_t maxBytes = 0;
    bool tooLong = false;
    const std::atomic<bool>* abandon = nullptr;
};

// Called about once a second when idle, and as data comes.
int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto& t = *static_cast<Transfer*>(user);
    return t.abandon && t.abandon->load() ? 1 : 0;
}

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

class CurlClient final : public CheckedHttpClient {
protected:
    HttpResult fetch(const HttpRequest& request, const HttpUrl& url) override {
        HttpResult result;
        const std::string host = url.hostLabel();
        const CurlLibrary& lib = curlLibrary();
        if (!lib.loaded) {
            result.error = host + ": the HTTP library libcurl (libcurl.so.4) is not installed";
            return result;
        }
        CURL* curl = lib.easyInit();
        if (!curl) {
            result.error = host + ": the HTTP library could not start";
            return result;
        }
        Transfer transfer;
        transfer.maxBytes = request.maxBytes;
        transfer.abandon = request.abandon;
        lib.setopt(curl, CURLOPT_URL, request.url.c_str());
        lib.setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        lib.setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        lib.setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        lib.setopt(curl, CURLOPT_MAXREDIRS, static_cast<long>(request.maxRedirects));
        lib.setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeoutMs));
        lib.setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(request.totalTimeoutMs));
        lib.setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBytes));
        // Threads of ours must not see curl's alarm signals.
        lib.setopt(curl, CURLOPT_NOSIGNAL, 1L);
        lib.setopt(curl, CURLOPT_WRITEFUNCTION, receive);
        lib.setopt(curl, CURLOPT_WRITEDATA, &transfer);
        lib.setopt(curl, CURLOPT_NOPROGRESS, 0L);
        lib.setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
        lib.setopt(curl, CURLOPT_XFERINFODATA, &transfer);
        lib.setopt(curl, CURLOPT_USERAGENT, "velmora");
        lib.setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
        if (!request.bearerToken.empty()) {
            lib.setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BEARER);
            lib.setopt(curl, CURLOPT_XOAUTH2_BEARER, request.bearerToken.c_str());
        } else if (!request.basicUser.empty()) {
            lib.setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
            lib.setopt(curl, CURLOPT_USERNAME, request.basicUser.c_str());
            lib.setopt(curl, CURLOPT_PASSWORD, request.basicPassword.c_str());
        }
        const CURLcode code = lib.perform(curl);
        long status = 0;
        lib.getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        lib.cleanup(curl);
        result.status = static_cast<int>(status);
        // curl's own texts are generic; the host is ours, without user information.
        if (transfer.tooLong || code == CURLE_FILESIZE_EXCEEDED)
            result.error = host + " answered more than " + std::to_string(request.maxBytes >> 20) + " MB";
        else if (code == CURLE_OPERATION_TIMEDOUT)
            result.error = host + " did not answer in time";
        else if (code == CURLE_ABORTED_BY_CALLBACK)
            result.error = host + ": the fetch was given up";
        else if (code == CURLE_TOO_MANY_REDIRECTS)
            result.error = host + " redirects too often";
        else if (code != CURLE_OK)
            result.error = host + ": " + lib.strerror(code);
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
