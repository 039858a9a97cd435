// The command line of tellurandi-steps and its table of builders.
#include <set>
#include <string_view>

#include <gtest/gtest.h>

#include "command_line.hpp"
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
