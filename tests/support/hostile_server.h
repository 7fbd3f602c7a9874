#pragma once
// A small HTTP server on a free loopback port, answering one connection at
// a time from its own thread, with the answers a bad metrics endpoint may
// give: /metrics a short metrics text; /junk 4 MB and more of junk, /flood
// the same without a length; /truncated 100 of the 1000 bytes it promises;
// /drip a byte a second for ever; /silent never a word; /loop a redirect to
// itself; /auth 200 for an Authorization header it accepts, else 401; any
// other path 404.
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vel::test {

class HostileServer {
public:
    HostileServer();
    ~HostileServer();
    HostileServer(const HostileServer&) = delete;
    HostileServer& operator=(const HostileServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    void acceptAuth(const std::string& header);  // one more header /auth accepts
    // The Authorization header of the latest request ("" when none).
    std::string lastAuth() const;

private:
    void serve();
    void answer(int client);
    // True once stop was asked, or CLIENT (when given) hung up or spoke.
    bool waitStop(int ms, int client = -1);

    int listener_ = -1;
    int stopPipe_[2] = {-1, -1};
    int port_ = 0;
    mutable std::mutex mutex_;
    std::string lastAuth_;
    std::vector<std::string> acceptedAuth_;
    std::thread thread_;
};

}  // namespace vel::test
