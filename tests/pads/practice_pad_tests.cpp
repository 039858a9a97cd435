// The practice pad and its display, with a fake source of examples.
#include "pad_test_support.hpp"
#include "pads/practice_io_view.hpp"
#include "pads/practice_pad_view.hpp"

using namespace tl;
using namespace pad_test;

namespace {

class PracticePad : public PadTest {};

ui::AttributedText line(const std::string& text) { return ui::AttributedText{{ui::TextRun{text, {}, {}}}}; }

// Answers level L, request n with lines "L<L>.<j>" and the table [[L, n]].
class FakeExamples : public IntegerPracticeDataSource, public IntegerDelegate {
public:
    std::optional<Examples> examplesRequested(std::int64_t level, const StringGrid& options,
                                              const StringGrid& multiLine) override {
        requests.push_back({level, options, multiLine});
        if (!answer) return std::nullopt;
        std::vector<ui::AttributedText> lines;
        for (int j = 0; j < lineCount; ++j) {
            std::string text = "L";
            text += std::to_string(level) + "." + std::to_string(j);
            lines.push_back(line(text));
        }
        return Examples{lines, PadTables{{{std::to_string(level), std::to_string(requests.size())}}}};
    }
    void stepsRequested(const PadTables& inputs, const StringGrid& options, const StringGrid& multiLine) override {
        sent.push_back({inputs, options, multiLine});
    }
    struct Request {
        std::int64_t level;
        StringGrid options, multiLine;
    };
    bool answer = true;
    int lineCount = 3;
    std::vector<Request> requests;
    std::vector<Steps> sent;
};

std::unique_ptr<UniversalIntegerPracticePadView> practicePad(std::vector<std::string> info, PadTables multiLine,
                                                             PadTables options, StringGrid flush,
                                                             std::vector<std::string> levels, int examples) {
    return std::make_unique<UniversalIntegerPracticePadView>(
        gfx::Rect{}, info, multiLine, options, OptionDefaults{}, flush, levels,
        std::vector<ui::AttributedText>(examples, line("example")), PadTables{{{"1", "2"}}});
}

}  // namespace

TEST_F(PracticePad, LevelsAndMarkedOptionRowsRefreshTheExamples) {
    FakeExamples source;
    Hosted host({320, 600}, practicePad({"a", "b"}, {{{"m1", "m2"}}}, {{{" x ", " y "}, {" p ", " q "}}},
                                        {{"YES", "NO"}}, {"easy", "mid", "hard"}, 3));
    host.pad->setDataSource(&source);
    host.pad->setDelegate(&source);
    press(host.root, {"🤔", "L5123"});  // done first: the tables given at creation
    EXPECT_EQ(host.pad->levelSelection(), 5123);
    expectSelected(host.root, {5123}, {5121});
    EXPECT_EQ(text(host.root, 6147), "L2.2");
    // The chosen level again still asks; a marked row asks even when its
    // choice stays; an unmarked row and a multi-line caption never ask.
    press(host.root, {"L5123", "O4098", "O4098", "O4106", "M3074", "🤔"});
    ASSERT_EQ(source.requests.size(), 4u);
    EXPECT_EQ(source.requests[2].level, 2);
    EXPECT_EQ(source.requests[2].options, (StringGrid{{" y ", " p "}}));
    EXPECT_EQ(source.requests[2].multiLine, (StringGrid{{"m1"}}));
    ASSERT_EQ(source.sent.size(), 2u);
    EXPECT_EQ(source.sent[0].inputs, (PadTables{{{"1", "2"}}}));
    EXPECT_EQ(source.sent[1].inputs, (PadTables{{{"2", "4"}}}));
    EXPECT_EQ(source.sent[1].options, (StringGrid{{" y ", " q "}}));
    EXPECT_EQ(source.sent[1].multiLine, (StringGrid{{"m2"}}));
}

TEST_F(PracticePad, MissingPartsAreSkippedNotFatal) {
    FakeExamples source;
    // No level line: a marked row refreshes with level 0, not -5121.
    Hosted host({320, 600}, practicePad({"a"}, {}, {{{" x ", " y "}, {" p ", " q "}}}, {{"YES"}}, {}, 3));
    press(host.root, {"O4098"});  // no data source yet: the choice moves, no refresh
    EXPECT_EQ(colour(host.root, 4098), kGreen);
    host.pad->setDataSource(&source);
    press(host.root, {"O4097", "O4106"});  // the second row has no flush entry: not "YES"
    ASSERT_EQ(source.requests.size(), 1u);
    EXPECT_EQ(source.requests[0].level, 0);

    source.answer = false;  // no answer: examples and tables stay
    press(host.root, {"O4098"});
    EXPECT_EQ(text(host.root, 6145), "L0.0");
    EXPECT_EQ(host.pad->inputs(), (PadTables{{{"0", "1"}}}));

    source.answer = true;
    source.lineCount = 1;  // too few lines: the rest are blanked
    press(host.root, {"O4097"});
    EXPECT_EQ(text(host.root, 6145), "L0.0");
    EXPECT_EQ(text(host.root, 6147), "");
}

TEST_F(PracticePad, PanelHeightsFollowTheRowUnits) {
    // Two prompt lines, one option group, three examples: the display is
    // (1 + 0 + 3 + 2) / 1 = 6 times the prompt panel, 10 points below it.
    Hosted host({320, 710}, practicePad({"a", "b"}, {}, {{{" x ", " y "}}}, {}, {"1", "2"}, 3));
    EXPECT_NEAR(frameIn(*host.pad->subviews()[0]).height, 100, 1e-6);
    EXPECT_NEAR(frameIn(*host.pad->subviews()[1]).y, 110, 1e-6);
    // No prompt lines: the panel takes no height instead of dividing by zero.
    Hosted bare({320, 500}, practicePad({}, {}, {{{" x "}}}, {}, {}, 1));
    EXPECT_NEAR(frameIn(*bare.pad->subviews()[1]).height, 490, 1e-6);
}

TEST_F(PracticePad, DisplayStacksChoiceLinesExamplesAndDoneKey) {
    // Two multi-line tables, an option group of rows of three and two
    // choices, three levels, two examples: 4 lines of h, examples 10 below,
    // the done key 2h: 8h + 35 in all.
    const double W = 330, h = 30, H = 8 * h + 35;
    Hosted host({W, H}, std::make_unique<UniversalIntegerPracticeIOView>(
                            gfx::Rect{}, PadTables{{{"a"}}, {{"b", "c"}}}, PadTables{{{"1", "2", "3"}, {"4", "5"}}},
                            OptionDefaults{}, std::vector<std::string>{"easy", "mid", "hard"},
                            std::vector<ui::AttributedText>{line("e0"), line("e1")}));
    EXPECT_NEAR(frameIn(label(host.root, 3073)).width, W, 1e-6);
    const gfx::Rect lastChoice = frameIn(label(host.root, viewTag(0, 1, 1, Tag::option)));
    EXPECT_NEAR(lastChoice.x, W - (W - 3 * 5 - 10) / 5, 1e-6);
    EXPECT_NEAR(lastChoice.y, 2 * (h + 5), 1e-6);
    EXPECT_NEAR(frameIn(label(host.root, 5123)).width, (W - 10) / 3, 1e-6);
    EXPECT_EQ(colour(host.root, 5121), kGreen);
    EXPECT_NEAR(frameIn(label(host.root, 6145)).y, 4 * h + 15 + 10, 1e-6);
    const gfx::Rect done = frameIn(*button(host.root, "🤔"));
    EXPECT_NEAR(done.height, 2 * h, 1e-6);
    EXPECT_NEAR(done.maxY(), H, 1e-6);
    EXPECT_NEAR(done.x + done.width / 2, W / 2, 1e-6);
    // Empty lists close up: the done key alone fills the display.
    Hosted empty({200, 100}, std::make_unique<UniversalIntegerPracticeIOView>(
                                 gfx::Rect{}, PadTables{}, PadTables{}, OptionDefaults{}, std::vector<std::string>{},
                                 std::vector<ui::AttributedText>{}));
    EXPECT_NEAR(frameIn(*button(empty.root, "🤔")).height, 100, 1e-6);
}
