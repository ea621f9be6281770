#include "tools/referee/engineprocess.h"
#include "tools/position/position.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

using Fault = CEngineProcess::Fault;

const std::chrono::milliseconds Timeout(2000);

std::string fake(const std::string &mode)
{
    return std::string("bash ") + FAKE_ENGINE + ' ' + mode;
}

bool groupIsAlive(int group)
{
    for (const auto &entry : std::filesystem::directory_iterator("/proc")) {
        // /proc/PID/stat: PID (NAME) STATE PPID PGRP ...; NAME may hold blanks.
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        std::getline(stat, text);
        const std::size_t name = text.rfind(')');
        if (name == std::string::npos)
            continue;
        std::istringstream fields(text.substr(name + 1));
        char state = 0;
        int parent = 0, processGroup = 0;
        fields >> state >> parent >> processGroup;
        if (processGroup == group && state != 'Z')
            return true;
    }
    return false;
}

CPosition initial()
{
    CPosition position;
    position.reset();
    return position;
}

// Whether a process of the group the fake engine wrote down is still alive
// after a second: one that was killed may take a moment to die, and stays
// a zombie until its new parent reaps it.
bool groupIsLeft(const std::string &file)
{
    int group = 0;
    std::ifstream(file) >> group;
    for (int tries = 0; tries < 100; ++tries) {
        if (!groupIsAlive(group))
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace

TEST(EngineProcess, GreetsTheEngineAndAsksForSteps)
{
    CEngineProcess engine(std::string(std::getenv("CHECKERS_CLI")) + " engine", Timeout);
    std::string detail;
    ASSERT_EQ(engine.start(detail), Fault::None) << detail;
    EXPECT_EQ(engine.name(), "checkers-cli");
    EXPECT_EQ(engine.version(), CHECKERS_VERSION);
    int from = -1, to = -1;
    // best gives 23 18 at depth 1 from seed 1, 22 17 from seed 7.
    ASSERT_EQ(engine.think(initial(), 1, 1, from, to, detail), Fault::None) << detail;
    EXPECT_EQ(from * 100 + to, 2318);
    // Lines the referee does not know, such as info, are passed over.
    CEngineProcess forwarded(fake("forward"), Timeout);
    ASSERT_EQ(forwarded.start(detail), Fault::None) << detail;
    ASSERT_EQ(forwarded.think(initial(), 1, 7, from, to, detail), Fault::None) << detail;
    EXPECT_EQ(from * 100 + to, 2217);
}

TEST(EngineProcess, NamesEveryFaultAndLeavesNoProcess)
{
    const std::string pids = testing::TempDir() + "fake-engine-pids";
    setenv("FAKE_ENGINE_PIDS", pids.c_str(), 1);
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
        CEngineProcess engine(fake(row.mode), std::chrono::milliseconds(500));
        std::string detail;
        ASSERT_EQ(engine.start(detail), Fault::None) << row.mode << ": " << detail;
        Fault fault = Fault::None;
        int from, to;
        for (int think = 0; think < row.thinks && fault == Fault::None; ++think)
            fault = engine.think(initial(), 1, 1, from, to, detail);
        EXPECT_EQ(fault, row.fault) << row.mode;
        EXPECT_EQ(detail, row.detail) << row.mode;
        engine.end();
        EXPECT_FALSE(groupIsLeft(pids)) << row.mode;
    }
    unsetenv("FAKE_ENGINE_PIDS");
}

TEST(EngineProcess, RefusesEnginesThatCannotStartOrGreet)
{
    std::string detail;
    CEngineProcess missing("/nonexistent/engine", Timeout);
    EXPECT_EQ(missing.start(detail), Fault::Crash);
    EXPECT_EQ(detail.rfind("cannot start: ", 0), 0u) << detail;
    CEngineProcess silent(fake("silent"), std::chrono::milliseconds(300));
    EXPECT_EQ(silent.start(detail), Fault::Timeout);
    EXPECT_FALSE(silent.isRunning());
}
