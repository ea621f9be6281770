#include "tools/referee/engineprocess.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

using Status = CEngineProcess::Status;
using Clock = CEngineProcess::Clock;

// The engine protocol's longest line.
constexpr std::size_t MaxLine = 65536;
const std::atomic<bool> Never { false };

std::vector<std::string> fake(const std::string &mode)
{
    return { "bash", FAKE_ENGINE, mode };
}

std::vector<std::string> realEngine()
{
    return { std::getenv("CHECKERS_CLI"), "engine" };
}

// A deadline that a test that works never meets.
Clock::time_point later()
{
    return Clock::now() + std::chrono::seconds(60);
}

void start(CEngineProcess &engine, const std::vector<std::string> &sent)
{
    std::string reason;
    ASSERT_TRUE(engine.start(reason)) << reason;
    for (const std::string &line : sent)
        ASSERT_TRUE(engine.send(line)) << line;
}

bool exists(const std::string &pid)
{
    return access(("/proc/" + pid).c_str(), F_OK) == 0;
}

} // namespace

TEST(EngineProcess, ReadsTheOutputLineByLine)
{
    struct Read
    {
        Status status;
        std::string line;
    };
    const std::string longInfo = "info " + std::string(MaxLine - 5, '0');
    const struct
    {
        std::vector<std::string> words;
        std::size_t maxLine;
        std::vector<std::string> sent;
        std::vector<Read> reads;
        // Whether more is waiting after the reads.
        bool hasOutput;
    } rows[] = {
        { realEngine(), MaxLine, { "ping" }, { { Status::Line, "pong" } }, false },
        { fake("crlf"), MaxLine, { "ping" }, { { Status::Line, "pong\r" } }, false },
        // The line outgrows the pipe: it comes in several reads. best gives
        // 23 18 at depth 1 from seed 1.
        { fake("long-info"),
          MaxLine,
          { "level depth=1", "go think seed=1" },
          { { Status::Line, longInfo }, { Status::Line, "done move=24-19" } },
          false },
        // The rest of a line that is too long comes as a line of its own.
        { { "printf", "abcd\nabcde\n" },
          4,
          {},
          { { Status::Line, "abcd" },
            { Status::TooLong, "abcd" },
            { Status::Line, "e" },
            { Status::Closed, "" } },
          true },
        { { "printf", "last" }, 4, {}, { { Status::Line, "last" }, { Status::Closed, "" } }, true },
    };
    for (const auto &row : rows) {
        const std::string name = row.words.back();
        CEngineProcess engine(row.words, row.maxLine);
        start(engine, row.sent);
        for (const Read &read : row.reads) {
            std::string line;
            EXPECT_EQ(engine.readLine(later(), Never, line), read.status) << name;
            EXPECT_EQ(line, read.line) << name;
        }
        EXPECT_EQ(engine.hasOutput(), row.hasOutput) << name;
    }
}

TEST(EngineProcess, FindsTheEndOfTheOutputAtOnceAndTellsHowItCame)
{
    const std::vector<std::string> thirdGo { "go think", "go think", "go think" };
    const struct
    {
        std::vector<std::string> words;
        std::vector<std::string> sent;
        const char *ended;
        // Whether it still runs and takes lines.
        bool running;
        bool takesLines;
    } rows[] = {
        { fake("crash"), thirdGo, "exit status 3", false, false },
        { fake("segfault"), thirdGo, "killed by signal 11 (Segmentation fault)", false, false },
        { fake("close-output"), thirdGo, "closed its output", true, true },
        // Its input closed, a line gives EPIPE, and the SIGPIPE with it must
        // not end the test.
        { { "sh", "-c", "exec <&- >&-; sleep 1000" }, {}, "closed its output", true, false },
        // The sleepers it started keep its output open after it quits.
        { fake("daemon"), { "go think", "quit" }, "exit status 0", false, false },
    };
    for (const auto &row : rows) {
        const std::string name = row.words.back();
        CEngineProcess engine(row.words, MaxLine);
        start(engine, row.sent);
        std::string line;
        Status status;
        while ((status = engine.readLine(later(), Never, line)) == Status::Line) { }
        EXPECT_EQ(status, Status::Closed) << name;
        EXPECT_EQ(engine.howItEnded(), row.ended) << name;
        EXPECT_EQ(engine.isRunning(), row.running) << name;
        EXPECT_EQ(engine.send("ping"), row.takesLines) << name;
    }
}

TEST(EngineProcess, WaitsForAnswersUntilTheDeadlineOrTheStop)
{
    const struct
    {
        std::chrono::milliseconds deadline;
        // When another thread sets the stop flag, if it does.
        std::chrono::milliseconds stopAfter;
        Status status;
    } rows[] = {
        { std::chrono::seconds(60), std::chrono::milliseconds(100), Status::Stopped },
        { std::chrono::milliseconds(100), std::chrono::milliseconds::max(), Status::TimedOut },
    };
    for (const auto &row : rows) {
        CEngineProcess engine({ "sleep", "1000" }, MaxLine);
        start(engine, {});
        std::atomic<bool> stop { false };
        std::thread stopper([&] {
            if (row.stopAfter != std::chrono::milliseconds::max()) {
                std::this_thread::sleep_for(row.stopAfter);
                stop = true;
            }
        });
        const Clock::time_point started = Clock::now();
        std::string line;
        EXPECT_EQ(engine.readLine(started + row.deadline, stop, line), row.status);
        // Far sooner, on a machine however slow, than the deadline of 60 s.
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(30));
        stopper.join();
        EXPECT_FALSE(engine.hasOutput());
    }
}

TEST(EngineProcess, SaysWhyItCannotStart)
{
    const struct
    {
        std::vector<std::string> words;
        const char *reason;
    } rows[] = {
        { { "/nonexistent/engine" }, "No such file or directory" },
        { { "/dev/null", "engine" }, "Permission denied" },
        { {}, "the command is empty" },
    };
    for (const auto &row : rows) {
        CEngineProcess engine(row.words, MaxLine);
        std::string reason;
        EXPECT_FALSE(engine.start(reason));
        EXPECT_EQ(reason, row.reason);
        EXPECT_FALSE(engine.isRunning());
        EXPECT_FALSE(engine.send("ping"));
    }
}

TEST(EngineProcess, LeavesNothingThatEnginesStartedRunning)
{
    // Named after the test's process: other builds may run this test at once.
    const std::string daemons
        = testing::TempDir() + "fake-engine-daemons-" + std::to_string(getpid());
    // Each engine leaves two sleepers in sessions of their own.
    for (const int engines : { 1, 3 }) {
        std::remove(daemons.c_str());
        const auto play = [&] {
            CEngineProcess engine(
                { "env", "FAKE_ENGINE_DAEMONS=" + daemons, "bash", FAKE_ENGINE, "daemon" },
                MaxLine);
            start(engine, { "go think" });
            std::string line;
            while (engine.readLine(later(), Never, line) == Status::Line
                   && line.rfind("done", 0) != 0) { }
            engine.end();
        };
        std::vector<std::thread> threads;
        threads.reserve(engines);
        for (int engine = 0; engine < engines; ++engine)
            threads.emplace_back(play);
        for (std::thread &thread : threads)
            thread.join();
        std::ifstream file(daemons);
        int count = 0;
        for (std::string pid; file >> pid; ++count)
            EXPECT_FALSE(exists(pid)) << pid;
        EXPECT_EQ(count, 2 * engines);
    }
    std::remove(daemons.c_str());
}
