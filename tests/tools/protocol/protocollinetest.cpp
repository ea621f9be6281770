#include "tools/protocol/protocolline.h"

#include <gtest/gtest.h>

TEST(ProtocolLine, QuotesOnlyWhatMustBeQuoted)
{
    const struct
    {
        std::string value;
        std::string written;
    } rows[] = {
        { "22-18", "go a=22-18" },
        { "", "go a=\"\"" },
        { "two words", "go a=\"two words\"" },
        { "x=y", "go a=\"x=y\"" },
        { "say \"no\"\nnow", "go a=\"say 'no' now\"" },
    };
    for (const auto &row : rows) {
        const CProtocolLine line = CProtocolLine("go").with("a", row.value);
        EXPECT_EQ(line.text(), row.written);
        CProtocolLine read;
        std::string reason;
        ASSERT_TRUE(CProtocolLine::parse(line.text(), read, reason)) << reason;
        EXPECT_EQ(read.text(), row.written);
    }
}

TEST(ProtocolLine, ReadsWordsQuotesTabsAndCarriageReturns)
{
    CProtocolLine line;
    std::string reason;
    ASSERT_TRUE(CProtocolLine::parse(" go\tthink  seed=7 pos=\"a b=c\" e=\"\"\r", line, reason));
    EXPECT_EQ(line.command(), "go");
    EXPECT_TRUE(line.has("think"));
    EXPECT_EQ(line.value("seed"), "7");
    EXPECT_EQ(line.value("pos"), "a b=c");
    EXPECT_TRUE(line.has("e"));
    EXPECT_EQ(line.text(), "go think seed=7 pos=\"a b=c\" e=\"\"");
    EXPECT_FALSE(line.has("f"));
}

// The first word is read whatever follows it, so that a reader can pass
// over a line whose word it does not know; a line with a word it knows is
// refused for the reason given.
TEST(ProtocolLine, RefusesArgumentsThatDoNotReadButGivesTheirFirstWord)
{
    const struct
    {
        std::string text;
        std::string command;
        std::string reason;
    } rows[] = {
        { "pos pos=\"open", "pos", "the value of pos has no closing quote" },
        { "pos =1", "pos", "an argument has no name" },
        // A quote that opens no value: a bare one is not closed.
        { "ping \"", "ping", "a quote is not closed" },
        { "ping a=b\"c", "ping", "a quote is not closed" },
        { "ping a\"b c\"", "ping", "a quote outside a quoted value" },
        { "ping a=b\"c\"", "ping", "a quote outside a quoted value" },
        { "\"ping\" a=1", "\"ping\"", "a quote outside a quoted value" },
        { "pos pos=\"a\"x moves=\"\"", "pos", "text after the closing quote of pos" },
        { "pos pos=\"a\"\"\"", "pos", "text after the closing quote of pos" },
        { "level depth=3 depth=4", "level", "depth is given twice" },
        { "go think seed=1 think", "go", "think is given twice" },
        // A name in a reason is cut.
        { "ping " + std::string(50, 'n') + "=\"", "ping",
          "the value of " + std::string(40, 'n') + "... has no closing quote" },
        // No line at all, whatever the word.
        { std::string("pi\0ng", 5), std::string("pi\0ng", 5), "a NUL byte in the line" },
        { std::string("ping a=\0", 8), "ping", "a NUL byte in the line" },
        { "ping\r\r", "ping\r", "a CR inside the line" },
        { "ping a=\"b\rc\"", "ping", "a CR inside the line" },
    };
    for (const auto &row : rows) {
        CProtocolLine line;
        std::string reason;
        EXPECT_FALSE(CProtocolLine::parse(row.text, line, reason)) << row.text;
        EXPECT_EQ(line.command(), row.command) << row.text;
        EXPECT_EQ(reason, row.reason) << row.text;
    }
}

TEST(ProtocolLine, TellsALineFromBytesThatAreNone)
{
    const struct
    {
        std::string text;
        bool line;
        std::string reason;
    } rows[] = {
        { "", true, "" },
        { "ping\r", true, "" },
        { "frob \x01\x1b\xff", true, "" },
        { std::string("\0", 1), false, "a NUL byte in the line" },
        { std::string("ping\0\r", 6), false, "a NUL byte in the line" },
        { "\r\r", false, "a CR inside the line" },
        { "pi\rng", false, "a CR inside the line" },
    };
    for (const auto &row : rows) {
        std::string reason;
        EXPECT_EQ(CProtocolLine::isLine(row.text, reason), row.line) << row.text;
        EXPECT_EQ(reason, row.reason) << row.text;
    }
}
