#include "platform/win32/http_client.h"

#include "platform/win32/windows_api.h"
#include <winhttp.h>

#include "platform/common/http_url.h"
#include "platform/win32/utf16.h"

namespace vel::platform {

namespace {

using win32::widen;

// Closes a WinHTTP handle when it goes out of scope.
struct Handle {
    HINTERNET h = nullptr;
    ~Handle() {
        if (h) WinHttpCloseHandle(h);
    }
};

std::string failure(const std::string& host, DWORD code) {
    switch (code) {
        case ERROR_WINHTTP_TIMEOUT: return host + " did not answer in time";
        case ERROR_WINHTTP_REDIRECT_FAILED: return host + " redirects too often";
        case ERROR_WINHTTP_CANNOT_CONNECT: return host + ": Couldn't connect to server";
        case ERROR_WINHTTP_NAME_NOT_RESOLVED: return host + ": Couldn't resolve host name";
        case ERROR_WINHTTP_CONNECTION_ERROR: return host + ": the connection broke off";
        case ERROR_WINHTTP_SECURE_FAILURE: return host + ": the server's certificate is not trusted";
        default: return host + ": HTTP error " + std::to_string(code);
    }
}

class WinHttpClient final : public HttpClient {
public:
    HttpResult get(const HttpRequest& request) override {
        HttpResult result;
        HttpUrl url;
        if (!parseHttpUrl(request.url, url, result.error)) return result;
        const std::string host = url.hostLabel();
        const ULONGLONG start = GetTickCount64();
        auto remaining = [&] {
            const ULONGLONG spent = GetTickCount64() - start;
            const ULONGLONG total = static_cast<ULONGLONG>(request.totalTimeoutMs);
            return spent >= total ? 0 : static_cast<int>(total - spent);
        };
        auto fail = [&](DWORD code) {
            result.error = failure(host, code);
            return result;
        };

        Handle session{WinHttpOpen(L"velmora", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                   WINHTTP_NO_PROXY_BYPASS, 0)};
        if (!session.h) return fail(GetLastError());
        WinHttpSetTimeouts(session.h, request.connectTimeoutMs, request.connectTimeoutMs, request.totalTimeoutMs,
                           request.totalTimeoutMs);
        Handle connection{WinHttpConnect(session.h, widen(url.host).c_str(),
                                         static_cast<INTERNET_PORT>(url.port), 0)};
        if (!connection.h) return fail(GetLastError());
        const DWORD flags = url.scheme == "https" ? WINHTTP_FLAG_SECURE : 0;
        Handle req{WinHttpOpenRequest(connection.h, L"GET", widen(url.target).c_str(), nullptr, WINHTTP_NO_REFERER,
                                      WINHTTP_DEFAULT_ACCEPT_TYPES, flags)};
        if (!req.h) return fail(GetLastError());
        DWORD redirects = static_cast<DWORD>(request.maxRedirects);
        WinHttpSetOption(req.h, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects, sizeof redirects);
        if (!request.bearerToken.empty()) {
            const std::wstring header = L"Authorization: Bearer " + widen(request.bearerToken);
            WinHttpAddRequestHeaders(req.h, header.c_str(), static_cast<DWORD>(-1L), WINHTTP_ADDREQ_FLAG_ADD);
        } else if (!request.basicUser.empty()) {
            WinHttpSetCredentials(req.h, WINHTTP_AUTH_TARGET_SERVER, WINHTTP_AUTH_SCHEME_BASIC,
                                  widen(request.basicUser).c_str(), widen(request.basicPassword).c_str(), nullptr);
        }
        if (!WinHttpSendRequest(req.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
            !WinHttpReceiveResponse(req.h, nullptr))
            return fail(GetLastError());
        DWORD status = 0, size = sizeof status;
        WinHttpQueryHeaders(req.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                            &status, &size, WINHTTP_NO_HEADER_INDEX);
        result.status = static_cast<int>(status);
        if (status < 200 || status > 299) {
            result.error = host + " answered HTTP " + std::to_string(status);
            return result;
        }
        std::string body;
        char piece[16384];
        for (;;) {
            // A slow answer must not outlast the total: each read gets what is left.
            const int left = remaining();
            if (left == 0) return fail(ERROR_WINHTTP_TIMEOUT);
            WinHttpSetOption(req.h, WINHTTP_OPTION_RECEIVE_TIMEOUT, const_cast<int*>(&left), sizeof left);
            DWORD got = 0;
            if (!WinHttpReadData(req.h, piece, sizeof piece, &got)) return fail(GetLastError());
            if (got == 0) break;
            if (body.size() + got > request.maxBytes) {
                result.error = host + " answered more than " + std::to_string(request.maxBytes >> 20) + " MB";
                return result;
            }
            body.append(piece, got);
        }
        result.ok = true;
        result.body = std::move(body);
        return result;
    }
};

}  // namespace

std::unique_ptr<HttpClient> createWinHttpClient() { return std::make_unique<WinHttpClient>(); }

}  // namespace vel::platform
