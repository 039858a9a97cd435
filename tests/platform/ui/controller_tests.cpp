#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/ui/application.hpp"
#include "platform/ui/dispatch.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/storyboard.hpp"
#include "test_scenes.hpp"

using namespace ui;
using test_scenes::DetailVC;
using test_scenes::HomeVC;
using test_scenes::journal;

namespace {

using Controllers = test_scenes::SceneTest;

HomeVC* home(HeadlessHost& host) {
    return dynamic_cast<HomeVC*>(host.window().navigationController()->controllerAt(0));
}

std::string errorOf(const StoryboardDescription& board) {
    try {
        Storyboard s(board);
    } catch (const tl::PreconditionError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

// The source prepares the destination before the destination's view loads,
// and the pushed screen's safe area starts below the status and navigation bars.
TEST_F(Controllers, SeguePreparesBeforeTheDestinationLoads) {
    HeadlessHost host;
    HomeVC* first = home(host);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->sceneName(), "Home");
    EXPECT_EQ(first->panel, first->view()->viewWithTag(7));  // outlet bound before viewDidLoad ran
    EXPECT_EQ(journal().front(), "Home viewDidLoad panel=bound");

    host.tapTitle("Go");
    NavigationController* nav = host.window().navigationController();
    ASSERT_EQ(nav->depth(), 2u);
    auto* detail = dynamic_cast<DetailVC*>(nav->topViewController());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->title(), "Detail");
    std::vector<std::string> expected{"Home viewDidLoad panel=bound", "Home prepare Detail_Segue",
                                      "Detail viewDidLoad note=from home"};
    EXPECT_EQ(journal(), expected);

    EXPECT_EQ(detail->safeAreaLayoutGuide()->insets().top, 20 + kNavigationBarHeight);
    EXPECT_EQ(detail->view()->frame(), host.window().bounds());
    EXPECT_EQ(nav->navigationBar()->backTitle(), "‹ Home");
    // The home screen's view left the window but lives on with its controller.
    EXPECT_EQ(first->view()->window(), nullptr);
    EXPECT_EQ(detail->view()->window(), &host.window());
}

TEST_F(Controllers, UnknownSegueFailsWithItsName) {
    HeadlessHost host;
    try {
        home(host)->performSegue("Nowhere_Segue", nullptr);
        FAIL() << "no error";
    } catch (const tl::PreconditionError& e) {
        EXPECT_NE(std::string(e.what()).find("Nowhere_Segue"), std::string::npos) << e.what();
    }
    EXPECT_EQ(host.window().navigationController()->depth(), 1u);
}

// "Done" pops its own screen from inside its action: the screen survives to
// the end of the dispatch, then goes; the home screen is the same object,
// loaded once, and appears again.
TEST_F(Controllers, BackFromInsideAnActionDestroysThePushedScreenAfterwards) {
    HeadlessHost host;
    HomeVC* first = home(host);
    host.tapTitle("Go");
    EXPECT_EQ(DetailVC::alive, 1);
    int appearances = first->appearances;

    host.tapTitle("Done");
    EXPECT_EQ(DetailVC::alive, 0);
    ASSERT_GE(journal().size(), 2u);
    EXPECT_EQ(journal()[journal().size() - 2], "Detail after pop, note=from home, view whole");
    EXPECT_EQ(journal().back(), "Detail destroyed");

    NavigationController* nav = host.window().navigationController();
    EXPECT_EQ(nav->depth(), 1u);
    EXPECT_EQ(nav->topViewController(), first);
    EXPECT_EQ(first->loads, 1);
    EXPECT_EQ(first->appearances, appearances + 1);
    EXPECT_EQ(first->view()->window(), &host.window());
    EXPECT_EQ(nav->navigationBar()->backTitle(), "");

    // Going again makes a fresh detail screen.
    host.tapTitle("Go");
    EXPECT_EQ(DetailVC::alive, 1);
    EXPECT_TRUE(host.back());
    EXPECT_EQ(DetailVC::alive, 0);
    EXPECT_FALSE(host.back());  // the root screen stays
}

TEST_F(Controllers, TheBarsBackControlGoesBack) {
    HeadlessHost host;
    host.tapTitle("Go");
    NavigationBar* bar = host.window().navigationController()->navigationBar();
    gfx::Rect back = bar->backControlFrame();
    ASSERT_FALSE(back.isEmpty());
    EXPECT_EQ(back.y, 20);
    EXPECT_EQ(back.height, kNavigationBarHeight);
    // A touch that leaves the control before it ends does nothing.
    Window& w = host.window();
    w.sendTouch({back.x + 5, back.y + 10}, TouchPhase::began);
    w.sendTouch({300, back.y + 10}, TouchPhase::moved);
    w.sendTouch({300, back.y + 10}, TouchPhase::ended);
    EXPECT_EQ(DetailVC::alive, 1);
    host.tapTitle("‹ Home");
    EXPECT_EQ(DetailVC::alive, 0);
}

namespace {
struct RecordingDelegate : ApplicationDelegate {
    static inline std::vector<std::string> events;
    bool didFinishLaunching(Application&) override {
        events.push_back(window ? "launched with window" : "launched without window");
        return true;
    }
    void didBecomeActive(Application&) override { events.push_back("active"); }
    void willResignActive(Application&) override { events.push_back("resign"); }
    void didEnterBackground(Application&) override { events.push_back("background"); }
    void willEnterForeground(Application&) override { events.push_back("foreground"); }
    void willTerminate(Application&) override { events.push_back("terminate"); }
    bool performAction(std::string_view action, Responder*) override {
        events.push_back("delegate got " + std::string(action));
        return true;
    }
};
}  // namespace

// The chain runs button → … → screen → navigation → window → application →
// delegate; the life-cycle events reach the delegate once each.
TEST_F(Controllers, ApplicationDelegateEndsTheChainAndHearsTheLifeCycle) {
    registerApplicationDelegate<RecordingDelegate>("RecordingDelegate");
    RecordingDelegate::events.clear();
    {
        HeadlessHost host("RecordingDelegate");
        EXPECT_EQ(Application::shared(), &host.application());
        auto* stray = test_scenes::addButton(*home(host)->view(), "Stray", {200, 300, 100, 44});
        stray->addTarget(nullptr, "unanswered");
        host.tapTitle("Stray");

        std::vector<Responder*> chain;
        for (Responder* r = stray; r; r = r->nextResponder()) chain.push_back(r);
        ASSERT_GE(chain.size(), 6u);
        EXPECT_EQ(chain[1], home(host)->view());
        EXPECT_EQ(chain[2], home(host));
        EXPECT_EQ(chain[chain.size() - 3], &host.window());
        EXPECT_EQ(chain[chain.size() - 2], &host.application());
        EXPECT_EQ(chain.back(), host.application().delegate());

        host.application().enterBackground();
        host.application().enterBackground();
        host.application().becomeActive();
    }
    std::vector<std::string> expected{"launched with window", "active",     "delegate got unanswered",
                                      "resign",               "background", "foreground",
                                      "active",               "resign",     "terminate"};
    EXPECT_EQ(RecordingDelegate::events, expected);
    EXPECT_EQ(Application::shared(), nullptr);
}

TEST_F(Controllers, LaunchFailsLoudlyWithoutStoryboardOrWithAnUnknownDelegate) {
    EXPECT_THROW(HeadlessHost("NoSuchDelegate"), tl::PreconditionError);
    Storyboard::clearMain();
    EXPECT_THROW(HeadlessHost(), tl::PreconditionError);
    EXPECT_EQ(Application::shared(), nullptr);
}

// Each broken reference is reported with the name that is wrong.
TEST_F(Controllers, StoryboardValidationNamesWhatIsMissing) {
    EXPECT_EQ(errorOf(test_scenes::storyboard()), "no error");
    struct Case {
        const char* named;
        void (*breakIt)(StoryboardDescription&);
    };
    const Case cases[] = {
        {"\"Missing_VC\"", [](StoryboardDescription& b) { b.scenes[1].className = "Missing_VC"; }},
        {"\"Nowhere\"", [](StoryboardDescription& b) { b.scenes[0].segues["Lost_Segue"] = "Nowhere"; }},
        {"\"tableView\"", [](StoryboardDescription& b) { b.scenes[0].views[0].outlet = "tableView"; }},
        {"\"Card_View\"", [](StoryboardDescription& b) { b.scenes[0].views[0].className = "Card_View"; }},
        {"\"panel\"",  // DetailVC has no outlets
         [](StoryboardDescription& b) { b.scenes[1].views.push_back(test_scenes::sceneView("View", "panel")); }},
        {"\"Start\"", [](StoryboardDescription& b) { b.initialScene = "Start"; }},
        {"\"Home\"", [](StoryboardDescription& b) { b.scenes.push_back(b.scenes[0]); }},
    };
    for (const Case& c : cases) {
        auto board = test_scenes::storyboard();
        c.breakIt(board);
        std::string error = errorOf(board);
        EXPECT_NE(error.find(c.named), std::string::npos) << c.named << ": " << error;
    }
}

namespace {
struct CardFront : View {};
struct CardBack : View {};
struct CardVC : ViewController {
    CardFront* front = nullptr;
};
}  // namespace

TEST_F(Controllers, OutletsAcceptOnlyTheirClass) {
    registerView<CardFront>("CardFront");
    registerView<CardBack>("CardBack");
    registerViewController<CardVC>("CardVC").outlet("front", &CardVC::front);
    StoryboardDescription board{{test_scenes::scene("Card", "CardVC")}, "Card"};
    board.scenes[0].views.push_back(test_scenes::sceneView("CardBack", "front"));
    EXPECT_NE(errorOf(board).find("\"CardBack\""), std::string::npos) << errorOf(board);

    board.scenes[0].views[0].className = "CardFront";
    board.scenes[0].views[0].alpha = 0;
    board.scenes[0].views[0].tag = 2;
    Storyboard storyboard(board);
    auto controller = storyboard.instantiate("Card");
    auto* card = dynamic_cast<CardVC*>(controller.get());
    EXPECT_EQ(card->front, nullptr);  // bound when the view loads
    card->view();
    ASSERT_NE(card->front, nullptr);
    EXPECT_EQ(card->front->tag(), 2);
    EXPECT_EQ(card->front->alpha(), 0);
    EXPECT_EQ(card->front->superview(), card->view());
}

// A controller made in code, without a navigation controller, cannot segue.
TEST_F(Controllers, ControllersMadeInCodeLoadOnceAndCannotSegue) {
    struct Counting : ViewController {
        int loads = 0;
        void viewDidLoad() override { ++loads; }
    } vc;
    EXPECT_FALSE(vc.isViewLoaded());
    EXPECT_EQ(vc.safeAreaLayoutGuide()->insets().top, 20);
    EXPECT_TRUE(vc.isViewLoaded());
    vc.view();
    EXPECT_EQ(vc.loads, 1);
    EXPECT_EQ(vc.view()->backgroundColor(), gfx::palette::white);
    EXPECT_THROW(vc.performSegue("Any_Segue", nullptr), tl::PreconditionError);
}

TEST(Dispatch, RetiredObjectsLiveUntilTheOutermostScopeEnds) {
    struct Probe : Responder {
        bool* dead;
        explicit Probe(bool* d) : dead(d) {}
        ~Probe() override { *dead = true; }
    };
    bool dead = false;
    {
        DispatchScope outer;
        {
            DispatchScope inner;
            destroyAfterDispatch(std::make_unique<Probe>(&dead));
        }
        EXPECT_FALSE(dead);
    }
    EXPECT_TRUE(dead);
    dead = false;
    destroyAfterDispatch(std::make_unique<Probe>(&dead));
    EXPECT_TRUE(dead);
}
