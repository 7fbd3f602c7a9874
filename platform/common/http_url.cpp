#include "platform/common/http_url.h"

#include <algorithm>
#include <cctype>

namespace vel::platform {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool hostCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_' || c == '%';
}

}  // namespace

std::string HttpUrl::hostLabel() const {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string HttpUrl::display() const { return scheme + "://" + hostLabel() + target; }

bool parseHttpUrl(std::string_view text, HttpUrl& out, std::string& error) {
    out = HttpUrl{};
    const std::size_t colon = text.find("://");
    if (colon == std::string_view::npos) {
        error = "the source must be an http:// or https:// address";
        return false;
    }
    out.scheme = lower(text.substr(0, colon));
    if (out.scheme != "http" && out.scheme != "https") {
        error = "the source must be an http:// or https:// address, not " + out.scheme + "://";
        return false;
    }
    std::string_view rest = text.substr(colon + 3);
    const std::size_t slash = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, slash);
    out.target = slash == std::string_view::npos ? "/" : std::string(rest.substr(slash));
    if (const std::size_t hash = out.target.find('#'); hash != std::string::npos) out.target.erase(hash);
    if (out.target.empty() || out.target[0] != '/') out.target.insert(0, "/");
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        out.userInfo = std::string(authority.substr(0, at));
        authority.remove_prefix(at + 1);
    }
    std::string_view portText;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos) {
            error = "the source's address has an unclosed [ in its host";
            return false;
        }
        out.host = std::string(authority.substr(1, close - 1));
        std::string_view after = authority.substr(close + 1);
        if (!after.empty() && after.front() != ':') {
            error = "the source's address has text after its host's ]";
            return false;
        }
        if (!after.empty()) portText = after.substr(1);
    } else {
        const std::size_t c = authority.rfind(':');
        out.host = std::string(authority.substr(0, c));
        if (c != std::string_view::npos) portText = authority.substr(c + 1);
        if (!std::all_of(out.host.begin(), out.host.end(), hostCharacter)) {
            error = "the source's address has a host name that is not one";
            return false;
        }
    }
    if (out.host.empty()) {
        error = "the source's address names no host";
        return false;
    }
    out.port = out.scheme == "https" ? 443 : 80;
    if (!portText.empty()) {
        int port = 0;
        for (char c : portText) {
            if (c < '0' || c > '9' || port > 65535) {
                port = -1;
                break;
            }
            port = port * 10 + (c - '0');
        }
        if (port < 1 || port > 65535) {
            error = "the source's port must be a number from 1 to 65535";
            return false;
        }
        out.port = port;
    }
    return true;
}

}  // namespace vel::platform
