#include "clirun.h"

#include "tools/position/numbertext.h"
#include "tools/protocol/protocolline.h"
#include "tools/protocol/protocolstep.h"
#include "tools/referee/engineprocess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

// `checkers-cli engine` as a real process, driven as a referee drives it:
// searches on a clock and what it answers while one runs.

namespace {

using Clock = CEngineProcess::Clock;
using Lines = std::vector<std::string>;

const std::string Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";
const std::string MiddleGame = ".b....bbb.bb..W..w.bw..ww.wbww.. b";
const std::string Busy = "error message=\"a search is running: stop it first\"";
// Far beyond any answer a search on a clock owes; well within the 30 s a
// search runs unless stopped.
constexpr std::chrono::seconds Margin(2);
const std::atomic<bool> Never { false };

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
        EXPECT_EQ(readThrough("pong"), Lines { "pong" });
    }

    void send(const Lines &lines)
    {
        for (const std::string &line : lines)
            EXPECT_TRUE(m_engine.send(line)) << line;
    }
    // The lines up to the first that starts with word, that one too, which
    // must come within the time given.
    Lines readThrough(const std::string &word, std::chrono::milliseconds within = Margin)
    {
        Lines lines;
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

// The lines but info lines, a done without its step.
Lines answers(const Lines &lines)
{
    Lines kept;
    for (const std::string &line : lines) {
        if (line.rfind("info ", 0) != 0)
            kept.push_back(line.rfind("done ", 0) == 0 ? "done" : line);
    }
    return kept;
}

// Whether line is the info line of depth: a whole score, a count of
// nodes and the time in seconds to the millisecond.
bool isInfoOf(const std::string &line, int depth)
{
    CProtocolLine info;
    std::string reason;
    int score;
    double nodes, seconds;
    const std::string time = CProtocolLine::parse(line, info, reason) ? info.value("time") : "";
    return info.command() == "info" && info.value("depth") == std::to_string(depth)
        && CNumberText::parse(info.value("score"), score)
        && CNumberText::parse(info.value("nodes"), nodes) && time.size() > 4
        && time[time.size() - 4] == '.' && CNumberText::parse(time, seconds);
}

// The deepest depth of the info lines, which come in order from depth 1.
int deepest(const Lines &lines)
{
    int depth = 0;
    for (const std::string &line : lines) {
        if (line.rfind("info ", 0) == 0) {
            ++depth;
            EXPECT_TRUE(isInfoOf(line, depth)) << line;
        }
    }
    return depth;
}

// Expects the last line, done, to give the step best gives at that depth.
void expectBestStep(const Lines &lines, const std::string &position, int depth,
                    const std::string &seed)
{
    int from = -1, to = -1;
    ASSERT_TRUE(!lines.empty() && CProtocolStep::parse(lines.back().substr(10), from, to));
    const Outcome best = runCli({ "best", position, std::to_string(depth), seed });
    EXPECT_EQ(best.out.rfind(std::to_string(from) + ' ' + std::to_string(to) + ' ', 0), 0u)
        << best.out << " at depth " << depth << ", not " << lines.back();
}

} // namespace

// A search on a clock answers within its time, with the step of the deepest
// depth it reports; one at a fixed depth reports none.
TEST(EngineOnAClock, SearchesOnTheClock)
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
        engine.send({ "pos pos=\"" + row.position + '"', row.level, "go think seed=" + row.seed });
        const Lines lines = engine.readThrough("done", row.time + Margin);
        EXPECT_EQ(answers(lines), Lines { "done" }) << row.level;
        const int reported = deepest(lines);
        const int depth = row.depth ? row.depth : reported;
        EXPECT_EQ(reported, row.reports ? depth : 0) << row.level;
        expectBestStep(lines, row.position, depth, row.seed);
    }
}

// While it searches it answers ping, refuses what would change the search,
// and answers stop at once with the deepest depth done; a stop with no
// search is passed over.
TEST(EngineOnAClock, AnswersWhileItSearches)
{
    const struct
    {
        Lines sent;
        Lines answers;
    } rows[] = {
        { { "stop" }, { "done" } },
        { { "ping", "stop" }, { "pong", "done" } },
        { { "pos pos=\"" + Initial + '"', "level depth=3", "go think seed=1", "stop" },
          { Busy, Busy, Busy, "done" } },
    };
    for (const auto &row : rows) {
        EngineDriver engine;
        engine.send({ "pos pos=\"" + MiddleGame + '"', "level move-time=30", "go think seed=3" });
        Lines lines = engine.readThrough("info depth=1");
        engine.send(row.sent);
        for (const std::string &line : engine.readThrough("done"))
            lines.push_back(line);
        EXPECT_EQ(answers(lines), row.answers) << row.sent.front();
        expectBestStep(lines, MiddleGame, deepest(lines), "3");
        engine.send({ "stop", "ping" });
        EXPECT_EQ(engine.readThrough("pong"), Lines { "pong" });
    }
}

// Quit and the end of the input end a search at once, with no answer.
TEST(EngineOnAClock, EndsAtQuitOrTheEndOfTheInput)
{
    for (const bool quit : { true, false }) {
        EngineDriver engine;
        engine.send({ "level move-time=30", "go think seed=3" });
        engine.readThrough("info depth=1");
        const Clock::time_point sent = Clock::now();
        if (!quit) {
            // Closes its input and waits for it to end by itself.
            engine.process().end(Margin * 2);
            EXPECT_LT(Clock::now() - sent, Margin);
            continue;
        }
        engine.send({ "quit" });
        std::string line;
        while (engine.process().readLine(sent + Margin, Never, line)
               == CEngineProcess::Status::Line)
            EXPECT_EQ(line.rfind("info ", 0), 0u) << line;
        EXPECT_EQ(engine.process().howItEnded(), "exit status 0");
    }
}
