// tellurandi-steps: runs any step builder or algebra entry by name and
// prints its solution as JSON, as plain text or as pictures (see
// command_line.hpp for the arguments).
#include <iostream>
#include <string>
#include <vector>

#include "base/files.hpp"
#include "platform/gfx/drawing_memory.hpp"
#include "steps_tool.hpp"

int main(int argc, char** argv) {
    tl::failWritesPastSizeLimit();
    return tl::steps_tool::runStepsTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                        [] { gfx::prepareForDrawing("tellurandi-steps"); });
}
