#pragma once

// Standard output caught in a test: every write request the code under
// test makes arrives as one packet of a sequenced-packet socket, so a test
// sees the bytes and also how they were grouped into requests.

#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

class ConsoleCapture {
public:
    ConsoleCapture() {
        std::fflush(stdout);
        socketpair(AF_UNIX, SOCK_SEQPACKET, 0, ends_);
        saved_ = dup(STDOUT_FILENO);
        dup2(ends_[0], STDOUT_FILENO);
    }

    ~ConsoleCapture() {
        restore();
        close(ends_[1]);
    }

    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    // Puts standard output back and returns the write requests made since.
    std::vector<std::string> requests() {
        restore();
        std::vector<std::string> packets;
        char bytes[4096];
        for (;;) {
            const ssize_t n = recv(ends_[1], bytes, sizeof bytes, MSG_DONTWAIT);
            if (n <= 0) break;   // nothing more, and the writing end is closed
            packets.emplace_back(bytes, static_cast<std::size_t>(n));
        }
        return packets;
    }

    std::string bytes() {
        std::string all;
        for (const std::string& packet : requests()) all += packet;
        return all;
    }

private:
    void restore() {
        if (saved_ < 0) return;
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
        close(ends_[0]);
        saved_ = -1;
    }

    int ends_[2] = {-1, -1};
    int saved_ = -1;
};
