#include "tools/position/positiontext.h"
#include "tools/position/numbertext.h"

#include <gtest/gtest.h>

namespace {

const std::string Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";

CPosition parsed(const std::string &text)
{
    CPosition position;
    std::string error;
    EXPECT_TRUE(CPositionText::parse(text, position, error)) << error;
    return position;
}

std::string errorOf(const std::string &text)
{
    CPosition position;
    position.sideToMove = CGameState::Black;
    std::string error;
    EXPECT_FALSE(CPositionText::parse(text, position, error)) << text;
    EXPECT_EQ(position.sideToMove, CGameState::Black) << "changed by a failed parse";
    return error;
}

} // namespace

TEST(PositionText, InitialPositionReadsAsTheRulesSetItUp)
{
    const CPosition position = parsed(Initial);
    const CPosition initial;
    EXPECT_TRUE(std::equal(std::begin(position.squares), std::end(position.squares),
                           std::begin(initial.squares)));
    EXPECT_EQ(position.whiteCount, 12);
    EXPECT_EQ(position.blackCount, 12);
    EXPECT_EQ(position.sideToMove, CGameState::White);
    EXPECT_EQ(position.pendingCaptureCount, 0);
    EXPECT_EQ(position.pliesWithoutCapture, 0);
    EXPECT_EQ(position.lastCheckVerdict, CGameState::NoVerdict);
    EXPECT_EQ(CPositionText::format(position), Initial + " - 0");
}

TEST(PositionText, CountsPiecesAndKeepsPendingOrder)
{
    // The man on 10 goes on with the capture, over 6.
    const std::string text = "W..B.bb...w..............w.b...B w 5,27,3 40";
    const CPosition position = parsed(text);
    EXPECT_EQ(position.whiteCount, 3);
    EXPECT_EQ(position.whiteKings, 1);
    EXPECT_EQ(position.blackCount, 5);
    EXPECT_EQ(position.blackKings, 2);
    EXPECT_EQ(position.pendingCaptureCount, 3);
    EXPECT_EQ(position.pendingCaptures[0], 5);
    EXPECT_EQ(position.pendingCaptures[2], 3);
    EXPECT_EQ(position.pliesWithoutCapture, 40);
    EXPECT_EQ(CPositionText::format(position), text);
    EXPECT_EQ(CPositionText::format(parsed(Initial + " -")), Initial + " - 0");
}

TEST(PositionText, RefusesMalformedTextAndImpossiblePositions)
{
    const std::string squares = Initial.substr(0, 32);
    const std::pair<std::string, std::string> cases[] = {
        { "", "empty" },
        { squares, "side to move" },
        { squares.substr(1) + " w", "31 squares" },
        { squares + ". w", "33 squares" },
        { "x" + squares.substr(1) + " w", "unknown piece 'x' on square 0" },
        { squares + " x", "'w' or 'b', not 'x'" },
        { squares + "  w", "stray space" },
        { Initial + " ", "stray space" },
        { Initial + " - 0 junk", "'junk'" },
        { Initial + " 32", "32 is off the board" },
        { Initial + " -1", "-1 is off the board" },
        { Initial + " 1,a", "'a' is not a square" },
        { Initial + " 1,", "'' is not a square" },
        { Initial + " 1,2,1", "1 is listed twice" },
        { Initial + " 20", "20 holds no black piece" },
        { Initial + " 15", "15 holds no black piece" },
        { "bbbbbbbbbbbbb.......wwwwwwwwwwww w", "black has 13 pieces" },
        { "bbbbbbbbbbbb.......wwwwwwwwwwwww w", "white has 13 pieces" },
        { Initial + " - -1", "from 0 to 41, not '-1'" },
        { Initial + " - 1000001", "not '1000001'" },
        { Initial + " - 99999999999999999999", "not '99999999999999999999'" },
        { Initial + " - 4x", "not '4x'" },
        // Positions no game reaches.
        { "w..." + squares.substr(4, 27) + ". b", "white man on 0 would have been crowned" },
        { "...." + squares.substr(4, 27) + "b w", "black man on 31 would have been crowned" },
        { Initial + " 5", "no capture goes on from them" },
        { Initial + " - 42", "from 0 to 41, not '42'" },
    };
    for (const auto &[text, expected] : cases) {
        const std::string error = errorOf(text);
        EXPECT_NE(error.find(expected), std::string::npos) << text << " -> " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(NumberText, ReadsWholeIntegersWithoutOverflow)
{
    int value = 7;
    EXPECT_TRUE(CNumberText::parse("-2147483648", value));
    EXPECT_EQ(value, -2147483648LL);
    EXPECT_TRUE(CNumberText::parse("2147483647", value));
    EXPECT_EQ(value, 2147483647);
    for (const char *bad : { "", "-", "+1", " 1", "1 ", "0x10", "2147483648", "1e3", "1.0" }) {
        EXPECT_FALSE(CNumberText::parse(bad, value)) << bad;
        EXPECT_EQ(value, 2147483647);
    }
}
