#include "script.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/screen.hpp"

namespace shot {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    while (true) {
        s = trim(s);
        if (s.empty()) return out;
        std::size_t end = s.find_first_of(" \t");
        out.push_back(s.substr(0, end));
        if (end == std::string_view::npos) return out;
        s.remove_prefix(end);
    }
}

std::string quoted(std::string_view s) {
    std::string out(1, '"');
    out.append(tl::excerpt(s));
    out.push_back('"');
    return out;
}

// A plain decimal number, such as "12", "-3.5" or "0.25"; nothing else.
double number(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    tl::require(ec == std::errc() && ptr == end && std::isfinite(value),
                quoted(text) + " is not a number");
    return value;
}

void expectArguments(const std::vector<std::string_view>& w, std::size_t low, std::size_t high) {
    tl::require(w.size() >= low + 1 && w.size() <= high + 1,
                std::string(w[0]) + " takes " +
                    (low == high ? std::to_string(low) : std::to_string(low) + " to " + std::to_string(high)) +
                    " argument" + (high == 1 ? "" : "s"));
}

// "WxH" with positive whole numbers of points.
gfx::Size screenSize(std::string_view text) {
    std::size_t x = text.find('x');
    tl::require(x != std::string_view::npos, "screen size " + quoted(text) + " is not WxH");
    std::int64_t w = tl::parseInt(text.substr(0, x));
    std::int64_t h = tl::parseInt(text.substr(x + 1));
    tl::require(w > 0 && h > 0 && w <= 10000 && h <= 10000, "screen size out of range: " + tl::excerpt(text));
    return {static_cast<double>(w), static_cast<double>(h)};
}

class Runner {
public:
    explicit Runner(std::string_view delegate) : delegate_(delegate) {}

    void run(std::string_view line) {
        std::vector<std::string_view> w = words(line);
        std::string_view command = w[0];
        if (command == "screen") {
            expectArguments(w, 1, 2);
            gfx::Size size = screenSize(w[1]);
            if (w.size() == 3) {
                double scale = number(w[2]);
                tl::require(scale > 0 && scale <= 8, "scale out of range");
                ui::Screen::main().setScale(scale);
            }
            if (host_)
                host_->resize(size);
            else
                ui::Screen::main().setSize(size);
        } else if (command == "tap") {
            expectArguments(w, 2, 2);
            const gfx::Point point{number(w[1]), number(w[2])};
            const gfx::Rect window = host().window().bounds();
            tl::require(window.contains(point), "tap " + tl::excerpt(w[1]) + " " + tl::excerpt(w[2]) +
                                                    " is outside the window (" + tl::formatG8(window.width) + "x" +
                                                    tl::formatG8(window.height) + ")");
            host().tap(point);
        } else if (command == "tap-title") {
            std::string_view title = trim(trim(line).substr(command.size()));
            tl::require(!title.empty(), "tap-title needs a title");
            host().tapTitle(title);
        } else if (command == "back") {
            expectArguments(w, 0, 0);
            tl::require(host().back(), "back: this is the first screen");
        } else if (command == "wait") {
            expectArguments(w, 1, 1);
            double seconds = number(w[1]);
            tl::require(seconds >= 0, "wait needs a time that is not negative");
            host().wait(seconds);
        } else if (command == "shot") {
            std::string_view path = trim(trim(line).substr(command.size()));
            tl::require(!path.empty(), "shot needs a file name");
            tl::require(path.find('\0') == std::string_view::npos,
                        "cannot write " + tl::excerptPath(path) + ": a file name holds no NUL character");
            if (tl::WriteResult written = host().renderPng(std::string(path)); !written)
                throw tl::PreconditionError(written.failure());
        } else {
            throw tl::PreconditionError("unknown command " + quoted(command));
        }
    }

private:
    ui::HeadlessHost& host() {
        if (!host_) host_ = std::make_unique<ui::HeadlessHost>(delegate_);
        return *host_;
    }

    std::string delegate_;
    std::unique_ptr<ui::HeadlessHost> host_;
};

// The longest line a script may hold, in bytes.
constexpr std::size_t kLongestLine = std::size_t{1} << 20;

enum class Read { line, end, tooLong };

// Reads the next line of `in` into `line`, without its line break. A line
// longer than kLongestLine is read no further than that (and a bit). The
// read that ends the script leaves the system's error number in
// `readError`, 0 at the end: a failed read's error, also where the stream
// sees it as the end (std::cin reads through stdin, which alone keeps the
// failure).
Read readLine(std::istream& in, std::string& line, int& readError) {
    line.clear();
    char chunk[4096];
    bool any = false;
    while (true) {
        errno = 0;
        in.getline(chunk, sizeof chunk);
        if (in.eof() || in.bad()) readError = errno;
        const auto count = static_cast<std::size_t>(in.gcount());
        any = any || count > 0;
        if (in.eof() || in.bad()) {  // the last line, ended by the end of the script (or a failed read)
            line.append(chunk, count);
            if (line.size() > kLongestLine) return Read::tooLong;
            return any ? Read::line : Read::end;
        }
        if (in.fail()) {  // the chunk is full and the line goes on
            in.clear();
            line.append(chunk, count);
            if (line.size() > kLongestLine) return Read::tooLong;
        } else {  // the line break was read, and counted, but not stored
            line.append(chunk, count - 1);
            return line.size() > kLongestLine ? Read::tooLong : Read::line;
        }
    }
}

}  // namespace

int runScript(std::istream& script, std::string_view delegateClassName, std::ostream& errors, int* readError) {
    Runner runner(delegateClassName);
    std::string line;
    std::uint64_t number = 0;
    int unread = 0;
    if (readError) *readError = 0;
    for (Read read; (read = readLine(script, line, readError ? *readError : unread)) != Read::end;) {
        ++number;
        if (read == Read::tooLong) {
            errors << "line " << number << ": longer than 1 MB (" << kLongestLine << " bytes)\n";
            return 2;
        }
        std::string_view text = trim(line);
        if (text.empty() || text.front() == '#') continue;
        try {
            runner.run(text);
        } catch (const tl::PreconditionError& e) {
            errors << "line " << number << ": " << tl::oneLine(e.what(), "\\n") << "\n";
            return 1;
        }
    }
    return 0;
}

}  // namespace shot
