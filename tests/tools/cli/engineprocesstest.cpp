#include "clirun.h"

#include "tools/protocol/protocolline.h"
#include "tools/referee/engineprocess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

// `checkers-cli engine` as a referee drives it, a real process: searches on
// a clock and what it answers while one runs.

namespace {

using Clock = CEngineProcess::Clock;

const std::string Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";
const std::string MiddleGame = ".b....bbb.bb..W..w.bw..ww.wbww.. b";
const std::string Busy = "error message=\"a search is running: stop it first\"";
// Far beyond any answer a search on a clock owes; well within the 30 s a
// search runs unless stopped.
constexpr std::chrono::seconds Margin(2);
const std::atomic<bool> Never { false };

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One engine, started and greeted, so that its start-up is not timed.
class EngineDriver
{
public:
    EngineDriver()
        : m_engine({ std::getenv("CHECKERS_CLI"), "engine" }, CProtocolLine::MaxLength)
    {
        std::string reason;
        EXPECT_TRUE(m_engine.start(reason)) << reason;
        send({ "ping" });
        EXPECT_EQ(readThrough("pong"), std::vector<std::string> { "pong" });
    }

    void send(const std::vector<std::string> &lines)
    {
        for (const std::string &line : lines)
            EXPECT_TRUE(m_engine.send(line)) << line;
    }
    // The lines up to one that starts with word, that one too, within the
    // margin of now; none if the output ends first.
    std::vector<std::string> readThrough(const std::string &word,
                                         std::chrono::milliseconds within = Margin)
    {
        std::vector<std::string> lines;
        std::string line;
        const Clock::time_point deadline = Clock::now() + within;
        while (m_engine.readLine(deadline, Never, line) == CEngineProcess::Status::Line) {
            lines.push_back(line);
            if (line.rfind(word, 0) == 0)
                return lines;
        }
        ADD_FAILURE() << "no " << word << " in time";
        return {};
    }
    CEngineProcess &process() { return m_engine; }

private:
    CEngineProcess m_engine;
};

// The lines but info lines, and a done without its step.
std::vector<std::string> answers(const std::vector<std::string> &lines)
{
    std::vector<std::string> kept;
    for (const std::string &line : lines) {
        if (line.rfind("info ", 0) != 0)
            kept.push_back(line.rfind("done ", 0) == 0 ? "done" : line);
    }
    return kept;
}

// The depth of each info line, which must come in order from 1.
int deepest(const std::vector<std::string> &lines)
{
    int depth = 0;
    for (const std::string &line : lines) {
        if (line.rfind("info depth=", 0) == 0) {
            EXPECT_EQ(line.substr(0, line.find(' ', 5)), "info depth=" + std::to_string(++depth));
            EXPECT_NE(line.find(" score="), std::string::npos) << line;
            EXPECT_NE(line.find(" nodes="), std::string::npos) << line;
            EXPECT_NE(line.find(" time="), std::string::npos) << line;
        }
    }
    return depth;
}

// Expects the done line, the last, to give the step that best gives at that
// depth, in PDN squares.
void expectBestStep(const std::vector<std::string> &lines, const std::string &position, int depth,
                    const std::string &seed)
{
    ASSERT_FALSE(lines.empty());
    const Outcome best = runCli({ "best", position, std::to_string(depth), seed });
    ASSERT_EQ(best.status, 0) << best.err;
    const int from = std::stoi(best.out);
    const int to = std::stoi(best.out.substr(best.out.find(' ')));
    const std::string &done = lines.back();
    const std::size_t separator = done.find_first_of("-x", 10);
    ASSERT_NE(separator, std::string::npos) << done;
    EXPECT_EQ(done.substr(10, separator - 10), std::to_string(from + 1)) << done;
    EXPECT_EQ(done.substr(separator + 1), std::to_string(to + 1)) << done;
}

} // namespace

// A search on a clock answers within its time, with the step of the deepest
// depth it reports; one at a fixed depth reports none.
TEST(EngineProcess, SearchesOnTheClock)
{
    using std::chrono::milliseconds;
    const struct
    {
        std::string position;
        std::string level;
        std::string seed;
        // The step's time, when the clock decides how deep it goes.
        milliseconds time;
        // The depth of its step when the level sets it.
        int depth;
        bool reports;
    } rows[] = {
        { Initial, "level move-time=0.2", "5", milliseconds(200), 0, true },
        { MiddleGame, "level move-time=0.2 depth=64", "9", milliseconds(200), 0, true },
        // A twentieth of 3 s and three quarters of 0.2 s.
        { MiddleGame, "level time=3 inc=0.2", "1", milliseconds(300), 0, true },
        { MiddleGame, "level move-time=30 depth=3", "1", milliseconds(0), 3, true },
        { MiddleGame, "level depth=4", "1", milliseconds(0), 4, false },
    };
    for (const auto &row : rows) {
        EngineDriver engine;
        engine.send({ "pos pos=\"" + row.position + '"', row.level });
        const Clock::time_point sent = Clock::now();
        engine.send({ "go think seed=" + row.seed });
        const std::vector<std::string> lines = engine.readThrough("done", row.time + Margin);
        EXPECT_LT(secondsSince(sent), std::chrono::duration<double>(row.time + Margin).count())
            << row.level;
        EXPECT_EQ(answers(lines), std::vector<std::string> { "done" }) << row.level;
        const int reported = deepest(lines);
        EXPECT_EQ(reported > 0, row.reports) << row.level;
        const int depth = row.depth ? row.depth : reported;
        if (row.reports) {
            EXPECT_EQ(reported, depth) << row.level;
        }
        expectBestStep(lines, row.position, depth, row.seed);
    }
}

// While it searches it answers ping, refuses what would change the search,
// and answers stop at once with the deepest depth done; a stop with no
// search is passed over.
TEST(EngineProcess, AnswersWhileItSearches)
{
    const struct
    {
        std::vector<std::string> sent;
        std::vector<std::string> answers;
    } rows[] = {
        { { "stop" }, { "done" } },
        { { "ping", "stop" }, { "pong", "done" } },
        { { "pos pos=\"" + Initial + '"', "level depth=3", "go think seed=1", "stop" },
          { Busy, Busy, Busy, "done" } },
    };
    for (const auto &row : rows) {
        EngineDriver engine;
        engine.send({ "pos pos=\"" + MiddleGame + '"', "level move-time=30", "go think seed=3" });
        std::vector<std::string> lines = engine.readThrough("info depth=1");
        engine.send(row.sent);
        for (const std::string &line : engine.readThrough("done"))
            lines.push_back(line);
        EXPECT_EQ(answers(lines), row.answers) << row.sent.front();
        expectBestStep(lines, MiddleGame, deepest(lines), "3");
        engine.send({ "stop", "ping" });
        EXPECT_EQ(engine.readThrough("pong"), std::vector<std::string> { "pong" });
    }
}

// Quit and the end of the input end a search at once, with no answer.
TEST(EngineProcess, EndsAtQuitOrTheEndOfTheInput)
{
    for (const bool quit : { true, false }) {
        EngineDriver engine;
        engine.send({ "level move-time=30", "go think seed=3" });
        engine.readThrough("info depth=1");
        const Clock::time_point sent = Clock::now();
        if (quit) {
            engine.send({ "quit" });
            std::string line;
            CEngineProcess::Status status;
            while ((status = engine.process().readLine(Clock::now() + Margin, Never, line))
                   == CEngineProcess::Status::Line)
                EXPECT_EQ(line.rfind("info ", 0), 0u) << line;
            EXPECT_EQ(status, CEngineProcess::Status::Closed);
            EXPECT_EQ(engine.process().howItEnded(), "exit status 0");
        } else {
            // Waits for it to end by itself, then ends it.
            engine.process().end(Margin * 2);
        }
        EXPECT_LT(secondsSince(sent), std::chrono::duration<double>(Margin).count()) << quit;
    }
}
