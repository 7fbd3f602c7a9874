#include "support/hostile_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vel::test {

namespace {

bool sendAll(int fd, const std::string& text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string header(int status, const std::string& reason, std::size_t length, const std::string& extra = "") {
    return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Type: text/plain; version=0.0.4\r\n" +
           "Content-Length: " + std::to_string(length) + "\r\nConnection: close\r\n" + extra + "\r\n";
}

}  // namespace

HostileServer::HostileServer() {
    if (::pipe(stopPipe_) != 0) throw std::runtime_error("pipe");
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(listener_, 8) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        throw std::runtime_error("cannot listen on loopback");
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { serve(); });
}

HostileServer::~HostileServer() {
    const char byte = 1;
    if (::write(stopPipe_[1], &byte, 1) != 1) {
        // The thread then ends with the process; nothing better to do here.
    }
    thread_.join();
    ::close(listener_);
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
}

std::string HostileServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string HostileServer::lastAuth() const {
    std::lock_guard lock(mutex_);
    return lastAuth_;
}

void HostileServer::acceptAuth(const std::string& header) {
    std::lock_guard lock(mutex_);
    acceptedAuth_.push_back(header);
}

bool HostileServer::waitStop(int ms, int client) {
    pollfd p[2] = {{stopPipe_[0], POLLIN, 0}, {client, POLLIN, 0}};
    return ::poll(p, client < 0 ? 1 : 2, ms) != 0;
}

void HostileServer::serve() {
    for (;;) {
        pollfd p[2] = {{listener_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0 || (p[1].revents & POLLIN)) return;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        answer(client);
        ::close(client);
    }
}

void HostileServer::answer(int client) {
    std::string request;
    char piece[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        pollfd p{client, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0) return;
        const ssize_t n = ::recv(client, piece, sizeof piece, 0);
        if (n <= 0) return;
        request.append(piece, static_cast<std::size_t>(n));
    }
    const std::size_t pathStart = request.find(' ') + 1;
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
    std::string auth;
    if (const std::size_t at = request.find("\r\nAuthorization: "); at != std::string::npos) {
        const std::size_t from = at + 17;
        auth = request.substr(from, request.find("\r\n", from) - from);
    }
    bool accepted = false;
    {
        std::lock_guard lock(mutex_);
        lastAuth_ = auth;
        accepted = !auth.empty() && std::find(acceptedAuth_.begin(), acceptedAuth_.end(), auth) != acceptedAuth_.end();
    }

    if (path == "/metrics") {
        const std::string body = "# TYPE node_load1 gauge\nnode_load1 0.5\nnode_netstat_Tcp_CurrEstab 7\n";
        sendAll(client, header(200, "OK", body.size()) + body);
    } else if (path == "/junk" || path == "/flood") {
        const std::size_t size = (4u << 20) + 65536;
        const std::string head =
            path == "/junk" ? header(200, "OK", size) : "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";
        if (!sendAll(client, head)) return;
        std::string block(65536, '\0');
        for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>((i * 131 + 7) & 0xff);
        for (std::size_t sent = 0; sent < size && !waitStop(0); sent += block.size())
            if (!sendAll(client, block)) return;
    } else if (path == "/truncated") {
        sendAll(client, header(200, "OK", 1000) + "node_load1 0.5\n" + std::string(85, '#'));
    } else if (path == "/drip") {
        if (!sendAll(client, "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n")) return;
        // A byte a second until the client hangs up or the test ends.
        while (sendAll(client, "n") && !waitStop(1000, client)) {
        }
    } else if (path == "/silent") {
        waitStop(60'000, client);  // the request read, nothing said until the client gives up
    } else if (path == "/loop") {
        sendAll(client, header(302, "Found", 0, "Location: /loop\r\n"));
    } else if (path == "/auth") {
        const std::string body = accepted ? "node_load1 1\n" : "";
        sendAll(client, header(accepted ? 200 : 401, accepted ? "OK" : "Unauthorized", body.size()) + body);
    } else {
        sendAll(client, header(404, "Not Found", 0));
    }
}

}  // namespace vel::test
