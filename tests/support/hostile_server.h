#pragma once
// A small HTTP server on a free loopback port, answering one connection at
// a time from its own thread, with the answers a bad metrics endpoint may
// give. Paths:
//   /metrics    a short, well-formed metrics text
//   /junk       4 MB and more of junk, as fast as it goes
//   /flood      the same without a length: it ends when the server closes
//   /truncated  promises 1000 bytes, sends 100, closes
//   /drip       one byte a second, for ever
//   /silent     takes the request and never answers
//   /loop       redirects to itself
//   /auth       200 when the Authorization header is one accepted, else 401
//   /missing    404
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
