#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/gfx/fake_fonts.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/storyboard.hpp"
#include "script.hpp"
#include "support/own_temporary_path.hpp"

using namespace std::string_literals;

namespace {

int gSecondScreens = 0;

void addGo(ui::View& into, gfx::Rect frame, const char* title) {
    auto* go = into.add(std::make_unique<ui::Button>(frame));
    go->setTitle(title);
    go->addTarget(nullptr, "go");
}

class FirstVC : public ui::ViewController {
public:
    void viewDidLoad() override {
        addGo(*view(), {20, 100, 100, 40}, "Go");
        // Lower down, on a 300x500 screen: buttons seen in part, not at all
        // (outside their holder) or covered, and titles with blanks or in a label.
        addGo(*view(), {160, 480, 100, 40}, "Edge");
        auto* holder = view()->add(std::make_unique<ui::View>(gfx::Rect{0, 300, 300, 100}));
        addGo(*holder, {20, 90, 100, 40}, "Peeking");
        addGo(*holder, {160, 120, 100, 40}, "Gone");
        addGo(*view(), {20, 200, 100, 40}, " Padded ");
        addGo(*view(), {160, 200, 100, 40}, "code");
        view()->add(std::make_unique<ui::Label>(gfx::Rect{160, 200, 100, 40}))->setText(" Shown ");
        addGo(*view(), {20, 250, 100, 40}, "Covered");
        view()->add(std::make_unique<ui::View>(gfx::Rect{10, 245, 120, 50}));
    }
    bool performAction(std::string_view action, ui::Responder* sender) override {
        if (action != "go") return false;
        performSegue("Second_Segue", sender);
        return true;
    }
};

class SecondVC : public ui::ViewController {
public:
    SecondVC() { ++gSecondScreens; }
    void viewDidLoad() override { view()->setBackgroundColor(gfx::palette::red); }
};

class Shots : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Screen::main().reset();
        ui::registerViewController<FirstVC>("ShotFirstVC");
        ui::registerViewController<SecondVC>("ShotSecondVC");
        ui::StoryboardDescription board;
        board.scenes.resize(2);
        board.scenes[0].name = "First";
        board.scenes[0].className = "ShotFirstVC";
        board.scenes[0].segues["Second_Segue"] = "Second";
        board.scenes[1].name = "Second";
        board.scenes[1].className = "ShotSecondVC";
        board.initialScene = "First";
        ui::Storyboard::setMain(board);
        gSecondScreens = 0;
    }
    void TearDown() override {
        ui::Storyboard::clearMain();
        ui::Screen::main().reset();
    }
    int run(const std::string& script) {
        std::istringstream in(script);
        errors.str("");
        return shot::runScript(in, "", errors);
    }
    gfx::ScopedFakeFonts fonts;
    std::ostringstream errors;
};

std::string temp(const std::string& name) {
    return tl::testing::ownTemporaryPath("tl_shot_" + name).string();
}

// The PNG's pixel size and the colour of its centre.
std::pair<int, unsigned> pngInfo(const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    std::pair<int, unsigned> info{-1, 0};
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        const unsigned char* p = cairo_image_surface_get_data(s) + (h / 2) * cairo_image_surface_get_stride(s) + 4 * (w / 2);
        info = {w * 10000 + h, (unsigned(p[2]) << 16) | (unsigned(p[1]) << 8) | p[0]};
    }
    cairo_surface_destroy(s);
    return info;
}

}  // namespace

TEST_F(Shots, AScriptDrivesTheAppAndWritesScreenshots) {
    std::string first = temp("first.png"), second = temp("second.png");
    std::string script = "# a walk through the demo\n"
                         "screen 300x500 1.5\n"
                         "\n"
                         "shot " + first + "\n"
                         "tap-title Go\n"
                         "wait 0.25\n"
                         "shot " + second + "\n"
                         "back\n"
                         "tap 70 120\n";
    EXPECT_EQ(run(script), 0) << errors.str();
    EXPECT_EQ(gSecondScreens, 2);  // by title, then again by point after going back
    EXPECT_EQ(pngInfo(first), (std::pair<int, unsigned>{450 * 10000 + 750, 0xffffffu}));
    EXPECT_EQ(pngInfo(second), (std::pair<int, unsigned>{450 * 10000 + 750, 0xff0000u}));
    std::remove(first.c_str());
    std::remove(second.c_str());
}

// The first failing line stops the script and is reported by number.
TEST_F(Shots, MistakesAreReportedWithTheirLine) {
    struct Case {
        std::string script, message;
    } cases[] = {
        {"tap 10 20\njump\n", "line 2: unknown command \"jump\""},
        {"tap 10 x\n", "line 1: \"x\" is not a number"},
        {"tap 10\n", "line 1: tap takes 2 arguments"},
        {"screen 300by500\n", "line 1: screen size \"300by500\" is not WxH"},
        {"screen 0x500\n", "line 1: screen size out of range: 0x500"},
        {"wait -1\n", "line 1: wait needs a time that is not negative"},
        {"back\n", "line 1: back: this is the first screen"},
        {"\n\ntap-title Stop\n", "line 3: nothing titled \"Stop\" is visible"},
        {"shot /nonexistent-dir/a.png\n", "line 1: cannot write /nonexistent-dir/a.png: No such file or directory"},
        {"shot " + std::filesystem::temp_directory_path().string() + "\n",
         "line 1: " + std::filesystem::temp_directory_path().string() + ": not a regular file"},
        {"ju\rmp\x1b[2J\n", "line 1: unknown command \"ju?mp?[2J\""},
        // NUL is a control character like any other.
        {"ju\0mp\n"s, "line 1: unknown command \"ju?mp\""},
        {"screen 300x500\ntap-title G\0o\n"s, "line 2: nothing titled \"G?o\" is visible"},
        {"shot a\0.png\n"s, "line 1: cannot write a?.png: a file name holds no NUL character"},
        // A tap goes inside the window, or nowhere.
        {"screen 300x500\ntap 300 20\n", "line 2: tap 300 20 is outside the window (300x500)"},
        {"screen 300x500\ntap -0.5 20\n", "line 2: tap -0.5 20 is outside the window (300x500)"},
        // Only the first 200 characters of a long text are quoted.
        {"tap-title " + std::string(1000000, 'x') + "\n", "line 1: nothing titled \"" + std::string(200, 'x') + "\u2026\" is visible"},
        {"tap 1 " + std::string(5000, '9') + "x\n", "line 1: \"" + std::string(200, '9') + "\u2026\" is not a number"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.script), 1) << c.script;
        EXPECT_EQ(errors.str(), c.message + "\n") << c.script;
    }
    EXPECT_EQ(gSecondScreens, 0);
}

// Lines are read whole up to 1 MB, in pieces or not; a longer one is refused
// (status 2) and not read to its end.
TEST_F(Shots, LinesAreReadUpTo1MB) {
    const std::size_t mb = std::size_t{1} << 20;
    const auto comment = [](std::size_t length) { return "#" + std::string(length - 1, '-') + "\n"; };
    struct Case {
        std::string script;
        int status;
        std::string message;
    } cases[] = {
        {comment(4094) + comment(4095) + comment(4096) + comment(4097) + comment(8191) + "jump\n", 1,
         "line 6: unknown command \"jump\""},
        {comment(4095) + "jump", 1, "line 2: unknown command \"jump\""},
        {comment(mb) + "jump\n", 1, "line 2: unknown command \"jump\""},
        {"\n" + comment(mb + 1) + "jump\n", 2, "line 2: longer than 1 MB (1048576 bytes)"},
        {comment(mb), 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.script), c.status) << c.script.size();
        EXPECT_EQ(errors.str(), c.message.empty() ? "" : c.message + "\n") << c.script.size();
    }
    std::istringstream zeros(std::string(8 * mb, '\0'));  // as /dev/zero starts
    EXPECT_EQ(shot::runScript(zeros, "", errors), 2);
    EXPECT_EQ(errors.str(), "line 1: longer than 1 MB (1048576 bytes)\n");
    EXPECT_LT(zeros.tellg(), std::streamoff(mb + 8192));
}

// A tap by title goes to the part of the control that can be seen and
// touched, or the script fails on that line.
TEST_F(Shots, TapsByTitleLandOrFail) {
    for (const auto& [title, status] : {std::pair{"Edge", 0}, {"Peeking", 0}, {"Padded", 0}, {"Shown", 0},
                                        {"Gone", 1}, {"Covered", 1}}) {
        gSecondScreens = 0;
        EXPECT_EQ(run(std::string("screen 300x500\ntap-title ") + title + "\n"), status) << title;
        EXPECT_EQ(errors.str(), status ? "line 2: nothing titled \"" + std::string(title) + "\" is visible\n" : "");
        EXPECT_EQ(gSecondScreens, 1 - status) << title;
    }
}
