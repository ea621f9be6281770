#include "tools/referee/engineclient.h"
#include "tools/position/position.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using Fault = CEngineClient::Fault;

const std::chrono::milliseconds Timeout(2000);
const std::atomic<bool> Never { false };

std::vector<std::string> fake(const std::string &mode)
{
    return { "bash", FAKE_ENGINE, mode };
}

CPosition initial()
{
    CPosition position;
    position.reset();
    return position;
}

// Asks for a step at depth 1 from the initial position.
Fault think(CEngineClient &engine, std::uint32_t seed, CMatchPlayer::Answer &answer)
{
    const CPosition position = initial();
    return engine.think({ position, seed, std::nullopt }, 1, Never, answer);
}

} // namespace

TEST(EngineClient, GreetsTheEngineAndAsksForSteps)
{
    CEngineClient engine({ std::getenv("CHECKERS_CLI"), "engine" }, Timeout);
    std::string detail;
    ASSERT_EQ(engine.start(detail), Fault::None) << detail;
    EXPECT_EQ(engine.name(), "checkers-cli");
    EXPECT_EQ(engine.version(), CHECKERS_VERSION);
    CMatchPlayer::Answer answer;
    // best gives 23 18 at depth 1 from seed 1, 22 17 from seed 7.
    ASSERT_EQ(think(engine, 1, answer), Fault::None) << answer.detail;
    EXPECT_EQ(answer.from * 100 + answer.to, 2318);
    // Lines the referee does not know, such as info, are passed over.
    CEngineClient forwarded(fake("forward"), Timeout);
    ASSERT_EQ(forwarded.start(detail), Fault::None) << detail;
    ASSERT_EQ(think(forwarded, 7, answer), Fault::None) << answer.detail;
    EXPECT_EQ(answer.from * 100 + answer.to, 2217);
}

TEST(EngineClient, NamesEveryFaultAndEndsTheEngine)
{
    const struct
    {
        const char *mode;
        int thinks;
        Fault fault;
        const char *detail;
    } rows[] = {
        { "illegal", 1, Fault::None, "" },
        { "crash", 3, Fault::Crash, "exit status 3" },
        { "segfault", 3, Fault::Crash, "killed by signal 11 (Segmentation fault)" },
        { "close-output", 3, Fault::Crash, "closed its output" },
        { "twice", 1, Fault::Broken, "an answer nobody asked for: 'done move=24-19'" },
        { "crlf", 3, Fault::None, "" },
        // A line whose first word the referee does not know is passed over
        // whatever follows; one it knows must read.
        { "odd-info", 2, Fault::None, "" },
        { "bad-done", 1, Fault::Broken,
          "the value of move has no closing quote: 'done move=\"22-18'" },
        { "long-info", 3, Fault::None, "" },
        { "hang", 1, Fault::Timeout, "no answer in time" },
        { "endless", 1, Fault::Broken,
          "a line over 65536 bytes: 'info nodes=1 info nodes=1 info nodes=1 i...'" },
        { "binary", 1, Fault::Broken, "a line not in text: 'done move=22-18\\x01'" },
        { "refuse", 1, Fault::Broken, "error 'no'" },
        { "steps", 1, Fault::Broken, "done without one step: '22x15x8'" },
    };
    for (const auto &row : rows) {
        CEngineClient engine(fake(row.mode),
                             std::chrono::milliseconds(row.fault == Fault::Timeout ? 500 : 60000));
        std::string detail;
        ASSERT_EQ(engine.start(detail), Fault::None) << row.mode << ": " << detail;
        Fault fault = Fault::None;
        CMatchPlayer::Answer answer;
        for (int thinks = 0; thinks < row.thinks && fault == Fault::None; ++thinks)
            fault = think(engine, 1, answer);
        EXPECT_EQ(fault, row.fault) << row.mode;
        EXPECT_EQ(answer.detail, row.detail) << row.mode;
        EXPECT_EQ(engine.isRunning(), row.fault == Fault::None) << row.mode;
    }
}
