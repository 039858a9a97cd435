// The app itself in a real window on an X server: clicks made through the X
// server lead from the menu to column addition, type 45 and 67, ask for the
// steps and page once; the app's capture then shows the step screen on its
// second page, drawn as the headless app draws that page. A resize from
// outside below the smallest window is undone by the app itself, and a
// capture appears only with its report, or not at all with one line saying why.
#include <cairo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "screens/app_driver.hpp"
#include "support/folder_contents.hpp"

extern char** environ;

namespace tl {
namespace {

namespace fs = std::filesystem;
using tl::testing::entries;
using testing::AppDriver;

/// Longer than the app takes for anything here on the slowest, busiest
/// machine: only a hang reaches it.
constexpr std::chrono::seconds kHang{120};

bool haveCommand(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

// The mean difference of grey levels (0-255) between two PNGs over a band of
// rows given in points, `k` pixels per point.
double bandDifference(const std::string& a, const std::string& b, double top, double bottom, double k) {
    cairo_surface_t* sa = cairo_image_surface_create_from_png(a.c_str());
    cairo_surface_t* sb = cairo_image_surface_create_from_png(b.c_str());
    double result = 255;
    if (cairo_surface_status(sa) == CAIRO_STATUS_SUCCESS && cairo_surface_status(sb) == CAIRO_STATUS_SUCCESS) {
        int w = std::min(cairo_image_surface_get_width(sa), cairo_image_surface_get_width(sb));
        int h = std::min(cairo_image_surface_get_height(sa), cairo_image_surface_get_height(sb));
        int y0 = static_cast<int>(top * k), y1 = std::min(h, static_cast<int>(bottom * k));
        double sum = 0;
        long count = 0;
        for (int y = y0; y < y1; ++y) {
            const unsigned char* ra = cairo_image_surface_get_data(sa) + y * cairo_image_surface_get_stride(sa);
            const unsigned char* rb = cairo_image_surface_get_data(sb) + y * cairo_image_surface_get_stride(sb);
            for (int x = 0; x < w; ++x) {
                double ga = (ra[4 * x] + ra[4 * x + 1] + ra[4 * x + 2]) / 3.0;
                double gb = (rb[4 * x] + rb[4 * x + 1] + rb[4 * x + 2]) / 3.0;
                sum += std::abs(ga - gb);
                ++count;
            }
        }
        if (count > 0) result = sum / count;
    }
    cairo_surface_destroy(sa);
    cairo_surface_destroy(sb);
    return result;
}

/// The app's window (as xdotool names it) once it shows, or "".
std::string windowOf(pid_t pid) {
    std::string window = output("timeout " + std::to_string(kHang.count()) +
                                " xdotool search --sync --onlyvisible --pid " + std::to_string(pid) + " | head -n 1");
    while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) window.pop_back();
    return window;
}

/// The window's width and height as the X server has them.
std::pair<int, int> sizeOf(const std::string& window) {
    std::string geometry = output("xdotool getwindowgeometry --shell " + window);
    const auto read = [&](const char* key) {
        auto at = geometry.find(key);
        return at == std::string::npos ? 0 : std::atoi(geometry.c_str() + at + std::strlen(key));
    };
    return {read("WIDTH="), read("HEIGHT=")};
}

/// Waits for the app's capture (and the report beside it).
bool awaitShot(const std::string& shot) {
    auto deadline = std::chrono::steady_clock::now() + kHang;
    while (!fs::exists(shot) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return fs::exists(shot);
}

/// The app handles the clicks it is sent in order, but in its own time: a
/// capture is asked for, again and again, until one's report is `wanted`
/// (or only a hang would take longer). The last report, "" for none.
std::string awaitReport(pid_t pid, const std::string& shot, const std::string& wanted) {
    const auto deadline = std::chrono::steady_clock::now() + kHang;
    std::string report;
    do {
        fs::remove(shot);
        fs::remove(shot + ".txt");
        kill(pid, SIGUSR1);
        if (!awaitShot(shot)) return "";
        std::ifstream file(shot + ".txt");
        std::stringstream read;
        read << file.rdbuf();
        report = read.str();
    } while (report != wanted && std::chrono::steady_clock::now() < deadline);
    return report;
}

class RunningApp {
public:
    /// Its standard error goes to `errorPath`; files it writes are held to
    /// `fileSize` bytes when that is given (SIGXFSZ as by default). With no
    /// `shotPath` TELLURANDI_SHOT is not set. With `shotAskedAtStart` a
    /// SIGUSR1 is waiting when it starts (sent, and blocked until the app
    /// lets it through): one that comes before the app can have done anything.
    RunningApp(const std::string& shotPath, const std::string& errorPath, std::optional<rlim_t> fileSize = {},
               bool shotAskedAtStart = false) {
        std::string shotVariable = "TELLURANDI_SHOT=" + shotPath;
        std::vector<char*> env;
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "TELLURANDI_SHOT=", 16) != 0) env.push_back(*e);
        if (!shotPath.empty()) env.push_back(shotVariable.data());
        env.push_back(nullptr);
        char* argv[] = {const_cast<char*>(TELLURANDI_EXE), nullptr};
        pid_ = fork();
        if (pid_ == 0) {
            const int err = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (err < 0 || dup2(err, 2) < 0) _exit(127);
            if (fileSize) {
                const rlimit limit{*fileSize, *fileSize};
                if (signal(SIGXFSZ, SIG_DFL) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
            }
            if (signal(SIGUSR1, SIG_DFL) == SIG_ERR) _exit(127);
            if (shotAskedAtStart) {
                sigset_t shot;
                sigemptyset(&shot);
                sigaddset(&shot, SIGUSR1);
                if (sigprocmask(SIG_BLOCK, &shot, nullptr) != 0 || raise(SIGUSR1) != 0) _exit(127);
            }
            execve(TELLURANDI_EXE, argv, env.data());
            _exit(127);
        }
    }
    ~RunningApp() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;
    pid_t pid() const { return pid_; }
    /// Whether it still runs.
    bool running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }
    /// Asks the app to close as a window manager would; its exit status.
    int quit() {
        kill(pid_, SIGTERM);
        int status = -1;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
};

// The app running with its capture going to `shot` in a fresh folder, and
// its window as xdotool names it.
class AppWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (!haveCommand("xdotool")) GTEST_SKIP() << "xdotool is not installed";
        fs::create_directories(dir);
        running.emplace(shot, errors);
        ASSERT_GT(running->pid(), 0);
        window = windowOf(running->pid());
        ASSERT_FALSE(window.empty()) << "the app's window did not appear";
    }
    void TearDown() override {
        running.reset();
        fs::remove_all(dir);
    }

    const fs::path dir = fs::temp_directory_path() / ("tl_app_window_" + std::to_string(getpid()));
    const std::string shot = (dir / "shot.png").string();
    const std::string errors = (dir / "app.err").string();  // the app's standard error
    std::optional<RunningApp> running;
    std::string window;
};

TEST_F(AppWindow, ClickingFromTheMenuToASecondStepPage) {
    const int width = sizeOf(window).first;
    ASSERT_GT(width, 0);

    // The same app, headless, says where each control is (in points).
    AppDriver mirror;
    const double pointsWide = ui::Screen::main().bounds().width;
    const double k = width / pointsWide;
    auto click = [&](gfx::Point p) {
        std::string command = "xdotool mousemove --window " + window + " " +
                              std::to_string(static_cast<int>(std::lround(p.x * k))) + " " +
                              std::to_string(static_cast<int>(std::lround(p.y * k))) + " click 1";
        ASSERT_EQ(std::system(command.c_str()), 0);
    };
    for (std::string_view title : {"column addition", "4", "5", "I2", "6", "7", "\U0001F914"}) {
        std::optional<gfx::Point> p = ui::locateTitle(mirror.host().window(), title);
        ASSERT_TRUE(p) << title;
        click(*p);
        mirror.tap({title});
    }
    ASSERT_NE(mirror.steps(), nullptr);
    ui::Screen::main().setScale(k);
    std::string firstPage = (dir / "first.png").string();
    ASSERT_TRUE(mirror.host().renderPng(firstPage));
    UniversalEngineView* stepView = mirror.steps()->universalEngineView();
    gfx::Rect b = stepView->bounds();
    click(stepView->convertToWindow({b.width * 0.75, b.height - 10}));
    mirror.next();
    ASSERT_EQ(mirror.page(), 1);
    std::string secondPage = (dir / "second.png").string();
    ASSERT_TRUE(mirror.host().renderPng(secondPage));

    // Once the app shows the second page it has handled every click.
    const auto pages = mirror.steps()->detailSteps.size();
    const std::string second = "screen UniversalEngineVC\npage 2 of " + std::to_string(pages) + "\n";
    ASSERT_EQ(awaitReport(running->pid(), shot, second), second);

    // The comment band (just below the navigation bar) shows the second
    // page's comment as the headless app draws it, not the first page's.
    const double bandTop = 64 + kStepViewInset, bandBottom = bandTop + 40;
    double same = bandDifference(shot, secondPage, bandTop, bandBottom, k);
    double other = bandDifference(shot, firstPage, bandTop, bandBottom, k);
    EXPECT_LT(same, 3.0);
    EXPECT_GT(other, same + 3.0);  // and so the band is not blank either

    EXPECT_EQ(running->quit(), 0);
}

// No window manager runs here to hold the window to its smallest size: the
// app sizes a window made 100 × 100 from outside back to 320 × 480 points,
// and its capture shows the menu laid out as the headless app lays it out at
// that size.
TEST_F(AppWindow, AWindowResizedBelowTheMinimumIsSizedBack) {
    AppDriver mirror;
    // Window coordinates per point; the window's size is rounded to whole
    // coordinates, so sizes are compared to within one.
    const double k = sizeOf(window).first / ui::Screen::main().bounds().width;
    const auto atLeastMinimum = [&](std::pair<int, int> size) {
        return size.first + 1 >= 320 * k && size.second + 1 >= 480 * k;
    };
    ASSERT_EQ(std::system(("xdotool windowsize " + window + " 100 100").c_str()), 0);
    std::pair<int, int> size = sizeOf(window);
    auto deadline = std::chrono::steady_clock::now() + kHang;
    while (!atLeastMinimum(size) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        size = sizeOf(window);
    }
    ASSERT_TRUE(atLeastMinimum(size)) << size.first << " x " << size.second << " at " << k << " per point";

    kill(running->pid(), SIGUSR1);
    ASSERT_TRUE(awaitShot(shot)) << "the app wrote no capture";
    mirror.host().resize({size.first / k, size.second / k});
    ui::Screen::main().setScale(k);
    std::string expected = (dir / "expected.png").string();
    ASSERT_TRUE(mirror.host().renderPng(expected));
    // The navigation bar, its title centred on the width laid out at (the
    // rows below drift by a fraction of a pixel with the scale read above).
    EXPECT_LT(bandDifference(shot, expected, 0, 64, k), 1.0);

    EXPECT_EQ(running->quit(), 0);
}

/// The lines of `path` that start with `start`.
std::vector<std::string> linesStartingWith(const std::string& path, const std::string& start) {
    std::ifstream in(path);
    std::vector<std::string> found;
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(start)) found.push_back(line);
    return found;
}

// A capture that cannot be written whole is not kept: with a folder at the
// report's name or at the picture's own, there is no picture, no report
// and no partial or temporary file, and one line names the folder. Once the
// folder is gone the next capture comes with its report, and nothing more
// is said.
TEST_F(AppWindow, ACaptureComesWithItsReportOrNotAtAll) {
    std::size_t said = 0;
    for (const std::string& blocked : {shot + ".txt", shot}) {
        SCOPED_TRACE(blocked);
        fs::create_directories(blocked + "/taken");
        kill(running->pid(), SIGUSR1);
        // The line is the capture's last act: once it is there, the capture is over.
        auto deadline = std::chrono::steady_clock::now() + kHang;
        while (linesStartingWith(errors, "tellurandi: ").size() == said && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_GT(linesStartingWith(errors, "tellurandi: ").size(), said) << "the app said nothing";
        std::vector<std::string> expected{"app.err", fs::path(blocked).filename().string()};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(entries(dir), expected);

        fs::remove_all(blocked);
        kill(running->pid(), SIGUSR1);
        ASSERT_TRUE(awaitShot(shot)) << "the app wrote no capture";
        // Captures are made one at a time, in order: both have said all they say.
        const std::vector<std::string> lines = linesStartingWith(errors, "tellurandi: ");
        ASSERT_EQ(lines.size(), said + 1) << "the app said more than one line";
        EXPECT_EQ(lines.back(), "tellurandi: " + blocked + ": not a regular file");
        ++said;
        std::ifstream report(shot + ".txt");
        std::string first;
        EXPECT_TRUE(std::getline(report, first) && first.starts_with("screen ")) << first;
        fs::remove(shot);
        fs::remove(shot + ".txt");
    }
    EXPECT_EQ(running->quit(), 0);
}

// A capture asked for just before the app is told to end (SIGUSR1, then
// SIGTERM at once) is written whole, with its report, before the app ends
// with status 0.
TEST(AppCapture, ACaptureAskedForJustBeforeTheEndIsWritten) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (!haveCommand("xdotool")) GTEST_SKIP() << "xdotool is not installed";
    const fs::path dir = fs::temp_directory_path() / ("tl_app_capture_" + std::to_string(getpid()));
    const std::string shot = (dir / "shot.png").string();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        fs::remove_all(dir);
        fs::create_directories(dir);
        RunningApp app(shot, (dir / "app.err").string());
        ASSERT_GT(app.pid(), 0);
        ASSERT_FALSE(windowOf(app.pid()).empty()) << "the app's window did not appear";
        kill(app.pid(), SIGUSR1);
        EXPECT_EQ(app.quit(), 0);
        EXPECT_EQ(entries(dir), (std::vector<std::string>{"app.err", "shot.png", "shot.png.txt"}));
        std::ifstream report(shot + ".txt");
        std::string first;
        EXPECT_TRUE(std::getline(report, first) && first == "screen Strategy_Menu_VC") << first;
    }
    fs::remove_all(dir);
}

// A capture past the file size limit (ulimit -f, SIGXFSZ as by default) is
// one line, "… File too large", and leaves no file; the app goes on and
// ends with status 0 when told to.
TEST(AppCapture, ACapturePastTheFileSizeLimitFailsWithOneLineAndTheAppGoesOn) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (!haveCommand("xdotool")) GTEST_SKIP() << "xdotool is not installed";
    const fs::path dir = fs::temp_directory_path() / ("tl_app_capture_limit_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string shot = (dir / "shot.png").string(), errors = (dir / "app.err").string();
    RunningApp app(shot, errors, rlim_t{20 * 1024});
    ASSERT_GT(app.pid(), 0);
    ASSERT_FALSE(windowOf(app.pid()).empty()) << "the app's window did not appear";
    kill(app.pid(), SIGUSR1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (linesStartingWith(errors, "tellurandi: ").empty() && app.running() &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(linesStartingWith(errors, "tellurandi: "),
              std::vector<std::string>{"tellurandi: cannot write " + shot + ": File too large"});
    EXPECT_TRUE(app.running());
    EXPECT_EQ(app.quit(), 0);
    EXPECT_EQ(entries(dir), std::vector<std::string>{"app.err"});
    fs::remove_all(dir);
}

// SIGUSR1 never ends the app. One that comes while the app starts, before
// it can have done anything, is taken once the window is up: a capture
// with its report, or, without TELLURANDI_SHOT, one line saying it is
// dropped, as for one sent later; the app goes on and ends with status 0
// when told to.
TEST(AppCapture, ASignalAtStartIsTakenOnceTheWindowIsUp) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (!haveCommand("xdotool")) GTEST_SKIP() << "xdotool is not installed";
    const fs::path dir = fs::temp_directory_path() / ("tl_app_early_shot_" + std::to_string(getpid()));
    const std::string shot = (dir / "shot.png").string(), errors = (dir / "app.err").string();
    const std::string dropped = "tellurandi: SIGUSR1 dropped: TELLURANDI_SHOT is not set";
    const struct {
        bool capturing, atStart;
    } cases[] = {{true, true}, {false, true}, {false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.capturing ? "TELLURANDI_SHOT set" : "no TELLURANDI_SHOT") +
                     (c.atStart ? ", SIGUSR1 at start" : ", SIGUSR1 once the window is up"));
        fs::remove_all(dir);
        fs::create_directories(dir);
        RunningApp app(c.capturing ? shot : "", errors, {}, c.atStart);
        ASSERT_GT(app.pid(), 0);
        ASSERT_FALSE(windowOf(app.pid()).empty()) << "the app's window did not appear";
        if (!c.atStart) kill(app.pid(), SIGUSR1);
        if (c.capturing) {
            ASSERT_TRUE(awaitShot(shot)) << "the app wrote no capture";
        } else {
            const auto deadline = std::chrono::steady_clock::now() + kHang;
            while (linesStartingWith(errors, "tellurandi: ").empty() && app.running() &&
                   std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            EXPECT_EQ(linesStartingWith(errors, "tellurandi: "), std::vector<std::string>{dropped});
        }
        ASSERT_TRUE(app.running());
        EXPECT_EQ(app.quit(), 0);
        if (c.capturing) {
            EXPECT_EQ(entries(dir), (std::vector<std::string>{"app.err", "shot.png", "shot.png.txt"}));
            std::ifstream report(shot + ".txt");
            std::string first;
            EXPECT_TRUE(std::getline(report, first) && first == "screen Strategy_Menu_VC") << first;
            EXPECT_EQ(linesStartingWith(errors, "tellurandi: "), std::vector<std::string>{});
        }
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tl
