#include "platform/linux/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace vel::platform::linux_backend {

namespace {
// One program, one pair of handlers: the write end is process-wide.
volatile sig_atomic_t gWriteFd = -1;
// Set with the byte, so a loop pass asks memory, not the pipe.
volatile sig_atomic_t gArrived = 0;

void onSignal(int) {
    const int saved = errno;
    gArrived = 1;
    const char byte = 1;
    if (gWriteFd >= 0) {
        const ssize_t written = write(gWriteFd, &byte, 1);
        (void)written;  // a full pipe already says it
    }
    errno = saved;
}
}  // namespace

TerminationSignals::TerminationSignals() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readFd_ = fds[0];
    gWriteFd = fds[1];
    gArrived = 0;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (readFd_ < 0) return;
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    close(gWriteFd);
    gWriteFd = -1;
    close(readFd_);
}

bool TerminationSignals::arrived() {
    if (readFd_ < 0 || !gArrived) return arrived_;
    char buffer[16];
    while (read(readFd_, buffer, sizeof buffer) > 0) arrived_ = true;
    return arrived_;
}

}  // namespace vel::platform::linux_backend
