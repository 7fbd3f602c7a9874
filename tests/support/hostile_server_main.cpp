// The hostile server as a program of its own, for clients that are not in
// this process (the Windows build under Wine): prints its port, then serves
// until TERM or INT.
//   velmora_hostile_server [AUTHORIZATION...]   the headers /auth accepts
#include <signal.h>

#include <cstdio>

#include "support/hostile_server.h"

int main(int argc, char** argv) {
    // Blocked before the server's thread starts, so only sigwait sees them.
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGINT);
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);
    vel::test::HostileServer server;
    for (int i = 1; i < argc; ++i) server.acceptAuth(argv[i]);
    std::printf("%d\n", server.port());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&ending, &signal);
    return 0;
}
