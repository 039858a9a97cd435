// Drawing when memory is short: GLib's fatal errors end the process with one
// line and remove the files being written; a picture without room beside it
// is refused rather than drawn.
#include "platform/gfx/drawing_memory.hpp"

#include <glib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "base/files.hpp"

namespace {

namespace fs = std::filesystem;

// Each death test below starts its process afresh rather than forking this
// one: Pango's helper threads of the tests before may still be running (on a
// busy machine they often are), and a fork taken while one holds a lock
// leaves that lock held for good in the child.
void startDeathTestsAfresh() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

// A fatal error of GLib's (say, a helper thread that cannot be started) ends
// the process with status 1 and one line naming the program, control
// characters shown as "?"; every file a signal would remove is removed first.
TEST(DrawingMemory, AFatalErrorEndsWithOneLineAndRemovesWhatIsBeingWritten) {
    startDeathTestsAfresh();
    // Named by this process, and the same name in the death test's own.
    const char* const kAside = "TL_FATAL_ASIDE";
    if (!std::getenv(kAside))
        setenv(kAside, (fs::temp_directory_path() / ("tl_fatal_" + std::to_string(getpid()))).c_str(), 1);
    const fs::path aside = std::getenv(kAside);
    EXPECT_EXIT(
        {
            gfx::prepareForDrawing("some-program");
            std::ofstream(aside) << "half a picture";
            const tl::RemovedOnSignal kept(aside.string());
            g_error("creating thread '[pango] FcFontSetSort': %s\n%s", "Resource temporarily unavailable", "more");
        },
        ::testing::ExitedWithCode(1),
        "^some-program: creating thread '\\[pango\\] FcFontSetSort': Resource temporarily unavailable\\?more\n$");
    EXPECT_FALSE(fs::exists(aside));
    fs::remove(aside);
}

// A long message is cut short after about 300 bytes, still one line.
TEST(DrawingMemory, AFatalErrorsLineIsBounded) {
    startDeathTestsAfresh();
    EXPECT_EXIT(
        {
            gfx::prepareForDrawing("p");
            g_error("%s", std::string(100000, 'x').c_str());
        },
        ::testing::ExitedWithCode(1), "^p: x{300}…\n$");
}

// Fonts are loaded once, and a picture is drawn whole when there is room.
TEST(DrawingMemory, DrawsWhenThereIsRoom) {
    gfx::prepareForDrawing("test");
    gfx::prepareForDrawing("test");
    gfx::ImageSurface image(40, 20, 2);
    bool drawn = false;
    EXPECT_EQ(gfx::drawChecked(image,
                               [&](gfx::Context& context) {
                                   context.showText("0 + 1 = 1 🤔", {2, 15}, gfx::Font::system(12), {0, 0, 0, 1});
                                   drawn = true;
                               }),
              "");
    EXPECT_TRUE(drawn);
    const auto draw = [](gfx::Context& context) {
        context.showText("2 − 1", {0, 10}, gfx::Font::monospaced(9), {0, 0, 0, 1});
    };
    EXPECT_EQ(gfx::loadFontsFor(draw, 2), "");
    // Running out of memory on the way refuses the picture too.
    EXPECT_EQ(gfx::drawChecked(image, [](gfx::Context&) { throw std::bad_alloc(); }), "out of memory");
}

// In a child: draws with no headroom left and prints what drawChecked said.
[[noreturn]] void drawWithoutRoom() {
    gfx::prepareForDrawing("test");
    gfx::ImageSurface image(10, 10, 1);
    // What is mapped now, and a little: the headroom cannot be had.
    std::size_t mapped = 0;
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        const auto dash = line.find('-'), space = line.find(' ');
        mapped += std::stoull(line.substr(dash + 1, space - dash - 1), nullptr, 16) -
                  std::stoull(line.substr(0, dash), nullptr, 16);
    }
    const rlimit limit{mapped + (std::size_t{4} << 20), RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
    bool drawn = false;
    const std::string why = gfx::drawChecked(image, [&](gfx::Context&) { drawn = true; });
    std::fprintf(stderr, "%s|%d\n", why.c_str(), drawn);
    _exit(0);
}

// Without the headroom beside the image nothing is drawn and the picture is
// refused as "out of memory".
TEST(DrawingMemory, RefusesAPictureWithoutRoomBesideIt) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#endif
    startDeathTestsAfresh();
    EXPECT_EXIT(drawWithoutRoom(), ::testing::ExitedWithCode(0), "^out of memory\\|0\n$");
}

}  // namespace
