// The WinHTTP client against the hostile test server, a Linux program the
// Wine test starts on loopback (its address in VELMORA_TEST_HTTP): a good
// answer whole, every bad one failing within its bound and naming the host,
// credentials sent and never repeated.
#include <cstdlib>
#include <string>

#include "harness.h"
#include "platform/win32/http_client.h"
#include "platform/win32/windows_api.h"

using namespace vel::platform;

namespace {

// The server's "http://127.0.0.1:PORT"; the case ends when there is none.
std::string server() {
    const char* base = std::getenv("VELMORA_TEST_HTTP");
    if (!base || !*base) std::printf("  VELMORA_TEST_HTTP is not set: the test server is not running\n");
    REQUIRE(base && *base);
    return base;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

// A good answer comes whole; credentials go in the header and
// never into an error.
WTEST(Remote, AGoodAnswerComesWholeAndCredentialsAreSentButNeverRepeated) {
    auto client = createWinHttpClient();
    HttpRequest request;
    request.url = server() + "/metrics";
    const HttpResult r = client->get(request);
    CHECK(r.ok);
    CHECK_EQ(r.status, 200);
    CHECK_EQ(r.error, std::string());
    CHECK_EQ(r.body, std::string("# TYPE node_load1 gauge\nnode_load1 0.5\nnode_netstat_Tcp_CurrEstab 7\n"));

    request.url = server() + "/auth";  // the server accepts "Bearer tok3n" and "Basic YW5uOnB3" (ann:pw)
    request.bearerToken = "tok3n";
    const HttpResult bearer = client->get(request);
    CHECK(bearer.ok);
    CHECK(has(bearer.body, "node_load1 1"));

    request.bearerToken.clear();
    request.basicUser = "ann";
    request.basicPassword = "pw";
    CHECK(client->get(request).ok);
    request.basicPassword = "s3cret";
    const HttpResult badPassword = client->get(request);
    CHECK(!badPassword.ok);
    CHECK_EQ(badPassword.status, 401);
    CHECK(!has(badPassword.error, "ann"));
    CHECK(!has(badPassword.error, "s3cret"));
}

WTEST(Remote, EveryBadAnswerFailsWithinItsBoundAndNamesTheHost) {
    auto client = createWinHttpClient();
    const std::string base = server();
    const std::string host = base.substr(base.find("//") + 2);
    struct Case {
        const char* path;
        const char* says;
        int totalMs;
    };
    for (const Case c : {Case{"/junk", "more than 4 MB", 5000}, Case{"/flood", "more than 4 MB", 5000},
                         Case{"/truncated", "broke off", 5000},
                         Case{"/loop", "redirects too often", 5000}, Case{"/missing", "HTTP 404", 5000},
                         Case{"/drip", "did not answer in time", 1500},
                         Case{"/silent", "did not answer in time", 1500}}) {
        HttpRequest request;
        request.url = base + c.path;
        request.totalTimeoutMs = c.totalMs;
        request.bearerToken = "tok3n";
        const ULONGLONG start = GetTickCount64();
        const HttpResult r = client->get(request);
        const ULONGLONG ms = GetTickCount64() - start;
        std::printf("  %s: %s after %llu ms\n", c.path, r.error.c_str(), ms);
        CHECK(!r.ok);
        CHECK(r.body.empty());
        CHECK(has(r.error, host));
        CHECK(has(r.error, c.says));
        CHECK(!has(r.error, "tok3n"));
        // The bound, and room for a machine busy with other builds.
        CHECK(ms < static_cast<ULONGLONG>(c.totalMs) + 1500);
    }
}
