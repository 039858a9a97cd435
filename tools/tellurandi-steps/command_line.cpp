#include "command_line.hpp"

#include <algorithm>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "base/text.hpp"

namespace tl::steps_tool {

namespace {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void refuse(const std::string& why) { throw UsageError(why); }

std::string inQuotes(std::string_view text) {
    std::string quoted(1, '"');
    quoted += excerpt(text);
    return quoted += '"';
}

// Strict UTF-8, exactly what the JSON writer takes.
bool isUtf8(const std::string& text) {
    try {
        (void)nlohmann::json(text).dump();
        return true;
    } catch (const nlohmann::json::type_error&) {
        return false;
    }
}

// "a, b or c".
std::string alternatives(const std::vector<std::string_view>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i == 0 ? "" : i + 1 == values.size() ? " or " : ", ") + std::string(values[i]);
    return text;
}

// What a flag's value must be, after "takes" or "needs".
std::string valueWanted(const FlagSpec& spec) {
    if (spec.kind == FlagKind::choice) return alternatives(choiceValues(spec));
    return "a whole number from " + std::to_string(spec.low) + " to " + std::to_string(spec.high);
}

bool fitsRange(std::optional<std::int64_t> value, std::int64_t low, std::int64_t high) {
    return value && *value >= low && *value <= high;
}

void checkValue(const FlagSpec& spec, const std::string& value) {
    const auto choices = choiceValues(spec);
    const bool fits = spec.kind == FlagKind::choice ? std::find(choices.begin(), choices.end(), value) != choices.end()
                                                    : fitsRange(tryParseInt(value), spec.low, spec.high);
    if (!fits) refuse("--" + std::string(spec.name) + " takes " + valueWanted(spec) + ", not " + inQuotes(value));
}

// "WxH", each side a whole number of points in the screen range.
void readScreen(const std::string& text, CommandLine& line) {
    const auto x = text.find('x');
    std::optional<std::int64_t> w, h;
    if (x != std::string::npos) {
        w = tryParseInt(std::string_view(text).substr(0, x));
        h = tryParseInt(std::string_view(text).substr(x + 1));
    }
    if (!fitsRange(w, kSmallestScreen, kLargestScreen) || !fitsRange(h, kSmallestScreen, kLargestScreen))
        refuse("--screen takes WxH, two whole numbers of points from " + std::to_string(kSmallestScreen) + " to " +
               std::to_string(kLargestScreen) + ", not " + inQuotes(text));
    line.screenWidth = static_cast<int>(*w);
    line.screenHeight = static_cast<int>(*h);
}

bool isFlag(const std::string& arg) { return arg.size() > 2 && arg.compare(0, 2, "--") == 0; }

std::string operandCount(std::size_t n) { return std::to_string(n) + (n == 1 ? " operand" : " operands"); }

// The operands against the names the entry gives them.
void checkOperands(const StepEntry& entry, const std::vector<std::string>& operands) {
    const auto names = operandNames(entry);
    const std::string wanted = operandCount(names.size()) + " (" + std::string(entry.operands) + ")";
    if (operands.size() > names.size())
        refuse(std::string(entry.name) + " takes " + wanted + ", not " + std::to_string(operands.size()));
    if (operands.size() < names.size()) {
        std::string missing;
        for (std::size_t i = operands.size(); i < names.size(); ++i) (missing += ' ') += names[i];
        refuse(std::string(entry.name) + " takes " + wanted + ": missing" + missing);
    }
}

CommandLine parse(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i)
        if (!isUtf8(args[i])) refuse("argument " + std::to_string(i + 1) + " is not valid UTF-8");

    CommandLine line;
    bool screenGiven = false, textGiven = false, pngGiven = false;
    std::vector<std::string> positional;
    std::vector<std::pair<const FlagSpec*, std::string>> flags;
    bool flagsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!flagsEnded && arg == "--") {
            flagsEnded = true;
            continue;
        }
        if (flagsEnded || !isFlag(arg)) {
            positional.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const std::string flag = "--" + name;
        const std::optional<std::string> inlineValue =
            equals == std::string::npos ? std::nullopt : std::optional(arg.substr(equals + 1));
        const auto noValue = [&] {
            if (inlineValue) refuse(flag + " takes no value");
        };
        const auto value = [&](const std::string& wanted) -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 == args.size()) refuse(flag + " needs " + wanted);
            return args[++i];
        };
        if (name == "list" || name == "help") {
            noValue();
            line.list = true;
        } else if (name == "text") {
            noValue();
            textGiven = true;
        } else if (name == "png") {
            line.pngDirectory = value("a directory");
            if (line.pngDirectory.empty()) refuse("--png needs a directory");
            pngGiven = true;
        } else if (name == "screen") {
            readScreen(value("a size WxH"), line);
            screenGiven = true;
        } else if (const FlagSpec* spec = findFlag(name)) {
            if (spec->kind == FlagKind::boolean) noValue();
            std::string given = spec->kind == FlagKind::boolean ? "" : value(valueWanted(*spec));
            if (spec->kind != FlagKind::boolean) checkValue(*spec, given);
            flags.emplace_back(spec, std::move(given));
        } else {
            refuse("unknown flag " + excerpt(flag));
        }
    }
    if (line.list) return line;
    if (textGiven && pngGiven) refuse("--text and --png exclude each other");
    if (screenGiven && !pngGiven) refuse("--screen goes with --png");
    line.output = textGiven ? Output::text : pngGiven ? Output::png : Output::json;

    if (positional.empty()) refuse("no entry named (--list names them)");
    line.entry = findStepEntry(positional.front());
    if (!line.entry) refuse("no entry called " + inQuotes(positional.front()) + " (--list names them)");
    line.input.operands.assign(positional.begin() + 1, positional.end());
    checkOperands(*line.entry, line.input.operands);
    for (auto& [spec, given] : flags) {
        if (!line.entry->flags.contains(spec->flag))
            refuse(std::string(line.entry->name) + " does not take --" + std::string(spec->name));
        line.input.flags.set(spec->flag, std::move(given));
    }
    return line;
}

}  // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string& error) {
    try {
        return parse(args);
    } catch (const UsageError& e) {
        error = e.what();
        return std::nullopt;
    }
}

std::string usageText() {
    std::string text =
        "usage: tellurandi-steps ENTRY OPERAND... [FLAG...] [--text | --png DIR [--screen WxH]]\n"
        "       tellurandi-steps --list | --help\n"
        "Runs an entry (a step builder) on its operands and prints its pages, comments and\n"
        "parameters as JSON. A flag is --name VALUE or --name=VALUE; a flag not given is off, or\n"
        "takes the first of its values. An operand may begin with one \"-\"; after \"--\" every\n"
        "argument is an operand.\n"
        "--text prints each page as \"page N: COMMENT\" and then one line per table, read left to\n"
        "right; line breaks in comments and texts are shown as \" / \".\n"
        "--png DIR draws every page into DIR/page-01.png ... as the step screen shows it, on a\n"
        "screen of WxH points (390x844 by default; 1 to 4096 on each side), 2 pixels per point.\n"
        "Status: 0 done; 1 the entry refused its problem; 2 a malformed command line or operand.\n"
        "Numbers of the arithmetic entries are written in the digits 0 to 9, at most 19 of them,\n"
        "without a sign or a leading zero.\n"
        "entries:\n";
    for (const auto& entry : stepEntries()) text += "  " + entryUsage(entry) + "\n";
    return text;
}

}  // namespace tl::steps_tool
