#include "page_images.hpp"

namespace tl::steps_tool {

// Hook for the step view: draw each page headless at the request's screen
// size (with its comment line, as the step screen lays them out) and save it.
// Until the tool links the step view, no page can be drawn.
bool writePageImages(const StepTriple&, const PageImageRequest&, std::string& error) {
    error = "drawing pages is not available in this build of tellurandi-steps yet";
    return false;
}

}  // namespace tl::steps_tool
