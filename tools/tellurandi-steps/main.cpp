// tellurandi-steps: runs any step builder by name and prints the solution as
// JSON (see command_line.hpp for the arguments).
#include <iostream>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "command_line.hpp"
#include "common/dump.hpp"
#include "page_images.hpp"
#include "step_builders.hpp"

int main(int argc, char** argv) {
    using namespace tl::steps_tool;
    std::string error;
    const auto line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!line) {
        std::cerr << "tellurandi-steps: " << error << "\n" << usageText();
        return 2;
    }
    if (line->list) {
        std::cout << usageText();
        return 0;
    }
    const StepBuilderEntry* builder = findStepBuilder(line->builder);
    if (!builder) {
        std::cerr << "tellurandi-steps: no builder called " << line->builder << "\n" << usageText();
        return 2;
    }

    tl::StepTriple solution;
    try {
        solution = builder->run(line->fields);
    } catch (const tl::PreconditionError& e) {
        std::cerr << "tellurandi-steps: " << line->builder << " refused its input: " << e.what() << "\n";
        return 1;
    }

    if (line->pngDirectory) {
        const PageImageRequest request{*line->pngDirectory, line->screenWidth, line->screenHeight};
        if (!writePageImages(solution, request, error)) {
            std::cerr << "tellurandi-steps: " << error << "\n";
            return 1;
        }
        return 0;
    }
    std::cout << tl::dumpTriple(solution) << "\n";
    return 0;
}
