#include "tools/cli/enginecommand.h"
#include "tools/cli/engineoutput.h"
#include "tools/cli/enginesession.h"
#include "tools/protocol/protocolline.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";

// Feeds the lines to a new session and gives every answer, one a line.
std::string transcript(const std::vector<std::string> &lines)
{
    std::ostringstream answers;
    CEngineOutput output(answers);
    CEngineSession session(output);
    for (const std::string &line : lines) {
        for (const CProtocolLine &answer : session.answer(line))
            output.write(answer);
    }
    return answers.str();
}

// Runs the engine command on the input and gives what it wrote.
std::string engineOutput(const std::string &input)
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const CEngineCommand command(in);
    std::string error;
    EXPECT_TRUE(command.run({ {}, {}, out, err, false }, error));
    EXPECT_EQ(err.str(), "");
    return out.str();
}

} // namespace

TEST(EngineSession, AnswersEachLineAsTheProtocolSays)
{
    const struct
    {
        std::vector<std::string> lines;
        std::string answers;
    } rows[] = {
        { { "hub", "init", "ping" },
          "id name=checkers-cli version=" CHECKERS_VERSION "\nwait\nready\npong\n" },
        // Empty lines, unknown commands and arguments are passed over; so is
        // set-param, since this engine takes no parameter.
        { { "", "\r", "hello there=1", "set-param name=Hash value=1", "ping extra=2\r" },
          "pong\n" },
        // The move best gives for the position the steps lead to: 17 10.
        { { "pos pos=\"" + Initial + "\" moves=\"22-18 11-15\"", "level depth=5",
            "go think seed=7" },
          "done move=18x11\n" },
        { { "pos pos=\"bbbbbbbbbbbb......w.ww.wwwwwwwww b - 1\"", "level depth=5",
            "go think seed=7" },
          "done move=9-13\n" },
        // Until a position comes, the initial one.
        { { "level\tdepth=1", "go think seed=1" }, "done move=24-19\n" },
        // Pending captures in the position: the sequence goes on.
        { { "pos pos=\".................b.......b...w.. w - 12\" moves=\"30x23\"",
            "go think seed=1" },
          "done move=23x14\n" },
        { { "pos pos=\"bad\"", "go think seed=1" },
          "error message=\"bad position 'bad': position needs the squares and the side to "
          "move\"\nerror message=\"no position: the last one could not be taken\"\n" },
        { { "pos pos=\"" + Initial + "\" moves=\"22-19\"" },
          "error message=\"illegal step 22-19\"\n" },
        { { "pos pos=\"" + Initial + "\" moves=\"22_18\"" },
          "error message=\"bad step '22_18': write FROM-TO, squares 1 to 32\"\n" },
        { { "pos pos=\"" + Initial + "\" moves=\"0-4\"" },
          "error message=\"bad step '0-4': write FROM-TO, squares 1 to 32\"\n" },
        { { "pos pos=\"b...w...ww...................... w - 40\" moves=\"9-6 1-5\"" },
          "error message=\"the game is over before 1-5\"\n" },
        { { "pos pos=\"b...w........................... w\"", "go think seed=1" },
          "error message=\"the game is over\"\n" },
        { { "level depth=65", "go think seed=-1" },
          "error message=\"depth must be a whole number from 1 to 64, not '65'\"\n"
          "error message=\"seed must be a whole number from 0 to 4294967295, not '-1'\"\n" },
        { { "pos pos=\"" + Initial }, "error message=\"the value of pos has no closing quote\"\n" },
        // The first word decides: one not known is passed over whatever
        // follows it.
        { { "frob = x", "hello a=\"b", "\"", "hub\"", "x a=1 a=2" }, "" },
        // A known word with arguments that do not read: an error.
        { { "ping \"", "ping a=\"b", "ping a\"b c\"" },
          "error message=\"a quote is not closed\"\n"
          "error message=\"the value of a has no closing quote\"\n"
          "error message=\"a quote outside a quoted value\"\n" },
        { { "level depth=3 depth=4", "ping extra extra=1" },
          "error message=\"depth is given twice\"\nerror message=\"extra is given twice\"\n" },
        // A position line that does not read is a position refused.
        { { "pos pos=\"" + Initial + "\"x", "go think seed=7" },
          "error message=\"text after the closing quote of pos\"\n"
          "error message=\"no position: the last one could not be taken\"\n" },
        // No line at all, whatever the word.
        { { std::string("pi\0ng", 5), std::string("frob a=\0", 8), "ping\r\r", "\r\r" },
          "error message=\"a NUL byte in the line\"\nerror message=\"a NUL byte in the line\"\n"
          "error message=\"a CR inside the line\"\nerror message=\"a CR inside the line\"\n" },
        // A reply holds no byte outside printable ASCII, and a backslash is
        // doubled.
        { { "level depth=\x01\x1b[31m\xff\\", "level depth=\xc3\xa9\t1" },
          "error message=\"depth must be a whole number from 1 to 64, not "
          "'\\x01\\x1b[31m\\xff\\\\'\"\n"
          "error message=\"depth must be a whole number from 1 to 64, not '\\xc3\\xa9'\"\n" },
        // Each level line replaces the one before it; one refused changes
        // nothing, and stop with no search running is passed over.
        { { "level move-time=5", "level depth=1", "stop", "go think seed=1" },
          "done move=24-19\n" },
        { { "level depth=1", "level move-time=1 time=3", "level move-time=1 inc=3",
            "level time=5 depth=0", "level time=-1", "level move-time=86400.5",
            "level time=1 inc=x", "go think seed=1" },
          "error message=\"give move-time or time, not both\"\n"
          "error message=\"inc goes with time\"\n"
          "error message=\"depth must be a whole number from 1 to 64, not '0'\"\n"
          "error message=\"time must be a number of seconds from 0 to 86400, not '-1'\"\n"
          "error message=\"move-time must be a number of seconds from 0 to 86400, not "
          "'86400.5'\"\n"
          "error message=\"inc must be a number of seconds from 0 to 86400, not 'x'\"\n"
          "done move=24-19\n" },
        // A tab separates steps as a blank does.
        { { "pos pos=\"" + Initial + "\" moves=\"22-18\t11-15 \t\"", "level depth=5",
            "go think seed=7" },
          "done move=18x11\n" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(transcript(row.lines), row.answers) << row.lines.front();
}

TEST(EngineCommand, ReadsTheInputLineByLine)
{
    const struct
    {
        std::string input;
        std::string output;
    } rows[] = {
        // A byte-order mark only at the very start of the input.
        { "\xef\xbb\xbfping\n\xef\xbb\xbfping\n", "pong\n" },
        { std::string("pi\0ng\n", 6) + "ping\r\r\nping",
          "error message=\"a NUL byte in the line\"\n"
          "error message=\"a CR inside the line\"\npong\n" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(engineOutput(row.input), row.output) << row.input.substr(0, 20);
}

TEST(EngineSession, StopsAtQuit)
{
    std::ostringstream answers;
    CEngineOutput output(answers);
    CEngineSession session(output);
    EXPECT_TRUE(session.answer("quit").empty());
    EXPECT_TRUE(session.hasQuit());
}
