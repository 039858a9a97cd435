// tellurandi-steps: runs any step builder or algebra entry by name and
// prints its solution as JSON, as plain text or as pictures (see
// command_line.hpp for the arguments).
#include <iostream>
#include <string>
#include <vector>

#include "steps_tool.hpp"

int main(int argc, char** argv) {
    return tl::steps_tool::runStepsTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
