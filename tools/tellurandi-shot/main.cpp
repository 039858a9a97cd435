// tellurandi-shot: runs the app without a window from a script and writes
// screenshots. Usage: tellurandi-shot SCRIPT (or "-" for standard input).
#include <fstream>
#include <iostream>
#include <string>

#include "app/registration.hpp"
#include "base/errors.hpp"
#include "script.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tellurandi-shot SCRIPT   (\"-\" reads the script from standard input)\n";
        return 2;
    }
    try {
        tl::registerApplication();
    } catch (const tl::PreconditionError& e) {
        std::cerr << "tellurandi-shot: " << e.what() << "\n";
        return 1;
    }
    std::string path = argv[1];
    if (path == "-") return shot::runScript(std::cin, "AppDelegate", std::cerr);
    std::ifstream file(path);
    if (!file) {
        std::cerr << "tellurandi-shot: cannot read " << path << "\n";
        return 2;
    }
    return shot::runScript(file, "AppDelegate", std::cerr);
}
