// Stands in for the window's program behind a test build of the launcher:
// prints its process id, whether SIGUSR1 is blocked, and its arguments.
#include <signal.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    sigset_t blocked;
    sigprocmask(SIG_BLOCK, nullptr, &blocked);
    std::printf("pid %d\nSIGUSR1 %s\n", static_cast<int>(getpid()),
                sigismember(&blocked, SIGUSR1) ? "blocked" : "let through");
    for (int i = 0; i < argc; ++i) std::printf("arg %s\n", argv[i]);
    return 7;
}
