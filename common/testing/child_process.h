#pragma once
// Runs part of a test in a forked child, for what the test process must not keep: an
// ordinary user's rights (the tests run as root), a file-size limit, a file system of
// its own. The child reports a text back through a pipe.
#include <csignal>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace common::testing {

struct ChildOutcome {
    bool finished = false; // the child ran to its end
    std::string text;      // what it reported
};

inline ChildOutcome InChild(const std::function<std::string()>& body) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid < 0) return {};
    if (pid == 0) {
        ::close(pipeEnds[0]);
        const std::string text = body();
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(pipeEnds[1], text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    ChildOutcome outcome;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        outcome.text.append(buffer, static_cast<size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    outcome.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return outcome;
}

// In a child: gives up root for the unprivileged user and group 65534, for good.
inline bool BecomeOrdinaryUser() {
    return ::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0 &&
           ::setresuid(65534, 65534, 65534) == 0 && ::geteuid() == 65534;
}

// In a child: files may grow to `bytes` at most; a write past it fails with EFBIG
// instead of ending the process.
inline bool LimitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

} // namespace common::testing
