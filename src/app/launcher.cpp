// The program a user starts as `tellurandi`. The window's program needs some
// eighty shared libraries, and loading them takes milliseconds before any of
// its own code can run; a SIGUSR1 (a capture request) in that time would end
// it. This small program, which needs only the C library, holds SIGUSR1 back
// at once and then becomes the window's program, `tellurandi-window` beside
// it: the signal waits, blocked, until that program's first act takes it up.
//
// Only C library calls, so that the linker keeps nothing else.
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#ifndef TL_LAUNCHED_NAME
#define TL_LAUNCHED_NAME "tellurandi-window"
#endif

int main(int argc, char** argv) {
    (void)argc;
    sigset_t shot;
    sigemptyset(&shot);
    sigaddset(&shot, SIGUSR1);
    sigprocmask(SIG_BLOCK, &shot, nullptr);

    // The window's program lies beside this one, wherever both were put.
    static char path[4096 + sizeof TL_LAUNCHED_NAME];
    const ssize_t length = readlink("/proc/self/exe", path, 4096);
    int error = errno;
    if (length > 0 && length < 4096) {
        char* slash = static_cast<char*>(memrchr(path, '/', static_cast<size_t>(length)));
        if (slash != nullptr) {
            memcpy(slash + 1, TL_LAUNCHED_NAME, sizeof TL_LAUNCHED_NAME);
            execv(path, argv);
        }
        error = errno;
    } else if (length >= 4096) {
        error = ENAMETOOLONG;
    }
    // SIGUSR1 stays held back: a request already waiting must not end this
    // program before its line; it goes unanswered with the program.
    fprintf(stderr, "tellurandi: cannot start " TL_LAUNCHED_NAME ": %s\n", strerror(error));
    return 1;
}
