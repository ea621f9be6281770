#include "tools/cli/commandline.h"
#include "tools/cli/matchcommand.h"
#include "tools/cli/movescommand.h"
#include "tools/cli/perftcommand.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

const std::string Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";

struct Outcome
{
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string> &arguments)
{
    CCommandLine::CommandList commands;
    commands.push_back(std::make_unique<CMovesCommand>());
    commands.push_back(std::make_unique<CPerftCommand>());
    const CCommandLine commandLine(std::move(commands));
    std::ostringstream out, err;
    const int status = commandLine.run(arguments, out, err);
    return { status, out.str(), err.str() };
}

} // namespace

TEST(CommandLine, DispatchesByNameAndChecksTheArgumentCount)
{
    const Outcome perft = run({ "perft", Initial, "2" });
    EXPECT_EQ(perft.status, 0);
    EXPECT_EQ(perft.out, "49\n");
    EXPECT_EQ(perft.err, "");

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        { {},
          "usage: checkers-cli moves POS | perft POS DEPTH\n"
          "Try 'checkers-cli --help' for more information.\n" },
        { { "play", Initial, "22", "18" }, "checkers-cli: unknown command 'play'\n" },
        { { "moves" }, "checkers-cli: moves takes 1 argument (moves POS), not 0\n" },
        { { "perft", Initial },
          "checkers-cli: perft takes 2 arguments (perft POS DEPTH), not 1\n" },
        { { "-x", "moves", Initial }, "checkers-cli: unknown option '-x'\n" },
        { { "perft", Initial, "--depth", "2" }, "checkers-cli: perft has no option '--depth'\n" },
        { { "moves", "--help=1" }, "checkers-cli: --help takes no value\n" },
        { { "--version=2" }, "checkers-cli: --version takes no value\n" },
        // Quoted arguments are cut at 40 bytes.
        { { std::string(50, 'x') },
          "checkers-cli: unknown command '" + std::string(40, 'x') + "...'\n" },
        { { "moves", std::string(50, 'w') },
          "checkers-cli: bad position '" + std::string(40, 'w')
              + "...': position needs the squares and the side to move\n" },
    };
    // Negative numbers are arguments, not options.
    EXPECT_EQ(run({ "perft", Initial, "-1" }).err,
              "checkers-cli: DEPTH must be a whole number from 0 to 64, not '-1'\n");
    // The first of --help and --version wins, wherever it stands.
    const std::string Help = "usage: checkers-cli moves POS | perft POS DEPTH\n";
    const std::string Version = CCommandLine::version();
    const std::pair<std::vector<std::string>, std::string> answered[] = {
        { { "perft", Initial, "--help" }, Help },
        { { "--help", "--version" }, Help },
        { { "--version", "moves", "--help" }, Version },
        { { "perft", "--version", Initial, "--help", "x" }, Version },
        { { "moves", "--bogus", "--help" }, Help },
    };
    for (const auto &[arguments, answer] : answered) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out.substr(0, answer.size()), answer);
        EXPECT_EQ(outcome.err, "");
    }
    for (const auto &[arguments, err] : refused) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, CCommandLine::BadInput);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, err);
    }
}

// Found by fuzzing: the refused text was echoed raw, so a newline in an
// argument split the error line and escape sequences reached the terminal.
TEST(CommandLine, ShowsRefusedBytesAsEscapes)
{
    EXPECT_EQ(run({ "fly\n\x1b[2J\xff\\" }).err,
              "checkers-cli: unknown command 'fly\\x0a\\x1b[2J\\xff\\\\'\n");
    const Outcome outcome = run({ "moves", Initial + "\r\n" });
    EXPECT_EQ(outcome.status, CCommandLine::BadInput);
    EXPECT_EQ(outcome.err,
              "checkers-cli: bad position '" + Initial
                  + "\\x0d\\x0a': side to move must be 'w' or 'b', not 'w\\x0d\\x0a'\n");
}

// The words after match's name: its options wherever they stand before
// "--", its arguments in order; each refusal names the option.
TEST(CommandLine, ReadsOptionsAndArgumentsAsTyped)
{
    using Options = std::map<std::string, std::string>;
    struct Case
    {
        std::vector<std::string> words;
        std::vector<std::string> arguments;
        Options options;
        std::string error;
    };
    const Case cases[] = {
        { { "poor", "good", "--", "2", "1" }, { "poor", "good", "2", "1" }, {}, "" },
        { { "--pdn", "a", "--", "--jobs", "-j" }, { "a", "--jobs", "-j" }, { { "pdn", "" } }, "" },
        { { "a", "-j", "3", "b" }, { "a", "b" }, { { "jobs", "3" } }, "" },
        { { "-j3", "--pdn" }, {}, { { "jobs", "3" }, { "pdn", "" } }, "" },
        { { "--jobs=4", "-1", "-" }, { "-1", "-" }, { { "jobs", "4" } }, "" },
        { { "--jobs", "--pdn" }, {}, { { "jobs", "--pdn" } }, "" },
        { { "--jobs", "1", "-j", "2" }, {}, {}, "--jobs is given twice" },
        { { "--param", "x:a=1", "--param=y:b=" },
          {},
          { { "param", std::string("x:a=1\0y:b=", 10) } },
          "" },
        { { "a", "--jobs" }, {}, {}, "--jobs needs a value: --jobs N" },
        { { "-j" }, {}, {}, "-j needs a value: -j N" },
        { { "--pdn=1" }, {}, {}, "--pdn takes no value" },
        { { "--pdn=" }, {}, {}, "--pdn takes no value" },
        { { "--pgn" }, {}, {}, "match has no option '--pgn'" },
        { { "-p" }, {}, {}, "match has no option '-p'" },
        { { "--" + std::string(50, 'x') + "=1" },
          {},
          {},
          "match has no option '--" + std::string(38, 'x') + "...'" },
    };
    const CMatchCommand match;
    for (const Case &test : cases) {
        std::vector<std::string> arguments;
        Options options;
        std::string error;
        const bool read = CCommandLine::readWords(match, test.words, arguments, options, error);
        EXPECT_EQ(read, test.error.empty()) << test.words[0];
        EXPECT_EQ(error, test.error);
        if (read) {
            EXPECT_EQ(arguments, test.arguments) << test.words[0];
            EXPECT_EQ(options, test.options) << test.words[0];
        }
    }
}
