#include "platform/win32/http_client.h"

#include "platform/win32/windows_api.h"
#include <winhttp.h>

#include <algorithm>
#include <cwchar>
#include <optional>

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
        case ERROR_WINHTTP_TIMEOUT:
        case WSAETIMEDOUT:  // Wine's answer when a read outlasts its timeout
            return host + " did not answer in time";
        case ERROR_WINHTTP_REDIRECT_FAILED: return host + " redirects too often";
        case ERROR_WINHTTP_CANNOT_CONNECT: return host + ": Couldn't connect to server";
        case ERROR_WINHTTP_NAME_NOT_RESOLVED: return host + ": Couldn't resolve host name";
        case ERROR_WINHTTP_CONNECTION_ERROR: return host + ": the connection broke off";
        case ERROR_WINHTTP_SECURE_FAILURE: return host + ": the server's certificate is not trusted";
        default: return host + ": HTTP error " + std::to_string(code);
    }
}

class WinHttpClient final : public CheckedHttpClient {
protected:
    HttpResult fetch(const HttpRequest& request, const HttpUrl& url) override {
        HttpResult result;
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
        // A slow answer must not outlast the total: each wait gets what is left,
        // set as timeouts (Wine applies only those to an open connection) and
        // as the limit of the wait for the headers, which has one of its own.
        auto waitAtMostWhatIsLeft = [&] {
            const int left = remaining();
            if (left == 0) return false;
            WinHttpSetTimeouts(req.h, left, left, left, left);
            const DWORD forHeaders = static_cast<DWORD>(left);
            WinHttpSetOption(req.h, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, const_cast<DWORD*>(&forHeaders),
                             sizeof forHeaders);
            return true;
        };
        // Wine waits for the headers inside WinHttpSendRequest already.
        const DWORD total = static_cast<DWORD>(request.totalTimeoutMs);
        WinHttpSetOption(req.h, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, const_cast<DWORD*>(&total), sizeof total);
        if (!WinHttpSendRequest(req.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
            return fail(GetLastError());
        if (!waitAtMostWhatIsLeft()) return fail(ERROR_WINHTTP_TIMEOUT);
        if (!WinHttpReceiveResponse(req.h, nullptr)) return fail(GetLastError());
        DWORD status = 0, size = sizeof status;
        WinHttpQueryHeaders(req.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                            &status, &size, WINHTTP_NO_HEADER_INDEX);
        result.status = static_cast<int>(status);
        if (status < 200 || status > 299) {
            result.error = host + " answered HTTP " + std::to_string(status);
            return result;
        }
        // The length the server promised, when it did: an answer that ends
        // short of it broke off, and one promising too much is refused unread.
        std::optional<unsigned long long> promised;
        wchar_t length[32] = {};
        DWORD lengthSize = sizeof length;
        if (WinHttpQueryHeaders(req.h, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, length, &lengthSize,
                                WINHTTP_NO_HEADER_INDEX))
            promised = std::wcstoull(length, nullptr, 10);
        const std::string tooLong = host + " answered more than " + std::to_string(request.maxBytes >> 20) + " MB";
        if (promised && *promised > request.maxBytes) {
            result.error = tooLong;
            return result;
        }
        std::string body;
        char piece[16384];
        for (;;) {
            if (request.abandon && request.abandon->load()) return fail(ERROR_WINHTTP_OPERATION_CANCELLED);
            if (!waitAtMostWhatIsLeft()) return fail(ERROR_WINHTTP_TIMEOUT);
            // Asked first what is there, so a read never waits to fill its buffer
            // from a server that drips.
            DWORD ready = 0;
            if (!WinHttpQueryDataAvailable(req.h, &ready)) return fail(GetLastError());
            if (ready == 0) break;
            DWORD got = 0;
            if (!WinHttpReadData(req.h, piece, std::min<DWORD>(ready, sizeof piece), &got)) return fail(GetLastError());
            if (got == 0) break;
            if (body.size() + got > request.maxBytes) {
                result.error = tooLong;
                return result;
            }
            body.append(piece, got);
        }
        if (promised && body.size() != *promised) return fail(ERROR_WINHTTP_CONNECTION_ERROR);
        result.ok = true;
        result.body = std::move(body);
        return result;
    }
};

}  // namespace

std::unique_ptr<HttpClient> createWinHttpClient() { return std::make_unique<WinHttpClient>(); }

}  // namespace vel::platform
