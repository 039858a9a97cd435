// Writing files whole, only over a regular file, and leaving no temporary
// file when a signal ends the process mid-write.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <utility>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "base/ending.hpp"
#include "base/files.hpp"
#include "support/ending_signals.hpp"
#include "support/folder_contents.hpp"

namespace {

namespace fs = std::filesystem;
using tl::testing::slurp;
using tl::testing::entries;

fs::path freshDirectory(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("tl_files_" + std::to_string(getpid()) + "_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

/// What is at `path`, to compare before and after.
std::string describe(const fs::path& path) {
    struct stat s {};
    if (lstat(path.c_str(), &s) != 0) return "nothing";
    if (S_ISREG(s.st_mode)) return "file " + slurp(path);
    if (S_ISLNK(s.st_mode)) return "link to " + fs::read_symlink(path).string();
    return "mode " + std::to_string(s.st_mode & S_IFMT) + " device " + std::to_string(s.st_rdev);
}

bool makeSocket(const fs::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) close(fd);
    return bound;
}

}  // namespace

// A regular file (or nothing) at the name is replaced whole; anything else
// is left as it is and the write fails with one line naming it, whether it
// was there from the start or came while the file was being written (the
// check is made again at the rename). No temporary file is left either way,
// and the file a link points at is untouched.
TEST(WholeFiles, ReplaceOnlyARegularFile) {
    const struct {
        const char* kind;
        bool replaced;
        std::function<bool(const fs::path&)> make;
    } cases[] = {
        {"nothing", true, [](const fs::path&) { return true; }},
        {"a regular file", true, [](const fs::path& p) { return static_cast<bool>(std::ofstream(p) << "old"); }},
        {"a named pipe", false, [](const fs::path& p) { return mkfifo(p.c_str(), 0600) == 0; }},
        {"a link to a file", false, [](const fs::path& p) { return symlink("outside.txt", p.c_str()) == 0; }},
        {"a dangling link", false, [](const fs::path& p) { return symlink("missing.txt", p.c_str()) == 0; }},
        {"a folder", false, [](const fs::path& p) { return fs::create_directories(p / "inside"); }},
        {"a socket", false, makeSocket},
        // Like /dev/null, in the test's own folder; only root makes one.
        {"a device", false, [](const fs::path& p) { return mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0; }},
    };
    for (const auto& c : cases)
        for (const bool duringTheWrite : {false, true}) {
            if (std::string_view(c.kind) == "a device" && geteuid() != 0) continue;
            SCOPED_TRACE(std::string(c.kind) + (duringTheWrite ? ", made during the write" : ""));
            const fs::path dir = freshDirectory("kinds"), target = dir / "out.png";
            std::ofstream(dir / "outside.txt") << "keep";
            if (!duringTheWrite) {
                ASSERT_TRUE(c.make(target));
            }
            tl::TemporaryFile file(target.string());
            file.write("new", 3);
            if (duringTheWrite) {
                ASSERT_TRUE(c.make(target));
            }
            const std::string before = describe(target);
            const tl::WriteResult written = file.commit();
            EXPECT_EQ(written.failure(), c.replaced ? "" : target.string() + ": not a regular file");
            EXPECT_EQ(describe(target), c.replaced ? "file new" : before);
            EXPECT_EQ(slurp(dir / "outside.txt"), "keep");
            EXPECT_EQ(entries(dir), (std::vector<std::string>{"out.png", "outside.txt"}));
            fs::remove_all(dir);
        }
}

// A write that fails says why in the system's words (or the writer's),
// after the file's name, keeps the first reason, and leaves nothing behind.
// Up to 32 names are kept for removal on a signal at a time: a file whose
// temporary name cannot be kept is not written.
TEST(WholeFiles, FailuresSayWhy) {
    const fs::path dir = freshDirectory("reasons");
    std::ofstream(dir / "plain") << "x";
    std::vector<std::unique_ptr<tl::RemovedOnSignal>> kept;
    // A long name is shown cut short, after its folder in full.
    const std::string longName(300, 'n'), longShown = (dir / (std::string(200, 'n') + "…")).string();
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {(dir / "missing" / "a.png").string(), "No such file or directory", ""},
        {(dir / "plain" / "a.png").string(), "Not a directory", ""},
        {(dir / longName).string(), "File name too long", longShown},
        {(dir / "a.png").string(), "out of memory", ""},        // the writer's reason, the first only
        {(dir / "b.png").string(), "Too many open files", ""},  // 32 names kept already
    };
    for (const auto& [path, failure, shown] : cases) {
        while (failure == "Too many open files" && kept.size() < 32)
            kept.push_back(std::make_unique<tl::RemovedOnSignal>("kept"));
        tl::TemporaryFile file(path);
        file.fail("out of memory");
        file.fail("a second reason");
        EXPECT_FALSE(file.write("x", 1));
        EXPECT_EQ(file.commit().failure(), "cannot write " + (shown.empty() ? path : shown) + ": " + failure);
        EXPECT_EQ(entries(dir), std::vector<std::string>{"plain"});
    }
    EXPECT_EQ(kept.back()->error(), 0);
    kept.clear();
    EXPECT_EQ(tl::RemovedOnSignal(std::string(4096, 'x')).error(), ENAMETOOLONG);

    // Removing takes a regular file, or nothing, but nothing else.
    fs::create_directories(dir / "folder");
    for (int twice = 0; twice < 2; ++twice) EXPECT_TRUE(tl::removeRegularFile((dir / "plain").string()));
    EXPECT_EQ(tl::removeRegularFile((dir / "folder").string()).failure(),
              (dir / "folder").string() + ": not a regular file");
    fs::remove_all(dir);
}

namespace {

enum class Before { byDefault, ignored, handled };

volatile sig_atomic_t gHandled = 0;
void handle(int) { gHandled = 1; }

bool sameAction(const struct sigaction& a, const struct sigaction& b) {
    return a.sa_handler == b.sa_handler && (a.sa_flags & SA_SIGINFO) == (b.sa_flags & SA_SIGINFO);
}

/// In a child process: the signal's disposition set as `before`, a file
/// half-written to `target` and a name kept by RemovedOnSignal; it tells the
/// parent on `ready`, waits for a byte on `go`, then finishes the write.
/// Its status: 0 when all went as it should, else what went wrong.
[[noreturn]] void writeInChild(const fs::path& target, const fs::path& kept, int signal, Before before, int ready,
                               int go) {
    tl::testing::startAsFromAShell({signal});  // and no core, which SIGQUIT would dump
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = before == Before::byDefault ? SIG_DFL : before == Before::ignored ? SIG_IGN : handle;
    sigaction(signal, &action, nullptr);
    struct sigaction set {};
    sigaction(signal, nullptr, &set);
    {
        tl::TemporaryFile file(target.string());
        std::ofstream(kept) << "kept";
        tl::RemovedOnSignal removed(kept.string());
        if (!file.write("half", 4) || write(ready, "r", 1) != 1) _exit(10);
        char byte = 0;
        while (read(go, &byte, 1) < 0 && errno == EINTR) {
        }
        if (!file.write(" and whole", 10) || !file.commit()) _exit(13);
    }
    // Once nothing is being written the signal is as it was.
    struct sigaction after {};
    sigaction(signal, nullptr, &after);
    if (!sameAction(after, set)) _exit(14);
    if (before == Before::handled && !gHandled) _exit(15);
    _exit(0);
}

}  // namespace

// Every signal that would end the process (SIGHUP, SIGINT, SIGQUIT,
// SIGTERM, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ, SIGIO,
// SIGVTALRM, SIGPROF, SIGPWR, SIGSTKFLT and the real-time ones), arriving
// mid-write, removes the temporary file (and any name kept for removal) and
// then ends the process as the signal does. A signal the process ignores or
// handles itself does not end it: the write goes on to its end, and the
// signal's disposition is as before.
TEST(WholeFiles, ASignalMidWriteLeavesNoTemporaryFile) {
    struct Case {
        int signal;
        Before before;
    };
    std::vector<Case> cases;
    for (int signal : tl::testing::endingSignals()) cases.push_back({signal, Before::byDefault});
    for (int signal : {SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGUSR2, SIGXFSZ, SIGRTMIN})
        cases.push_back({signal, Before::ignored});
    for (int signal : {SIGTERM, SIGINT, SIGUSR1, SIGALRM, SIGRTMAX}) cases.push_back({signal, Before::handled});
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(strsignal(c.signal)) + (c.before == Before::byDefault ? ""
                                                         : c.before == Before::ignored ? ", ignored"
                                                                                        : ", handled"));
        const fs::path dir = freshDirectory("signal");
        const fs::path target = dir / "out.png", kept = dir / "kept.partial";
        int ready[2], go[2];
        ASSERT_EQ(pipe(ready), 0);
        ASSERT_EQ(pipe(go), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) writeInChild(target, kept, c.signal, c.before, ready[1], go[0]);
        close(ready[1]);
        close(go[0]);
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1) << "the child did not start its write";
        EXPECT_EQ(entries(dir).size(), 2u) << "the temporary file and the kept name";
        kill(pid, c.signal);
        if (c.before != Before::byDefault) {  // (otherwise it has ended, and no one reads)
            ASSERT_EQ(write(go[1], "g", 1), 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        if (c.before == Before::byDefault) {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
            EXPECT_EQ(entries(dir), std::vector<std::string>{});
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            EXPECT_EQ(entries(dir), (std::vector<std::string>{"kept.partial", "out.png"}));
            EXPECT_EQ(slurp(target), "half and whole");
        }
        close(ready[0]);
        close(go[1]);
        fs::remove_all(dir);
    }
}

// While signals are deferred (around a rename that can put what is not the
// process's own at a kept name) every signal that would end the process
// waits: the kept name is still there. Once they are no longer deferred the
// signal removes it and ends the process.
TEST(WholeFiles, DeferredSignalsWaitThenRemoveTheKeptName) {
    for (int signal : tl::testing::endingSignals()) {
        SCOPED_TRACE(strsignal(signal));
        const fs::path dir = freshDirectory("deferred"), kept = dir / "kept";
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            tl::testing::startAsFromAShell({signal});
            std::ofstream(kept) << "kept";
            const tl::RemovedOnSignal removed(kept.string());
            {
                const tl::SignalsDeferred deferred;
                raise(signal);
                if (!fs::exists(kept)) _exit(20);
            }
            _exit(21);  // the signal should have ended it
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(entries(dir), std::vector<std::string>{});
        fs::remove_all(dir);
    }
}

// A process ended at once (on a fatal error, or when its display is lost)
// writes its one line whole, leaves no temporary file and no kept name, and
// ends with the status it was given, running no destructor.
TEST(WholeFiles, EndingAtOnceLeavesNoTemporaryFile) {
    const fs::path dir = freshDirectory("at_once");
    EXPECT_EXIT(
        {
            tl::TemporaryFile file((dir / "out.png").string());
            std::ofstream(dir / "kept") << "kept";
            const tl::RemovedOnSignal kept((dir / "kept").string());
            static_cast<void>(file.write("half", 4));
            tl::endAtOnce("program: the display :9 was lost\n", 3);
        },
        ::testing::ExitedWithCode(3), "^program: the display :9 was lost\n$");
    EXPECT_EQ(entries(dir), std::vector<std::string>{});
    fs::remove_all(dir);
}

// Held back, what goes to standard error is kept and given back; a process
// ended at once meanwhile still writes its line to the real standard error.
TEST(WholeFiles, EndingAtOnceWhileStandardErrorIsHeldBackStillWritesTheLine) {
    {
        tl::HeldBackErrors held;
        std::fputs("a message held back\n", stderr);
        EXPECT_EQ(held.release(), "a message held back\n");
    }
    EXPECT_EXIT(
        {
            tl::HeldBackErrors held;
            std::fputs("held, never shown\n", stderr);
            tl::endAtOnce("program: creating thread: Resource temporarily unavailable\n", 1);
        },
        ::testing::ExitedWithCode(1), "^program: creating thread: Resource temporarily unavailable\n$");
}

namespace {

// In a child: writes 4 KB to `target` under a 1 KB file size limit with
// SIGXFSZ as the system starts a program; prints why it failed.
[[noreturn]] void writePastTheLimit(const fs::path& target) {
    signal(SIGXFSZ, SIG_DFL);
    tl::failWritesPastSizeLimit();
    const rlimit limit{1024, 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    tl::TemporaryFile file(target.string());
    const std::string bytes(4096, 'x');
    file.write(bytes.data(), bytes.size());
    std::fprintf(stderr, "%s\n", file.commit().failure().c_str());
    std::exit(entries(target.parent_path()).empty() ? 0 : 3);
}

}  // namespace

// Past the file size limit (ulimit -f) a write fails as on a full disk once
// failWritesPastSizeLimit has been called: one line naming the file, and no
// temporary file, where SIGXFSZ would have ended the process.
TEST(WholeFiles, AWritePastTheFileSizeLimitFailsAsOnAFullDisk) {
    const fs::path dir = freshDirectory("size_limit"), target = dir / "page-01.png";
    EXPECT_EXIT(writePastTheLimit(target), ::testing::ExitedWithCode(0),
                "^cannot write " + target.string() + ": File too large\n$");
    fs::remove_all(dir);
}
