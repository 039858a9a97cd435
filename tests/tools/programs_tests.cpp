// The programs themselves, run as a user runs them: each answers --help
// with its usage; the app with no display to open a window on says so and
// ends; drill-cards draws every size it accepts and ends any failure with
// one line.
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "support/ending_signals.hpp"
#include "support/folder_contents.hpp"
#include "support/text_lines.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using tl::testing::slurp;
using tl::testing::entries;

struct Outcome {
    int status = -1;  // the exit status; -1 when it ended otherwise or ran out of time
    int signal = 0;   // the signal that ended it, if one did
    bool timedOut = false;
    std::string out, err;
};

/// Longer than any run takes on the slowest, busiest machine: only a hang
/// reaches it.
constexpr std::chrono::seconds kHang{300};

struct Options {
    std::vector<std::string> unset;                 // variables taken out of the environment
    std::map<std::string, std::string> set;         // and put in
    fs::path directory;                             // where it runs (empty: here)
    std::optional<rlim_t> addressSpace;             // a memory limit in bytes
    std::optional<rlim_t> fileSize;                 // a file size limit in bytes, SIGXFSZ as by default
    std::optional<rlim_t> processes;                // a limit on the user's processes and threads
    std::optional<rlim_t> openFiles;                // a limit on open file descriptors
    std::chrono::seconds timeLimit = kHang;
    bool fullOutput = false;                        // standard output is /dev/full
    std::optional<fs::path> input;                  // standard input: this file or folder, "" for none (closed)
};

/// A fresh, empty directory of the test's own.
fs::path freshDirectory(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("tl_programs_" + std::to_string(getpid()) + "_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

/// Runs `program` with `args`, its output caught in files, and waits for it
/// up to the time limit (then kills it).
Outcome run(const std::string& program, const std::vector<std::string>& args, const Options& options = {}) {
    static int runs = 0;
    const fs::path outputs = freshDirectory("output_" + std::to_string(++runs));
    const std::string outPath = (outputs / "out").string(), errPath = (outputs / "err").string();

    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        std::string name = entry.substr(0, entry.find('='));
        bool drop = options.set.contains(name);
        for (const std::string& u : options.unset) drop = drop || name == u;
        if (!drop) environment.push_back(entry);
    }
    for (const auto& [name, value] : options.set) environment.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);

    Outcome result;
    const pid_t pid = fork();
    if (pid < 0) return result;
    if (pid == 0) {
        int out = open(options.fullOutput ? "/dev/full" : outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
        if (options.input && options.input->empty()) close(0);
        if (options.input && !options.input->empty()) {
            const int in = open(options.input->c_str(), O_RDONLY);
            if (in < 0 || dup2(in, 0) < 0) _exit(127);
        }
        close_range(3, ~0U, 0);  // the program has what it opens itself, as when started from a shell
        if (!options.directory.empty() && chdir(options.directory.c_str()) != 0) _exit(127);
        if (options.addressSpace) {
            rlimit limit{*options.addressSpace, *options.addressSpace};
            if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(127);
        }
        if (options.fileSize) {
            rlimit limit{*options.fileSize, *options.fileSize};
            if (signal(SIGXFSZ, SIG_DFL) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
        }
        if (options.openFiles) {
            rlimit limit{*options.openFiles, *options.openFiles};
            if (setrlimit(RLIMIT_NOFILE, &limit) != 0) _exit(127);
        }
        if (options.processes) {
            // Root is not held to the limit: the program runs as nobody then.
            if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                _exit(127);
            rlimit limit{*options.processes, *options.processes};
            if (setrlimit(RLIMIT_NPROC, &limit) != 0) _exit(127);
        }
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + options.timeLimit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!result.timedOut && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (!result.timedOut && WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    fs::remove_all(outputs);
    return result;
}

using tl::testing::lines;

/// Whether `r` ended as the programs end every failure: status 1 (no signal,
/// no hang) and exactly one line on standard error, "PROGRAM: …" (or, for a
/// script's line, "line N: …"), with no control character in it. What the
/// line says after that is the program's, or GLib's when it cannot start a
/// thread, and differs with where the memory ran out; but it is never
/// "failed" or "failed: …", and an image that cannot be made is named by the picture it
/// was for, "cannot draw FILE: an image of … cannot be made: …".
::testing::AssertionResult failedWithOneLine(const Outcome& r, const std::string& program, bool orScriptLine = false) {
    if (r.timedOut) return ::testing::AssertionFailure() << "it was still running after " << kHang.count() << " s";
    if (r.signal != 0) return ::testing::AssertionFailure() << "it ended by signal " << strsignal(r.signal);
    if (r.status != 1) return ::testing::AssertionFailure() << "status " << r.status << ", not 1";
    const std::string& err = r.err;
    if (err.empty() || err.find('\n') != err.size() - 1)
        return ::testing::AssertionFailure() << "not exactly one line on standard error: \"" << err.substr(0, 1000)
                                             << "\"";
    const std::string line = err.substr(0, err.size() - 1);
    std::string rest;
    if (line.starts_with(program + ": ")) {
        rest = line.substr(program.size() + 2);
    } else if (orScriptLine && line.starts_with("line ")) {
        const std::size_t digits = line.find_first_not_of("0123456789", 5);
        if (digits > 5 && digits != std::string::npos && line.compare(digits, 2, ": ") == 0)
            rest = line.substr(digits + 2);
    }
    if (rest.empty())
        return ::testing::AssertionFailure() << "the line is not \"" << program << ": …\""
                                             << (orScriptLine ? " or \"line N: …\"" : "") << ": " << line;
    for (const char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return ::testing::AssertionFailure() << "a control character in the line: " << line;
    if (rest == "failed" || rest.starts_with("failed: "))
        return ::testing::AssertionFailure() << "\"failed\" says nothing: " << line;
    if (rest.find(" cannot be made") != std::string::npos && !rest.starts_with("cannot draw "))
        return ::testing::AssertionFailure() << "the picture that could not be drawn is not named: " << line;
    return ::testing::AssertionSuccess() << line;
}

/// With no display at all, whatever the machine running the tests has.
const std::vector<std::string> kNoDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "SDL_VIDEODRIVER"};

// The check of a failure's one line takes every wording but no other
// ending: a second line, a signal, another status, a hang, a line of
// another program's or with a control character in it.
TEST(Programs, AOneLineFailureIsToldFromOtherEndings) {
    const auto outcome = [](int status, int signal, bool timedOut, std::string err) {
        Outcome r;
        r.status = status;
        r.signal = signal;
        r.timedOut = timedOut;
        r.err = std::move(err);
        return r;
    };
    const std::string thread = "p: creating thread '[pango] FcFontSetSort': Error creating thread: "
                               "Resource temporarily unavailable\n";
    const std::tuple<Outcome, bool, bool> cases[] = {
        {outcome(1, 0, false, "p: cannot load the fonts: out of memory\n"), false, true},
        {outcome(1, 0, false, "p: cannot draw out/page-02.png: out of memory\n"), false, true},
        {outcome(1, 0, false, thread), false, true},
        {outcome(1, 0, false, "line 4: cannot write out/column.png: out of memory\n"), true, true},
        {outcome(1, 0, false, "line 4: cannot write out/column.png: out of memory\n"), false, false},
        {outcome(1, 0, false, "line : out of memory\n"), true, false},
        {outcome(1, 0, false, "line 4 out of memory\n"), true, false},
        {outcome(1, 0, false, "q: cannot load the fonts: out of memory\n"), false, false},
        {outcome(1, 0, false, "p: \n"), false, false},
        {outcome(1, 0, false, "p: out of memory"), false, false},
        {outcome(1, 0, false, "p: out of memory\np: out of memory\n"), false, false},
        {outcome(1, 0, false, "Fontconfig error: out of memory\n"), false, false},
        {outcome(1, 0, false, "p: out of\tmemory\n"), false, false},
        // Nothing but "failed", or an image that names no picture.
        {outcome(1, 0, false, "p: cannot draw out/page-01.png: an image of 8192 × 8192 pixels cannot be made: "
                              "out of memory\n"), false, true},
        {outcome(1, 0, false, "line 6: cannot draw a.png: an image of 8000 × 12000 pixels cannot be made: "
                              "out of memory\n"), true, true},
        {outcome(1, 0, false, "p: failed: cannot load the fonts: out of memory\n"), false, false},
        {outcome(1, 0, false, "p: failed\n"), false, false},
        {outcome(1, 0, false, "p: an image of 8192 × 8192 pixels cannot be made: out of memory\n"), false, false},
        {outcome(1, 0, false, "line 6: an image of 8000 × 12000 pixels cannot be made: out of memory\n"), true,
         false},
        {outcome(1, 0, false, ""), false, false},
        {outcome(2, 0, false, "p: out of memory\n"), false, false},
        {outcome(-1, SIGABRT, false, thread), false, false},
        {outcome(-1, 0, true, ""), false, false},
    };
    for (const auto& [r, scriptLines, accepted] : cases)
        EXPECT_EQ(static_cast<bool>(failedWithOneLine(r, "p", scriptLines)), accepted)
            << r.status << " " << r.signal << " " << r.err;
}

// ---- --help ---------------------------------------------------------------

struct Program {
    const char* name;
    const char* path;
};
const Program kPrograms[] = {{"tellurandi", TELLURANDI_EXE},
                             {"tellurandi-shot", SHOT_EXE},
                             {"drill-cards", DRILL_CARDS_EXE},
                             {"tellurandi-steps", STEPS_EXE}};

// Each program answers --help with its usage on standard output and status
// 0, does nothing else (no window, no folder, no script read), and says the
// same usage on standard error, status 2, when its arguments are wrong.
TEST(Programs, AnswerHelpWithTheirUsage) {
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const std::string usage = std::string("usage: ") + program.name;
        for (const std::vector<std::string>& args :
             std::vector<std::vector<std::string>>{{"--help"}, {"cards", "--help"}, {"--help", "10", "20"}}) {
            const fs::path dir = freshDirectory("help");
            Options options;
            options.unset = kNoDisplay;
            options.directory = dir;
            const Outcome r = run(program.path, args, options);
            EXPECT_EQ(r.status, 0) << args.size();
            EXPECT_TRUE(r.out.starts_with(usage)) << r.out;
            EXPECT_EQ(r.err, "");
            EXPECT_TRUE(fs::is_empty(dir)) << "it wrote into " << dir;
            fs::remove_all(dir);
        }
    }
    // The usage says what a script holds and which card sizes are taken.
    Options elsewhere;
    elsewhere.directory = freshDirectory("usage");
    EXPECT_NE(run(SHOT_EXE, {"--help"}, elsewhere).out.find("tap-title TEXT"), std::string::npos);
    EXPECT_NE(run(DRILL_CARDS_EXE, {"--help"}, elsewhere).out.find("from 1 to 10000"), std::string::npos);

    for (const auto& [path, args] : std::vector<std::pair<const char*, std::vector<std::string>>>{
             {SHOT_EXE, {}}, {SHOT_EXE, {"a", "b"}}, {DRILL_CARDS_EXE, {}}, {DRILL_CARDS_EXE, {"a", "1"}}, {STEPS_EXE, {}}}) {
        const Outcome r = run(path, args, elsewhere);
        EXPECT_EQ(r.status, 2) << path;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("usage: ")) << r.err;
    }
    // After "--" a "--help" is no flag but an operand, here one too many.
    const Outcome operand = run(DRILL_CARDS_EXE, {"--", "--help", "1"}, elsewhere);
    EXPECT_EQ(operand.status, 2);
    EXPECT_TRUE(operand.err.starts_with("usage: drill-cards")) << operand.err;
    EXPECT_TRUE(fs::is_empty(elsewhere.directory));
    fs::remove_all(elsewhere.directory);
}

// Each program's status and first line on standard error (on standard
// output when it succeeds, with nothing on standard error, not even from the
// leak checker of the sanitizer build) when its output cannot be written, an
// argument is not its own, "--" ends its options, an argument is long (at
// most 200 characters of it are quoted, and of a path, its folder and its
// name apart, so that its last part shows), or holds a control character
// or a byte that is no part of a UTF-8 character (each shown as "?"), or
// its script is a folder (on standard input too), taps controls that a small
// screen shows in part or outside the window, or has a line with no end. A
// file that cannot be read or made is named with the system's reason. The
// folder they run in stays empty.
TEST(Programs, EndWithTheStatusTheirOutcomeWarrants) {
    const fs::path dir = freshDirectory("statuses");
    const std::string d = dir.string();
    std::ofstream(dir / "sliver") << "screen 320x480\ntap-title lattice multiplication\ntap-title ‹ Tellurandi\n";
    std::ofstream(dir / "option") << "tap-title lattice multiplication\ntap-title snake\n";
    std::ofstream(dir / "outside") << "screen 320x480\ntap 160 240\ntap 320 240\n";
    // Scripts whose lines hold bytes that are no part of a UTF-8 character.
    std::ofstream(dir / "stray_path") << "shot " << d << "/gone\x9b/x\xff.png\n";
    std::ofstream(dir / "stray_command") << "\x9bshot x.png\n";
    std::ofstream(dir / "stray_title") << "screen 320x480\ntap-title column\xc3 addition\n";
    // An argument as long as one may be: its first 200 characters are quoted.
    const std::string longName(100000, 'x'), quoted = std::string(200, 'x') + "\u2026";
    const std::string longPath = d + "/" + longName, quotedPath = d + "/" + quoted;
    // A long folder with a file in it, taken for a folder: its last part shows.
    const std::string longFolder = d + "/" + std::string(250, 'f');
    fs::create_directories(longFolder);
    std::ofstream(longFolder + "/file") << "a file";
    const std::string throughFile = longFolder + "/file/LASTPART",
                      quotedThroughFile = (longFolder + "/file").substr(0, 200) + "\u2026/LASTPART";
    const std::tuple<const char*, std::vector<std::string>, bool, int, std::string> cases[] = {
        {TELLURANDI_EXE, {"--help"}, true, 1, "tellurandi: cannot write the output"},
        {SHOT_EXE, {"--help"}, true, 1, "tellurandi-shot: cannot write the output"},
        {DRILL_CARDS_EXE, {"--help"}, true, 1, "drill-cards: cannot write the output"},
        {STEPS_EXE, {"--help"}, true, 1, "tellurandi-steps: cannot write the output"},
        {DRILL_CARDS_EXE, {d + "/cards", "9", "9"}, true, 1, "drill-cards: cannot write the output"},
        {DRILL_CARDS_EXE, {"--bogus"}, false, 2, "drill-cards: unknown option --bogus"},
        {TELLURANDI_EXE, {"--bogus"}, false, 2, "usage: tellurandi"},
        {SHOT_EXE, {d}, false, 2, "tellurandi-shot: cannot read " + d + ": Is a directory"},
        {SHOT_EXE, {""}, false, 2, "tellurandi-shot: SCRIPT needs a file name"},
        {SHOT_EXE, {d + "/sliver"}, false, 0, ""},
        {SHOT_EXE, {d + "/option"}, false, 0, ""},
        {STEPS_EXE, {"addColumnSteps", "58", "67", "--png", d + "/pages"}, false, 0, ""},
        {TELLURANDI_EXE, {"--help"}, false, 0, "usage: tellurandi"},
        // Options, "--" and operands.
        {SHOT_EXE, {"--bogus"}, false, 2, "tellurandi-shot: unknown option --bogus"},
        {SHOT_EXE, {"--", "--bogus"}, false, 2, "tellurandi-shot: cannot read --bogus: No such file or directory"},
        {SHOT_EXE, {"--", d + "/sliver"}, false, 0, ""},
        {DRILL_CARDS_EXE, {"--", d + "/cards", "5", "5"}, false, 0, d + "/cards/count_on_front.png"},
        {DRILL_CARDS_EXE, {"--", "", "5", "5"}, false, 2, "drill-cards: OUTDIR needs a folder name"},
        {DRILL_CARDS_EXE, {"--", "-5", "5"}, false, 2, "usage: drill-cards OUTDIR [WIDTH HEIGHT]"},
        // A script that taps outside the window, or whose line has no end.
        {SHOT_EXE, {d + "/outside"}, false, 1, "line 3: tap 320 240 is outside the window (320x480)"},
        {SHOT_EXE, {"/dev/zero"}, false, 2, "line 1: longer than 1 MB (1048576 bytes)"},
        // Long arguments, quoted in part.
        {STEPS_EXE, {longName}, false, 2, "tellurandi-steps: no entry called \"" + quoted + "\" (--list names them)"},
        {STEPS_EXE, {"--" + longName}, false, 2, "tellurandi-steps: unknown flag --" + quoted.substr(0, 198) + "\u2026"},
        {STEPS_EXE, {"addColumnSteps", "1", "2", "--png", longPath}, false, 1,
         "tellurandi-steps: cannot create " + quotedPath + ": File name too long"},
        {DRILL_CARDS_EXE, {"-" + longName}, false, 2, "drill-cards: unknown option -" + quoted.substr(0, 199) + "\u2026"},
        {DRILL_CARDS_EXE, {longPath}, false, 1, "drill-cards: cannot create " + quotedPath + ": File name too long"},
        {SHOT_EXE, {"--" + longName}, false, 2, "tellurandi-shot: unknown option --" + quoted.substr(0, 198) + "\u2026"},
        {SHOT_EXE, {longPath}, false, 2, "tellurandi-shot: cannot read " + quotedPath + ": File name too long"},
        {STEPS_EXE, {"addColumnSteps", "1", "2", "--png", throughFile}, false, 1,
         "tellurandi-steps: cannot create " + quotedThroughFile + ": Not a directory"},
        {DRILL_CARDS_EXE, {throughFile}, false, 1, "drill-cards: cannot create " + quotedThroughFile + ": Not a directory"},
        {SHOT_EXE, {throughFile}, false, 2, "tellurandi-shot: cannot read " + quotedThroughFile + ": Not a directory"},
        // Control characters a terminal could act on: C1's CSI, a carriage return, a line separator.
        {STEPS_EXE, {"x\xc2\x9b" "2Jy\r\u2028"}, false, 2, "tellurandi-steps: no entry called \"x?2Jy??\" (--list names them)"},
        {SHOT_EXE, {"--", "a\xc2\x9b" "b"}, false, 2, "tellurandi-shot: cannot read a?b: No such file or directory"},
        // Bytes that are no part of a UTF-8 character (a lone 0x9B is CSI on 8-bit terminals).
        {STEPS_EXE, {"x\x9b" "2J"}, false, 2, "tellurandi-steps: argument 1 is not valid UTF-8"},
        {DRILL_CARDS_EXE, {"-\x9b" "2J"}, false, 2, "drill-cards: unknown option -?2J"},
        {DRILL_CARDS_EXE, {throughFile + "\x9b\xe2\x80"}, false, 1,
         "drill-cards: cannot create " + quotedThroughFile + "???: Not a directory"},
        {SHOT_EXE, {"--bogus\xc0\xaf"}, false, 2, "tellurandi-shot: unknown option --bogus??"},
        {SHOT_EXE, {"--", "a\x9b" "b"}, false, 2, "tellurandi-shot: cannot read a?b: No such file or directory"},
        {SHOT_EXE, {throughFile + "\xed\xa0\x80"}, false, 2,
         "tellurandi-shot: cannot read " + quotedThroughFile + "???: Not a directory"},
        {SHOT_EXE, {d + "/stray_path"}, false, 1, "line 1: cannot write " + d + "/gone?/x?.png: No such file or directory"},
        {SHOT_EXE, {d + "/stray_command"}, false, 1, "line 1: unknown command \"?shot\""},
        {SHOT_EXE, {d + "/stray_title"}, false, 1, "line 2: nothing titled \"column? addition\" is visible"}};
    Options options;
    options.unset = kNoDisplay;
    options.unset.push_back("LSAN_OPTIONS");  // the sanitizer build's programs need none
    options.directory = freshDirectory("statuses_here");
    for (const auto& [path, args, fullOutput, status, firstLine] : cases) {
        SCOPED_TRACE(std::string(path) + " " + args[0].substr(0, 40));
        options.fullOutput = fullOutput;
        const Outcome r = run(path, args, options);
        EXPECT_EQ(r.status, status);
        // The first line of standard error, or of standard output on success.
        const std::vector<std::string> said = lines(r.status == 0 ? r.out : r.err);
        EXPECT_EQ(said.empty() ? "" : said[0], firstLine) << r.err.substr(0, 1000);
        if (status == 0) {
            EXPECT_EQ(r.err, "");
        } else if (!firstLine.starts_with("usage: ")) {
            EXPECT_EQ(said.size(), 1u);
        }
    }
    // A script on standard input that cannot be read is named so, with the system's reason, as a file is.
    for (const auto& [input, firstLine] : std::vector<std::pair<fs::path, std::string>>{
             {dir, "tellurandi-shot: cannot read the standard input: Is a directory"},
             {"", "tellurandi-shot: cannot read the standard input: Bad file descriptor"},
             {dir / "outside", "line 3: tap 320 240 is outside the window (320x480)"}}) {
        SCOPED_TRACE("tellurandi-shot - < " + input.string());
        options.fullOutput = false;
        options.input = input;
        const Outcome r = run(SHOT_EXE, {"-"}, options);
        EXPECT_EQ(r.status, input.empty() || input == dir ? 2 : 1);
        EXPECT_EQ(r.err, firstLine + "\n");
    }
    EXPECT_TRUE(fs::is_empty(options.directory));
    fs::remove_all(options.directory);
    fs::remove_all(dir);
}

// ---- No display -------------------------------------------------------------

// With nowhere to show its window the app does not run on unseen: one line
// says why, status 1. Either with no runtime directory at all (where the
// Wayland library would complain too) or with one holding no display.
TEST(Programs, TheAppWithNoDisplayEndsWithOneLine) {
    const fs::path runtime = freshDirectory("runtime");
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    for (bool withRuntime : {false, true}) {
        Options options;
        options.unset = kNoDisplay;
        if (withRuntime)
            options.set["XDG_RUNTIME_DIR"] = runtime.string();
        else
            options.unset.push_back("XDG_RUNTIME_DIR");
        const Outcome r = run(TELLURANDI_EXE, {}, options);
        EXPECT_FALSE(r.timedOut) << "the app ran on with no display";
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "tellurandi: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set)\n");
    }
    // A display that is named but not there is named in the line.
    Options gone;
    gone.unset = kNoDisplay;
    gone.set["DISPLAY"] = ":4093";
    gone.set["XDG_RUNTIME_DIR"] = runtime.string();
    const Outcome r = run(TELLURANDI_EXE, {}, gone);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
    EXPECT_TRUE(r.err.starts_with("tellurandi: no display to open a window on (DISPLAY=:4093: ")) << r.err;
    // Named with control characters, or at length, it is still one short line.
    for (const auto& [display, shown] : std::vector<std::pair<std::string, std::string>>{
             {":4093\n\x1b[2J", ":4093\\n?[2J"}, {":4093\x9b" "2J\xf4\x90\x80\x80", ":4093?2J????"},
             {":" + std::string(100000, '9'), ":" + std::string(199, '9') + "\u2026"}}) {
        gone.set["DISPLAY"] = display;
        const Outcome named = run(TELLURANDI_EXE, {}, gone);
        EXPECT_EQ(named.status, 1);
        EXPECT_EQ(lines(named.err).size(), 1u) << named.err.substr(0, 1000);
        EXPECT_TRUE(named.err.starts_with("tellurandi: no display to open a window on (DISPLAY=" + shown + ": "))
            << named.err.substr(0, 1000);
    }
    fs::remove_all(runtime);
}

// ---- Writing PNG files ----------------------------------------------------------

// A PNG that cannot be written whole (here for a 20 KB limit on file size,
// SIGXFSZ as the system starts a program) ends each program with one line,
// "… File too large", status 1, and leaves no file behind: no truncated PNG, no
// temporary file, and a file already at that name as it was. Without the
// limit the same commands write the file.
TEST(Programs, AFailedPngWriteLeavesNoFile) {
    const fs::path dir = freshDirectory("file_limit");
    const fs::path out = dir / "out";
    std::ofstream(dir / "script") << "shot " << (out / "shot.png").string() << "\n";
    struct Writer {
        const char* path;
        std::vector<std::string> args;
        const char* first;  // the first file it writes, more than 20 KB
    };
    const Writer writers[] = {
        {STEPS_EXE, {"solveExtEquation", "2(2(2(x+1)+1)+1)+1=5", "--png", out.string()}, "page-01.png"},
        {DRILL_CARDS_EXE, {out.string()}, "count_on_front.png"},
        {SHOT_EXE, {(dir / "script").string()}, "shot.png"},
    };
    for (const Writer& writer : writers) {
        for (const bool existing : {false, true}) {
            SCOPED_TRACE(std::string(writer.path) + (existing ? " over an existing file" : ""));
            fs::create_directories(out);
            if (existing) std::ofstream(out / writer.first) << "before";
            Options limited;
            limited.unset = kNoDisplay;
            limited.fileSize = 20 * 1024;
            const Outcome r = run(writer.path, writer.args, limited);
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
            EXPECT_TRUE(r.err.ends_with((out / writer.first).string() + ": File too large\n")) << r.err;
            EXPECT_EQ(entries(out), existing ? std::vector<std::string>{writer.first} : std::vector<std::string>{});
            if (existing) {
                EXPECT_TRUE(slurp(out / writer.first) == "before") << writer.first << " was overwritten";
            }
            fs::remove_all(out);
        }
        fs::create_directories(out);
        Options free;
        free.unset = kNoDisplay;
        EXPECT_EQ(run(writer.path, writer.args, free).status, 0) << writer.path;
        EXPECT_GT(fs::file_size(out / writer.first), 20u * 1024) << writer.path;
        fs::remove_all(out);
    }
    fs::remove_all(dir);
}

/// Starts `program` with `args`, its output thrown away and every signal that
/// ends a program as by default (and no core dump); its process id, or -1.
pid_t start(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0) _exit(127);
        tl::testing::startAsFromAShell(tl::testing::endingSignals());
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

/// Whether some name in `dir` is a temporary file's.
bool holdsTemporaryFile(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string().find(".tmp-") != std::string::npos) return true;
    return false;
}

// Any signal that ends a program (SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE,
// SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGIO, SIGVTALRM, SIGPROF, SIGPWR,
// SIGSTKFLT or a real-time one) sent while a program writes a PNG ends it as
// the signal would (no status of its own), and no temporary file is left.
// (SIGXFSZ does not end them: they ignore it, see the file size limit above.)
TEST(Programs, ASignalMidWriteLeavesNoTemporaryFile) {
    const fs::path dir = freshDirectory("signals");
    const std::string out = (dir / "out").string(), script = (dir / "shot.txt").string();
    std::ofstream(script) << "screen 3000x3000\nshot " << out << "/shot.png\n";
    struct Case {
        const char* path;
        std::vector<std::string> args;
        int signal;
    };
    const Case programs[] = {
        {DRILL_CARDS_EXE, {out, "3000", "3000"}, 0},
        {STEPS_EXE, {"addColumnSteps", "58", "67", "--png", out, "--screen", "3000x3000"}, 0},
        {SHOT_EXE, {script}, 0},
    };
    std::vector<Case> cases{
        {DRILL_CARDS_EXE, {out, "3000", "3000"}, SIGTERM},
        {DRILL_CARDS_EXE, {out, "3000", "3000"}, SIGHUP},
        {STEPS_EXE, {"addColumnSteps", "58", "67", "--png", out, "--screen", "3000x3000"}, SIGINT},
        {STEPS_EXE, {"addColumnSteps", "58", "67", "--png", out, "--screen", "3000x3000"}, SIGQUIT},
    };
    // Each signal, the programs taking turns.
    std::size_t turn = 0;
    for (int signal : tl::testing::endingSignals()) {
        if (signal == SIGXFSZ) continue;
        cases.push_back(programs[turn++ % std::size(programs)]);
        cases.back().signal = signal;
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + strsignal(c.signal));
        fs::create_directories(out);
        const pid_t pid = start(c.path, c.args);
        ASSERT_GT(pid, 0);
        // Stopped as soon as a temporary file shows, and signalled if it is
        // still there (the write not finished while the test looked), so
        // that the signal comes mid-write however slowly the test runs.
        const auto deadline = std::chrono::steady_clock::now() + kHang;
        int status = 0;
        bool signalled = false, ended = false;
        while (!ended && std::chrono::steady_clock::now() < deadline) {
            if (holdsTemporaryFile(out)) {
                kill(pid, SIGSTOP);
                ASSERT_EQ(waitpid(pid, &status, WUNTRACED), pid);
                ended = !WIFSTOPPED(status);
                if (!ended && holdsTemporaryFile(out)) {
                    kill(pid, c.signal);
                    signalled = true;
                }
                if (!ended) kill(pid, SIGCONT);
                if (signalled) break;
            } else {
                ended = waitpid(pid, &status, WNOHANG) == pid;
                if (!ended) std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        }
        ASSERT_FALSE(ended) << "it ended before it was signalled mid-write";
        if (!signalled) kill(pid, SIGKILL);
        ASSERT_TRUE(signalled) << "no temporary file showed";
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
        EXPECT_FALSE(holdsTemporaryFile(out));
        fs::remove_all(out);
    }
    fs::remove_all(dir);
}

// ---- drill-cards --------------------------------------------------------------

const char* const kCardFiles[] = {"count_on", "combine", "make_ten", "double", "double_plus_one", "double_minus_one",
                                  "make_double"};

/// The width and height of a PNG file in pixels, from its header.
std::pair<std::uint32_t, std::uint32_t> pngSize(const fs::path& path) {
    std::string bytes = slurp(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
    auto word = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {word(16), word(20)};
}

/// Whether the file ends as a PNG file does, with its IEND chunk: not cut short.
bool endsAsPng(const fs::path& path) { return slurp(path).ends_with(std::string("IEND\xae\x42\x60\x82", 8)); }

// Every size it accepts draws all fourteen sides at 2 pixels a point and
// nothing on standard error: the smallest, one point across or down with the
// other side anywhere up to the largest, and the default.
TEST(DrillCards, DrawEverySizeTheyAccept) {
    struct Size {
        int width, height;
    };
    for (const Size size : {Size{1, 1}, Size{1, 10000}, Size{10000, 1}, Size{390, 1}, Size{5000, 1}, Size{10000, 2},
                            Size{2, 10000}, Size{60, 1}, Size{844, 390}, Size{0, 0}}) {
        const bool byDefault = size.width == 0;
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        const fs::path dir = freshDirectory("cards");
        std::vector<std::string> args{(dir / "out").string()};
        if (!byDefault) {
            args.push_back(std::to_string(size.width));
            args.push_back(std::to_string(size.height));
        }
        const Outcome r = run(DRILL_CARDS_EXE, args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(lines(r.out).size(), 14u);
        const std::uint32_t w = 2 * (byDefault ? 390 : size.width), h = 2 * (byDefault ? 700 : size.height);
        for (const char* card : kCardFiles)
            for (const char* side : {"_front.png", "_back.png"})
                EXPECT_EQ(pngSize(dir / "out" / (std::string(card) + side)), std::make_pair(w, h)) << card << side;
        fs::remove_all(dir);
    }
}

// Sizes it does not accept stop it before it makes anything, status 2; a
// failure on the way stops it at once with one line, status 1.
TEST(DrillCards, RefuseWithOneLine) {
    const fs::path dir = freshDirectory("refused");
    const std::string out = (dir / "out").string();
    for (const auto& [w, h] : std::vector<std::pair<std::string, std::string>>{
             {"0", "5"}, {"5", "0"}, {"10001", "1"}, {"1", "10001"}, {"-5", "5"}, {"abc", "5"}, {" 5", "5"}, {"5.5", "5"}}) {
        const Outcome r = run(DRILL_CARDS_EXE, {out, w, h});
        EXPECT_EQ(r.status, 2) << w << " " << h;
        EXPECT_EQ(r.err, "drill-cards: the size must be two whole numbers from 1 to 10000\n");
        EXPECT_FALSE(fs::exists(out));
    }

    std::ofstream(dir / "file") << "x";
    Outcome r = run(DRILL_CARDS_EXE, {(dir / "file").string(), "10", "10"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
    EXPECT_TRUE(r.err.starts_with("drill-cards: cannot create ")) << r.err;

    // The first card's file cannot be written: it goes no further.
    fs::create_directories(dir / "blocked" / "count_on_front.png");
    r = run(DRILL_CARDS_EXE, {(dir / "blocked").string(), "10", "10"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "drill-cards: " + (dir / "blocked" / "count_on_front.png").string() + ": not a regular file\n");
    fs::remove_all(dir);
}

// The largest card needs about 1.9 GB; in 800 MB of address space it ends
// with one line, status 1, rather than an abort.
TEST(DrillCards, TooLittleMemoryEndsWithOneLine) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    const fs::path dir = freshDirectory("memory");
    Options limited;
    limited.addressSpace = rlim_t{800000} * 1024;
    const Outcome r = run(DRILL_CARDS_EXE, {(dir / "out").string(), "10000", "10000"}, limited);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
    EXPECT_TRUE(r.err.starts_with("drill-cards: cannot draw ")) << r.err;
    EXPECT_NE(r.err.find("20000 × 20000 pixels cannot be made: out of memory"), std::string::npos) << r.err;
    fs::remove_all(dir);
}

// Under memory limits that leave a card's pixels room but little else
// (fontconfig, Pango's helper threads, the fonts' files, the PNG encoder),
// it either draws every card whole or ends with one line, status 1, and
// writes nothing: no crash, abort or hang, no boxes for text, no partial
// file. (A card of 1000 points is 8 MB of pixels; one of 7000, 784 MB.)
TEST(DrillCards, TightMemoryDrawsAllOrFailsWithOneLine) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limits leave";
#endif
    struct Case {
        int side;
        rlim_t kilobytes;
    };
    for (const Case c : {Case{1000, 60000}, Case{1000, 80000}, Case{1000, 100000}, Case{1000, 120000},
                         Case{1000, 140000}, Case{1000, 250000}, Case{7000, 800000}}) {
        SCOPED_TRACE(std::to_string(c.side) + " points in " + std::to_string(c.kilobytes) + " KB");
        const fs::path dir = freshDirectory("tight");
        Options limited;
        limited.addressSpace = c.kilobytes * 1024;
        const std::string side = std::to_string(c.side);
        const Outcome r = run(DRILL_CARDS_EXE, {dir.string(), side, side}, limited);
        ASSERT_FALSE(r.timedOut);
        if (r.status == 0) {
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(entries(dir).size(), 14u);
            for (const std::string& name : entries(dir)) {
                EXPECT_EQ(pngSize(dir / name), std::make_pair(2u * c.side, 2u * c.side)) << name;
                EXPECT_TRUE(endsAsPng(dir / name)) << name << " is cut short";
            }
        } else {
            EXPECT_TRUE(failedWithOneLine(r, "drill-cards"));
            EXPECT_EQ(entries(dir), std::vector<std::string>{});
        }
        fs::remove_all(dir);
    }
}

// ---- tellurandi-steps --png and tellurandi-shot under a memory limit ----------

// From 30 MB of address space up to 1 GB, each program that draws either
// writes every picture whole, with nothing on standard error, or ends with
// one line, status 1: never a signal (GLib aborts when it cannot start
// Pango's helper threads), a hang, a page of fontconfig's messages or a
// partial file. Pictures written before the one that failed are whole.
// Where the memory runs out, and so what the line says (the fonts, a
// picture, or GLib's own words for a thread it could not start), depends on
// how Pango's threads overlap, which a busy machine changes: any such line
// will do.
TEST(Programs, EveryDrawingProgramUnderAMemoryLimitDrawsAllOrFailsWithOneLine) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limits leave";
#endif
    const fs::path dir = freshDirectory("limits");
    const std::string script = (dir / "script").string();
    for (const rlim_t kilobytes : {30000, 50000, 70000, 90000, 100000, 110000, 130000, 200000, 1000000}) {
        SCOPED_TRACE(std::to_string(kilobytes) + " KB");
        const fs::path out = dir / "out";
        Options limited;
        limited.addressSpace = kilobytes * 1024;
        std::ofstream(script) << "screen 390x844\nshot " << (out / "menu.png").string()
                              << "\ntap-title column addition\nshot " << (out / "column.png").string() << "\n";
        const struct {
            const char* program;
            std::vector<std::string> args;
            std::vector<std::string> pictures;
            const char* name;  // as its one line on failure starts
            bool scriptLines;  // or "line N: " for a script's line
        } runs[] = {
            {STEPS_EXE,
             {"solveExtEquation", "2(x + 1) = 8", "--png", out.string()},
             {"page-01.png", "page-02.png", "page-03.png", "page-04.png", "page-05.png"},
             "tellurandi-steps",
             false},
            {SHOT_EXE, {script}, {"column.png", "menu.png"}, "tellurandi-shot", true},
        };
        for (const auto& run_ : runs) {
            SCOPED_TRACE(run_.program);
            fs::remove_all(out);
            fs::create_directories(out);
            const Outcome r = run(run_.program, run_.args, limited);
            ASSERT_FALSE(r.timedOut);
            const std::vector<std::string> written = entries(out);
            for (const std::string& name : written) {
                EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
                EXPECT_TRUE(endsAsPng(out / name)) << name << " is cut short";
            }
            if (r.status == 0) {
                EXPECT_EQ(r.err, "");
                EXPECT_EQ(written, run_.pictures);
            } else {
                EXPECT_TRUE(failedWithOneLine(r, run_.name, run_.scriptLines));
            }
        }
        // The largest limit leaves room for everything (both programs need
        // some 150 MB at most, however their threads overlap).
        if (kilobytes == 1000000) {
            EXPECT_EQ(entries(out), runs[1].pictures);
        }
    }
    fs::remove_all(dir);
}

// A picture whose pixels alone need more than the memory limit (256 MB for
// tellurandi-steps at --screen 4096x4096, 384 MB for a shot at 4000 × 6000
// points, in 250 MB) cannot be drawn: the one line names its file. (Where
// Pango's threads leave too little for the fonts, the line says so instead:
// either will do, as above.)
TEST(Programs, APictureTooLargeForTheMemoryLimitIsNamed) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    const fs::path dir = freshDirectory("large_picture");
    const fs::path out = dir / "out";
    fs::create_directories(out);
    std::ofstream(dir / "script") << "screen 4000x6000\nshot " << (out / "large.png").string() << "\n";
    const struct {
        const char* program;
        std::vector<std::string> args;
        const char* name;
        bool scriptLines;   // its failing line may be "line N: …"
        std::string drawn;  // the line when the picture is what fails
    } runs[] = {
        {STEPS_EXE,
         {"addColumnSteps", "58", "67", "--png", out.string(), "--screen", "4096x4096"},
         "tellurandi-steps",
         false,
         "tellurandi-steps: cannot draw " + (out / "page-01.png").string() +
             ": an image of 8192 × 8192 pixels cannot be made: out of memory"},
        {SHOT_EXE,
         {(dir / "script").string()},
         "tellurandi-shot",
         true,
         "line 2: cannot draw " + (out / "large.png").string() +
             ": an image of 8000 × 12000 pixels cannot be made: out of memory"},
    };
    for (const auto& run_ : runs) {
        SCOPED_TRACE(run_.name);
        Options limited;
        limited.unset = kNoDisplay;
        limited.addressSpace = rlim_t{250000} * 1024;
        const Outcome r = run(run_.program, run_.args, limited);
        EXPECT_TRUE(failedWithOneLine(r, run_.name, run_.scriptLines));
        if (r.err.find("cannot draw") != std::string::npos) {
            EXPECT_EQ(r.err, run_.drawn + "\n");
        }
        EXPECT_EQ(entries(out), std::vector<std::string>{});
    }
    fs::remove_all(dir);
}

// ---- Threads that cannot start -------------------------------------------------

// With no thread to be had (ulimit -u 1), every program that draws ends
// with one line on standard error, "PROGRAM: …", and status 1, and leaves
// no temporary file: GLib's fatal line comes through even while the fonts
// are loading and fontconfig's messages are held back. With a few threads
// to be had, each either does all its work or ends so. (The app, with no
// display here, always ends with one line.)
TEST(Programs, ThreadsThatCannotStartEndWithOneLine) {
    const fs::path dir = freshDirectory("threads");
    fs::permissions(dir, fs::perms::all);  // the programs may run as nobody
    const std::string out = (dir / "out").string(), script = (dir / "script").string();
    std::ofstream(script) << "shot " << out << "/menu.png\n";
    const struct {
        const char* program;
        std::vector<std::string> args;
        const char* name;
    } runs[] = {
        {DRILL_CARDS_EXE, {out}, "drill-cards"},
        {STEPS_EXE, {"solveExtEquation", "2(x + 1) = 8", "--png", out}, "tellurandi-steps"},
        {SHOT_EXE, {script}, "tellurandi-shot"},
        {TELLURANDI_EXE, {}, "tellurandi"},
    };
    for (const auto& run_ : runs)
        for (const rlim_t processes : {1, 2, 3}) {
            SCOPED_TRACE(std::string(run_.name) + " with " + std::to_string(processes));
            fs::create_directories(out);
            fs::permissions(out, fs::perms::all);
            Options limited;
            limited.unset = kNoDisplay;
            limited.processes = processes;
            const Outcome r = run(run_.program, run_.args, limited);
            if (r.status != 0 || processes == 1) {
                EXPECT_TRUE(failedWithOneLine(r, run_.name));
            } else {
                EXPECT_EQ(r.err, "");
            }
            EXPECT_FALSE(holdsTemporaryFile(out));
            fs::remove_all(out);
        }
    fs::remove_all(dir);
}

// ---- Few files to be had ---------------------------------------------------------

// With few file descriptors (ulimit -n), where fonts may not load, each
// program that draws writes every picture whole with nothing on standard
// error, or ends with one line, status 1: "cannot draw" or "cannot load the
// fonts" where the text could not be drawn, never "cannot write", and none
// of Pango's warnings on lines of their own.
TEST(Programs, FewOpenFilesDrawAllOrFailWithOneLine) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' runtime needs file descriptors of its own (it reads memory through a pipe)";
#endif
    const fs::path dir = freshDirectory("open_files");
    const std::string out = (dir / "out").string(), script = (dir / "script").string();
    std::ofstream(script) << "shot " << out << "/menu.png\n";
    const struct {
        const char* program;
        std::vector<std::string> args;
        std::size_t pictures;
    } runs[] = {
        {DRILL_CARDS_EXE, {out}, 14},
        {STEPS_EXE, {"solveExtEquation", "2(x + 1) = 8", "--png", out}, 5},
        {SHOT_EXE, {script}, 1},
    };
    for (const auto& run_ : runs)
        for (const rlim_t files : {4, 5, 6, 8, 12, 32}) {
            SCOPED_TRACE(std::string(run_.program) + " with " + std::to_string(files) + " files");
            fs::create_directories(out);
            Options limited;
            limited.unset = kNoDisplay;
            limited.openFiles = files;
            const Outcome r = run(run_.program, run_.args, limited);
            if (r.status == 0) {
                EXPECT_EQ(r.err, "");
                EXPECT_EQ(entries(out).size(), run_.pictures);
            } else {
                EXPECT_TRUE(failedWithOneLine(r, fs::path(run_.program).filename().string(), true));
                EXPECT_EQ(r.err.find("cannot write"), std::string::npos) << r.err;
                EXPECT_TRUE(r.err.find("cannot draw") != std::string::npos ||
                            r.err.find("cannot load the fonts") != std::string::npos)
                    << r.err;
            }
            for (const std::string& name : entries(out)) EXPECT_TRUE(endsAsPng(fs::path(out) / name)) << name;
            fs::remove_all(out);
        }
    fs::remove_all(dir);
}

}  // namespace
