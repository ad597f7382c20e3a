#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string_view>

extern char **environ;

#ifndef NV_RUNNER_EXECUTABLE
#error "NV_RUNNER_EXECUTABLE must name the newsvendor-run executable"
#endif

namespace nv::runner::testing {

namespace {

// The environment of this process without its locale variables, then the
// given ones: the runner's separators depend only on what a test sets.
std::vector<std::string> environmentWith(const std::map<std::string, std::string> &locale) {
    std::vector<std::string> env;
    for (char **e = environ; *e != nullptr; ++e) {
        const std::string_view entry(*e);
        if (entry.starts_with("LC_") || entry.starts_with("LANG=") ||
            entry.starts_with("LANGUAGE=")) {
            continue;
        }
        env.emplace_back(entry);
    }
    for (const auto &[name, value] : locale) {
        env.push_back(name + "=" + value);
    }
    return env;
}

std::vector<char *> pointers(std::vector<std::string> &texts) {
    std::vector<char *> result;
    for (std::string &t : texts) {
        result.push_back(t.data());
    }
    result.push_back(nullptr);
    return result;
}

// A pseudo-terminal: {master, slave}, or {-1, -1}.
std::pair<int, int> openTerminal() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        if (master >= 0) {
            close(master);
        }
        return {-1, -1};
    }
    const char *name = ptsname(master);
    const int slave = name == nullptr ? -1 : open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        close(master);
        return {-1, -1};
    }
    return {master, slave};
}

// write(2) that reports a reader gone as EPIPE instead of raising SIGPIPE,
// which would end the whole test process: the signal is blocked in this
// thread for the call, and one it left pending is taken before unblocking.
ssize_t writeQuietly(int fd, const char *data, std::size_t size) {
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
    const ssize_t put = write(fd, data, size);
    const int writeError = errno;
    if (put < 0 && writeError == EPIPE && sigismember(&before, SIGPIPE) == 0) {
        const timespec now{0, 0};
        while (sigtimedwait(&pipeSignal, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    errno = writeError;
    return put;
}

}  // namespace

Outcome runExecutable(const std::vector<std::string> &args, const std::string &input,
                      const std::map<std::string, std::string> &locale, ErrorStream errorStream) {
    int inPipe[2];
    int outPipe[2];
    int errPipe[2];
    if (pipe2(inPipe, O_CLOEXEC) != 0 || pipe2(outPipe, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe: " << std::strerror(errno);
        return {};
    }
    if (errorStream == ErrorStream::Terminal) {
        const auto [master, slave] = openTerminal();
        if (master < 0) {
            ADD_FAILURE() << "no pseudo-terminal: " << std::strerror(errno);
            return {};
        }
        errPipe[0] = master;
        errPipe[1] = slave;
    } else if (pipe2(errPipe, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe: " << std::strerror(errno);
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inPipe[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);

    std::vector<std::string> argvTexts = {NV_RUNNER_EXECUTABLE};
    argvTexts.insert(argvTexts.end(), args.begin(), args.end());
    std::vector<char *> argv = pointers(argvTexts);
    std::vector<std::string> envTexts = environmentWith(locale);
    std::vector<char *> envp = pointers(envTexts);

    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, NV_RUNNER_EXECUTABLE, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(inPipe[0]);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned != 0) {
        ADD_FAILURE() << "posix_spawn: " << std::strerror(spawned);
        close(inPipe[1]);
        close(outPipe[0]);
        close(errPipe[0]);
        return {};
    }

    Outcome outcome;
    std::size_t written = 0;
    int inFd = inPipe[1];
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    } else {
        fcntl(inFd, F_SETFL, O_NONBLOCK);
    }
    int outFd = outPipe[0];
    int errFd = errPipe[0];
    char buffer[65536];
    while (outFd >= 0 || errFd >= 0 || inFd >= 0) {
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        if (poll(fds, 3, 60'000) <= 0) {
            ADD_FAILURE() << "the runner did not finish within 60 s";
            break;
        }
        for (int i = 0; i < 2; ++i) {
            int &fd = i == 0 ? outFd : errFd;
            if (fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                // A terminal's master reports EIO once the child has closed
                // the slave: the end of its output, as 0 is for a pipe.
                const ssize_t got = read(fd, buffer, sizeof buffer);
                if (got > 0) {
                    (i == 0 ? outcome.out : outcome.err)
                        .append(buffer, static_cast<std::size_t>(got));
                } else if (got < 0 && errno == EINTR) {
                    continue;
                } else {
                    close(fd);
                    fd = -1;
                }
            }
        }
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t put = writeQuietly(inFd, input.data() + written, input.size() - written);
            if (put > 0) {
                written += static_cast<std::size_t>(put);
            }
            // A runner that exits or stops reading (a usage error, a command
            // that never reads its input) leaves the rest unwritten: EPIPE.
            const bool again = put < 0 && (errno == EAGAIN || errno == EINTR);
            if ((put < 0 && !again) || written == input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    for (int fd : {inFd, outFd, errFd}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace nv::runner::testing
