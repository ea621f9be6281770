#include "tools/referee/engineplayer.h"
#include "tools/position/position.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using Fault = CEnginePlayer::Fault;

const std::chrono::milliseconds Timeout(2000);
const std::atomic<bool> Never { false };

std::string fake(const std::string &mode)
{
    return std::string("bash ") + FAKE_ENGINE + ' ' + mode;
}

CPosition initial()
{
    CPosition position;
    position.reset();
    return position;
}

} // namespace

TEST(EnginePlayer, GreetsTheEngineAndAsksForSteps)
{
    CEnginePlayer engine(std::string(std::getenv("CHECKERS_CLI")) + " engine", 1, Timeout);
    std::string detail;
    ASSERT_EQ(engine.start(detail), Fault::None) << detail;
    EXPECT_EQ(engine.name(), "checkers-cli");
    EXPECT_EQ(engine.version(), CHECKERS_VERSION);
    int from = -1, to = -1;
    // best gives 23 18 at depth 1 from seed 1, 22 17 from seed 7.
    ASSERT_EQ(engine.chooseStep(initial(), 1, Never, from, to, detail), Fault::None) << detail;
    EXPECT_EQ(from * 100 + to, 2318);
    // Lines the referee does not know, such as info, are passed over.
    CEnginePlayer forwarded(fake("forward"), 1, Timeout);
    ASSERT_EQ(forwarded.start(detail), Fault::None) << detail;
    ASSERT_EQ(forwarded.chooseStep(initial(), 7, Never, from, to, detail), Fault::None) << detail;
    EXPECT_EQ(from * 100 + to, 2217);
}

TEST(EnginePlayer, NamesEveryFaultAndEndsTheEngine)
{
    const struct
    {
        const char *mode;
        int thinks;
        Fault fault;
        const char *detail;
    } rows[] = {
        { "illegal", 1, Fault::None, "" },
        { "crash", 3, Fault::Crash, "the engine has ended or closed its output" },
        { "hang", 1, Fault::Timeout, "no answer in time" },
        { "endless", 1, Fault::Broken,
          "a line over 65536 bytes: 'info nodes=1 info nodes=1 info nodes=1 i...'" },
        { "binary", 1, Fault::Broken, "a line not in text: 'done move=22-18\\x01'" },
        { "refuse", 1, Fault::Broken, "error 'no'" },
        { "steps", 1, Fault::Broken, "done without one step: '22x15x8'" },
    };
    for (const auto &row : rows) {
        CEnginePlayer engine(fake(row.mode), 1, std::chrono::milliseconds(500));
        std::string detail;
        ASSERT_EQ(engine.start(detail), Fault::None) << row.mode << ": " << detail;
        Fault fault = Fault::None;
        int from, to;
        for (int think = 0; think < row.thinks && fault == Fault::None; ++think)
            fault = engine.chooseStep(initial(), 1, Never, from, to, detail);
        EXPECT_EQ(fault, row.fault) << row.mode;
        EXPECT_EQ(detail, row.detail) << row.mode;
        EXPECT_EQ(engine.isRunning(), row.fault == Fault::None) << row.mode;
    }
}
