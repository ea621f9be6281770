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
    EXPECT_FALSE(CProtocolLine::parse("pos pos=\"open", line, reason));
    EXPECT_EQ(reason, "the value of pos has no closing quote");
    EXPECT_FALSE(CProtocolLine::parse("pos =1", line, reason));
}
