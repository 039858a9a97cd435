// The command line of tellurandi-steps, its table of builders and its pictures.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string_view>
#include <unistd.h>

#include <gtest/gtest.h>

#include "command_line.hpp"
#include "page_images.hpp"
#include "step_builders.hpp"

using namespace tl;
using namespace tl::steps_tool;
using Args = std::vector<std::string>;

namespace {

std::optional<CommandLine> parse(const Args& args) {
    std::string error;
    auto line = parseCommandLine(args, error);
    if (!line) {
        EXPECT_FALSE(error.empty());
    }
    return line;
}

}  // namespace

TEST(StepsToolCommandLine, FieldsAndOptionRows) {
    const auto line = parse({"multiplyLatticeSteps", "23", "45", "--option", " top ", "--option", " left ", "--row",
                             "--option", " row ", "--option", " flyback "});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->builder, "multiplyLatticeSteps");
    EXPECT_EQ(line->fields.inputs, (std::vector<std::vector<std::vector<std::string>>>{{{"23", "45"}}}));
    EXPECT_EQ(line->fields.options, (std::vector<std::vector<std::string>>{{" top ", " left "}, {" row ", " flyback "}}));
    EXPECT_FALSE(line->pngDirectory);

    // Fields may look like negative numbers; after "--" even "--row" is a field.
    const auto signs = parse({"addColumnSteps", "-5", "--", "--row"});
    ASSERT_TRUE(signs);
    EXPECT_EQ(signs->fields.inputs[0][0], (Args{"-5", "--row"}));
    EXPECT_TRUE(signs->fields.options.empty());

    // An option row may be left empty on purpose.
    EXPECT_EQ(parse({"x", "--row", "--option", "a"})->fields.options, (std::vector<std::vector<std::string>>{{}, {"a"}}));

    const auto png = parse({"addColumnSteps", "1", "2", "--png", "out", "--screen", "1024x768"});
    ASSERT_TRUE(png);
    EXPECT_EQ(png->pngDirectory, "out");
    EXPECT_EQ(png->screenWidth, 1024);
    EXPECT_EQ(png->screenHeight, 768);
    EXPECT_EQ(parse({"addColumnSteps", "1", "2"})->screenWidth, 390);
}

TEST(StepsToolCommandLine, RejectsMalformedArguments) {
    for (const Args& bad : {Args{}, Args{"addColumnSteps", "1", "--option"}, Args{"addColumnSteps", "--screen", "10"},
                            Args{"addColumnSteps", "--screen", "0x5"}, Args{"addColumnSteps", "--screen", "x"},
                            Args{"addColumnSteps", "--colour"}}) {
        std::string error;
        EXPECT_FALSE(parseCommandLine(bad, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(StepsToolBuilders, EveryBuilderRunsOnItsUsualOptions) {
    ModelFields fields;
    fields.inputs = {{{"57", "38"}}};
    fields.options = {{" left to right ", " left "}, {" row ", " flyback "}};
    std::set<std::string_view> names;
    for (const auto& entry : stepBuilders()) {
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_EQ(findStepBuilder(entry.name), &entry);
        const StepTriple t = entry.run(fields);
        ASSERT_FALSE(t.comments.empty()) << entry.name;
        EXPECT_EQ(t.comments.back(), std::vector<std::string>{"\U0001F60E"}) << entry.name;
    }
    for (const char* name : {"addColumnSteps", "addPartialSteps", "subtractPartialSteps", "addTradeSteps",
                             "subtractTradeSteps", "subtractTradeFirstSteps", "subtractCountSteps"})
        EXPECT_TRUE(findStepBuilder(name)) << name;
    EXPECT_FALSE(findStepBuilder("addcolumnsteps"));
}

// The pictures show each page where the step screen puts it: below the status
// and navigation bars, five points in from every edge.
TEST(StepsToolPictures, OneFilePerPageInTheStepScreensFrame) {
    EXPECT_EQ(stepViewFrame({390, 844}), (gfx::Rect{5, 69, 380, 770}));

    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("tl_steps_pictures_" + std::to_string(getpid()));
    fs::remove_all(dir);
    ModelFields fields;
    fields.inputs = {{{"58", "67"}}};
    const StepTriple solution = findStepBuilder("addColumnSteps")->run(fields);
    std::string error;
    ASSERT_TRUE(writePageImages(solution, {dir / "column"}, error)) << error;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / "column")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"page-01.png", "page-02.png", "page-03.png", "page-04.png",
                                               "page-05.png", "page-06.png", "page-07.png"}));

    // A directory that cannot be made is reported, not passed over.
    std::ofstream(dir / "file") << "x";
    EXPECT_FALSE(writePageImages(solution, {dir / "file" / "below"}, error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    // So is a page without its comment entry.
    StepTriple missing = solution;
    missing.comments.pop_back();
    EXPECT_FALSE(writePageImages(missing, {dir / "short"}, error));
    EXPECT_NE(error.find("page 7"), std::string::npos) << error;
    fs::remove_all(dir);
}
