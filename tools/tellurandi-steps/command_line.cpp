#include "command_line.hpp"

#include "base/text.hpp"
#include "step_builders.hpp"

namespace tl::steps_tool {

namespace {

// "WxH" with two positive integers.
bool parseScreen(const std::string& text, int& width, int& height) {
    const auto x = text.find('x');
    if (x == std::string::npos) return false;
    const auto w = tryParseInt(std::string_view(text).substr(0, x));
    const auto h = tryParseInt(std::string_view(text).substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0 || *w > 100000 || *h > 100000) return false;
    width = static_cast<int>(*w);
    height = static_cast<int>(*h);
    return true;
}

}  // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string& error) {
    CommandLine line;
    std::vector<std::string> fields;
    bool fieldsOnly = false;
    bool rowOpen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* what) -> const std::string* {
            if (i + 1 < args.size()) return &args[++i];
            error = std::string(arg) + " needs " + what;
            return nullptr;
        };
        if (fieldsOnly || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (line.builder.empty() && !line.list)
                line.builder = arg;
            else
                fields.push_back(arg);
        } else if (arg == "--") {
            fieldsOnly = true;
        } else if (arg == "--list") {
            line.list = true;
        } else if (arg == "--option") {
            const std::string* text = value("an option text");
            if (!text) return std::nullopt;
            if (!rowOpen) line.fields.options.emplace_back();
            line.fields.options.back().push_back(*text);
            rowOpen = true;
        } else if (arg == "--row") {
            if (!rowOpen) line.fields.options.emplace_back();
            rowOpen = false;
        } else if (arg == "--png") {
            const std::string* dir = value("a directory");
            if (!dir) return std::nullopt;
            line.pngDirectory = *dir;
        } else if (arg == "--screen") {
            const std::string* size = value("a size WxH");
            if (!size) return std::nullopt;
            if (!parseScreen(*size, line.screenWidth, line.screenHeight)) {
                error = "--screen wants WxH with two positive integers, not \"" + *size + "\"";
                return std::nullopt;
            }
        } else {
            error = "unknown argument " + arg;
            return std::nullopt;
        }
    }
    if (line.list) return line;
    if (line.builder.empty()) {
        error = "no builder named";
        return std::nullopt;
    }
    line.fields.inputs = {{fields}};
    return line;
}

std::string usageText() {
    std::string text =
        "usage: tellurandi-steps BUILDER FIELD... [--option TEXT]... [--row] [--png DIR] [--screen WxH]\n"
        "       tellurandi-steps --list\n"
        "Runs a step builder on the fields (inputs[0][0]) and options and prints its pages,\n"
        "comments and parameters as JSON. --option appends a text (blanks kept) to the current\n"
        "option row, --row starts the next row. --png draws every page into DIR/page-NN.png\n"
        "instead (screen size WxH in points, 390x844 by default).\n"
        "builders:\n";
    for (const auto& entry : stepBuilders()) {
        text += "  ";
        text += entry.name;
        text += " ";
        text += entry.usage;
        text += "\n";
    }
    return text;
}

}  // namespace tl::steps_tool
