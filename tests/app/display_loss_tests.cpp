// The app when its X server goes away: at any moment from the start on, it
// ends with one line naming the display, status 1 (no hang in a destructor
// waiting on the dead connection, no crash while the window opens). How
// soon it ends is measured on a machine of known speed, not here. Each case
// starts an X server of its own.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sdl/display_loss.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

/// Longer than the app or an X server takes for anything here on the
/// slowest, busiest machine: only a hang reaches it.
constexpr std::chrono::seconds kHang{120};

bool haveCommand(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

/// Waits up to `limit` for `pid`; its wait status, or none (and still running).
std::optional<int> awaitExit(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    if (!awaitExit(pid, std::chrono::seconds(5))) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

/// Starts `argv` (searched for in PATH) with DISPLAY set to `display` (and no
/// other display named), its standard error going to `errors` and, when
/// `fd3` is one, `fd3` as descriptor 3. Its process id, or -1.
pid_t start(std::vector<std::string> argv, const std::string& display, const char* errors, int fd3 = -1) {
    std::string displayVariable = "DISPLAY=" + display;
    std::vector<char*> env, args;
    for (char** e = environ; *e; ++e) {
        const std::string_view entry = *e;
        if (!entry.starts_with("DISPLAY=") && !entry.starts_with("WAYLAND_DISPLAY=") &&
            !entry.starts_with("SDL_VIDEODRIVER=") && !entry.starts_with("TELLURANDI_SHOT="))
            env.push_back(*e);
    }
    env.push_back(displayVariable.data());
    env.push_back(nullptr);
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errors, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd3 >= 0) posix_spawn_file_actions_adddup2(&actions, fd3, 3);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

/// An X server of our own, on a display number it picks itself: its
/// process id and ":N", or -1 and "" when it did not start.
std::pair<pid_t, std::string> startXServer() {
    int fds[2];
    if (pipe(fds) != 0) return {-1, ""};
    const pid_t pid = start({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, "",
                            "/dev/null", fds[1]);
    close(fds[1]);
    // The server writes its display number once it takes connections.
    std::string number;
    pollfd ready{fds[0], POLLIN, 0};
    char c = 0;
    const auto deadline = Clock::now() + kHang;
    while (pid > 0 && Clock::now() < deadline &&
           poll(&ready, 1, static_cast<int>(std::chrono::milliseconds(kHang).count())) == 1 &&
           read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (pid > 0 && number.empty()) stop(pid);
    return {number.empty() ? -1 : pid, number.empty() ? "" : ":" + number};
}

// The server is stopped while the app starts (it may not have reached the
// server yet, and says so), and once its window shows: at once or while
// the app idles.
TEST(DisplayLoss, TheAppEndsWithOneLineAndStatusOneWhenTheServerStops) {
    if (!haveCommand("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    if (!haveCommand("xdotool")) GTEST_SKIP() << "xdotool is not installed";
    struct Case {
        double delay;       // seconds from the start, or from the window's showing
        bool windowShown;   // the window shows first
    };
    const Case cases[] = {{0.05, false}, {0.2, false}, {0, true}, {2, true}};
    const fs::path errors = fs::temp_directory_path() / ("tl_display_loss_" + std::to_string(getpid()) + ".txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "the server stopped " << c.delay << " s after "
                                          << (c.windowShown ? "the window showed" : "the start"));
        const auto [server, display] = startXServer();
        ASSERT_GT(server, 0) << "the X server did not start";
        auto from = Clock::now();
        const pid_t app = start({TELLURANDI_EXE}, display, errors.c_str());
        ASSERT_GT(app, 0);
        if (c.windowShown) {
            const std::string wait = "DISPLAY=" + display + " timeout " + std::to_string(kHang.count()) +
                                     " xdotool search --sync --onlyvisible --pid " + std::to_string(app) +
                                     " >/dev/null 2>&1";
            EXPECT_EQ(std::system(wait.c_str()), 0) << "the app's window did not show";
            from = Clock::now();
        }
        std::this_thread::sleep_until(from + std::chrono::duration<double>(c.delay));
        stop(server);
        const std::optional<int> status = awaitExit(app, kHang);
        if (!status) {
            stop(app);
            ADD_FAILURE() << "the app still ran " << kHang.count() << " s after its display was lost";
            continue;
        }
        EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1)
            << (WIFSIGNALED(*status) ? "signal " + std::to_string(WTERMSIG(*status))
                                     : "status " + std::to_string(WEXITSTATUS(*status)));
        std::ifstream file(errors);
        const std::string line{std::istreambuf_iterator<char>(file), {}};
        const std::string lost = "tellurandi: the display " + display + " was lost\n";
        if (c.windowShown)
            EXPECT_EQ(line, lost);
        else  // or the server was gone before the app reached it
            EXPECT_TRUE(line == lost ||
                        (line.starts_with("tellurandi: no display to open a window on (DISPLAY=" + display + ": ") &&
                         line.find('\n') == line.size() - 1))
                << line;
    }
    fs::remove(errors);
}

// The line stays one line, of bounded length, whatever DISPLAY holds: the
// display quoted as every error line quotes what it was given.
TEST(DisplayLoss, TheLineShowsTheDisplayOnOneLineAndShortened) {
    // 200 characters, the last one of two bytes.
    const std::string longName(300, 'x'), accented = std::string(199, 'x') + "\u00e9";
    struct Case {
        std::string program, display, line;
    };
    const Case cases[] = {
        {"tellurandi", ":55", "tellurandi: the display :55 was lost\n"},
        {"tellurandi", "host:1.0", "tellurandi: the display host:1.0 was lost\n"},
        {"tellurandi", "", "tellurandi: the display was lost\n"},
        {"tellurandi", ":1\n\x1b[2J\r", "tellurandi: the display :1\\n?[2J? was lost\n"},
        // A byte that is no part of a UTF-8 character (0x9B starts a control sequence on 8-bit terminals).
        {"tellurandi", ":1\x9b" "2J\xc3", "tellurandi: the display :1?2J? was lost\n"},
        {"a\tb", ":1", "a?b: the display :1 was lost\n"},
        {"t", longName, "t: the display " + longName.substr(0, 200) + "\u2026 was lost\n"},
        // A character is cut whole or not at all.
        {"t", "x" + accented, "t: the display " + std::string(200, 'x') + "\u2026 was lost\n"},
        {"t", accented, "t: the display " + accented + " was lost\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(sdl::displayLossLine(c.program, c.display), c.line) << c.display;
}

}  // namespace
