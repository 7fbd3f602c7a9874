#pragma once
// The parts of an http:// or https:// address the program needs: where to
// connect, what to show people (never the user name or password), and the
// credentials written into it, which the program refuses.
#include <string>
#include <string_view>

#include "platform/http_api.h"

namespace vel::platform {

struct HttpUrl {
    std::string scheme;    // "http" or "https", lower case
    std::string userInfo;  // "user:password" when written into the address
    std::string host;      // without brackets for an IPv6 literal
    int port = 0;          // the scheme's default when none is written
    std::string target;    // path and query, "/" at least

    // "nas:9100", "[::1]:9100": names the host for titles and messages.
    std::string hostLabel() const;
    // The address without the user information.
    std::string display() const;
};

// False with a message for people when `text` is not an http(s) address
// with a host. The message never repeats the user information.
bool parseHttpUrl(std::string_view text, HttpUrl& out, std::string& error);

// A client that fetches only what parses as an http(s) address; a bad one
// fails before any library is touched.
class CheckedHttpClient : public HttpClient {
public:
    HttpResult get(const HttpRequest& request) final {
        HttpResult result;
        HttpUrl url;
        if (!parseHttpUrl(request.url, url, result.error)) return result;
        return fetch(request, url);
    }

protected:
    virtual HttpResult fetch(const HttpRequest& request, const HttpUrl& url) = 0;
};

}  // namespace vel::platform
