#include "steps_tool.hpp"

#include <exception>
#include <new>
#include <ostream>

#include "algebra/factoring.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "base/usage.hpp"
#include "command_line.hpp"
#include "common/dump.hpp"
#include "common/table_text.hpp"
#include "page_images.hpp"

namespace tl::steps_tool {

namespace {

// How --text shows a line break.
constexpr std::string_view kLineBreak = " / ";

int fail(std::ostream& err, int status, std::string_view message) {
    err << "tellurandi-steps: " << oneLine(message, "\\n") << "\n";
    return status;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::function<void()>& readyToDraw) {
    if (args.empty()) {
        err << usageText();
        return 2;
    }
    std::string error;
    const auto line = parseCommandLine(args, error);
    if (!line) return fail(err, 2, error);
    if (line->list) {
        out << usageText();
        return 0;
    }
    const std::string name(line->entry->name);
    StepTriple solution;
    try {
        const RootSearchScope scope;  // every rational root search of the entry shares one allowance
        solution = line->entry->run(line->input);
    } catch (const OperandError& e) {
        return fail(err, 2, name + ": " + e.what());
    } catch (const PreconditionError& e) {
        return fail(err, 1, name + " refused its input: " + e.what());
    }
    switch (line->output) {
        case Output::json:
            writeTriple(out, solution);
            out << "\n";
            break;
        case Output::text: out << solutionText(solution); break;
        case Output::png:
            if (readyToDraw) readyToDraw();
            if (!writePageImages(solution, {line->pngDirectory, line->screenWidth, line->screenHeight}, error))
                return fail(err, 1, error);
            break;
    }
    return 0;
}

}  // namespace

int runStepsTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::function<void()>& readyToDraw) {
    int status = 1;
    try {
        status = run(args, out, err, readyToDraw);
    } catch (const std::bad_alloc&) {
        return fail(err, 1, "out of memory");
    } catch (const std::exception& e) {
        return fail(err, 1, e.what());  // "cannot load the fonts: …", say
    } catch (...) {
        return fail(err, 1, "failed");
    }
    // Output lost on the way (a full disk, say) is a failure, not a success.
    return finishOutput("tellurandi-steps", status, out, err);
}

std::string solutionText(const StepTriple& solution) {
    std::string text;
    for (std::size_t page = 0; page < solution.steps.size(); ++page) {
        std::string comment;
        if (page < solution.comments.size())
            for (const std::string& line : solution.comments[page]) comment += (comment.empty() ? "" : "\n") + line;
        text += "page " + std::to_string(page + 1) + ": " + oneLine(comment, kLineBreak) + "\n";
        for (const Engine_Table& table : solution.steps[page]) text += oneLine(tableText(table), kLineBreak) + "\n";
    }
    return text;
}

}  // namespace tl::steps_tool
