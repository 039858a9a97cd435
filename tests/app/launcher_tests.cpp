// `tellurandi` holds SIGUSR1 back and becomes the window's program beside
// it. Test builds of it become a probe instead, or a program that is not
// there.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

struct Ended {
    int pid = 0;
    int status = -1;
    std::string out, err;
};

std::string drain(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) != 0;)
        if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
        else if (errno != EINTR) break;
    close(fd);
    return text;
}

// Runs `program` with `args`, SIGUSR1 let through as a shell would start it;
// with `pendingSigusr1`, one is waiting, held back by whoever started it.
Ended run(const char* program, std::vector<std::string> args, bool pendingSigusr1 = false) {
    int out[2], err[2];
    EXPECT_EQ(pipe(out), 0);
    EXPECT_EQ(pipe(err), 0);
    Ended ended;
    ended.pid = fork();
    if (ended.pid == 0) {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (pendingSigusr1) {
            sigset_t shot;
            sigemptyset(&shot);
            sigaddset(&shot, SIGUSR1);
            sigprocmask(SIG_BLOCK, &shot, nullptr);
            raise(SIGUSR1);
        }
        dup2(out[1], 1);
        dup2(err[1], 2);
        close(out[0]), close(err[0]), close(out[1]), close(err[1]);
        std::vector<char*> argv{const_cast<char*>(program)};
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program, argv.data());
        _exit(127);
    }
    close(out[1]), close(err[1]);
    // Standard error is small: read after standard output has ended.
    ended.out = drain(out[0]);
    ended.err = drain(err[0]);
    int status = 0;
    waitpid(ended.pid, &status, 0);
    ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return ended;
}

TEST(Launcher, BecomesTheProgramBesideItWithSigusr1HeldBack) {
    const Ended ended = run(PROBE_LAUNCHER, {"--help", "two words", ""});
    EXPECT_EQ(ended.status, 7);
    EXPECT_EQ(ended.err, "");
    EXPECT_EQ(ended.out, "pid " + std::to_string(ended.pid) + "\nSIGUSR1 blocked\narg " PROBE_LAUNCHER
                         "\narg --help\narg two words\narg \n");
}

TEST(Launcher, WithoutTheProgramBesideItEndsWithOneLine) {
    // A capture request already waiting does not end it before its line.
    for (const bool pending : {false, true}) {
        SCOPED_TRACE(pending ? "SIGUSR1 pending" : "no signal");
        const Ended ended = run(MISSING_LAUNCHER, {}, pending);
        EXPECT_EQ(ended.status, 1);
        EXPECT_EQ(ended.out, "");
        EXPECT_EQ(ended.err, "tellurandi: cannot start no-such-program: No such file or directory\n");
    }
}

}  // namespace
