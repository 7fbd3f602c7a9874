// SIGTERM and SIGINT as a readable descriptor: the handler only writes a
// byte to a pipe, so the loop (and a drag's loop) wakes from poll and ends
// the program in order instead of dying mid-write.
#pragma once

namespace vel::platform::linux_backend {

class TerminationSignals {
public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // The descriptor to poll for input; -1 when the pipe could not be made.
    int fd() const { return readFd_; }
    // True once a signal has arrived (the pipe is drained on the way).
    bool arrived();

private:
    int readFd_ = -1;
    bool arrived_ = false;
};

}  // namespace vel::platform::linux_backend
