#include "tools/protocol/protocolwords.h"

#include <gtest/gtest.h>

TEST(ProtocolWords, KnowsTheCommandsAndTheRepliesApart)
{
    const struct
    {
        std::string word;
        bool command;
        bool reply;
    } rows[] = {
        { CProtocolWords::Hub, true, false },
        { CProtocolWords::Init, true, false },
        { CProtocolWords::Ping, true, false },
        { CProtocolWords::Pos, true, false },
        { CProtocolWords::Level, true, false },
        { CProtocolWords::Go, true, false },
        { CProtocolWords::Stop, true, false },
        { CProtocolWords::Quit, true, false },
        { CProtocolWords::SetParam, false, false },
        { CProtocolWords::Id, false, true },
        { CProtocolWords::Wait, false, true },
        { CProtocolWords::Param, false, true },
        { CProtocolWords::Ready, false, true },
        { CProtocolWords::Pong, false, true },
        { CProtocolWords::Done, false, true },
        { CProtocolWords::Error, false, true },
        { CProtocolWords::Info, false, false },
        { "", false, false },
        { "frob", false, false },
        { "Ping", false, false },
        { "ping ", false, false },
        { "don", false, false },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(CProtocolWords::isCommand(row.word), row.command) << row.word;
        EXPECT_EQ(CProtocolWords::isReply(row.word), row.reply) << row.word;
    }
    EXPECT_STREQ(CProtocolWords::Hub, "hub");
    EXPECT_STREQ(CProtocolWords::Error, "error");
}
