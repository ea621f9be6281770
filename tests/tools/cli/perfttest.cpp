#include "engine/gamenode.h"
#include "tools/cli/perftcommand.h"
#include "tools/position/position.h"
#include "tools/position/positiontext.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using Steps = std::vector<std::pair<int, int>>;

// The definition itself: every pair of squares put to the rules.
Steps allLegalPairs(const CGameState &position)
{
    Steps steps;
    int captured;
    for (int from = 0; from < CGameState::SquareCount; ++from) {
        for (int to = 0; to < CGameState::SquareCount; ++to) {
            if (position.isLegalMove(from, to, captured))
                steps.emplace_back(from, to);
        }
    }
    return steps;
}

Steps listed(const CGameState &position)
{
    Steps steps;
    CGameNode node(position, 0);
    while (const int *move = node.nextMove())
        steps.emplace_back(move[0], move[1]);
    return steps;
}

std::uint64_t bruteForcePerft(const CPosition &position, int depth)
{
    if (depth == 0)
        return 1;
    std::uint64_t total = 0;
    for (const auto &[from, to] : allLegalPairs(position)) {
        CPosition next = position;
        next.makeMove(from, to);
        total += bruteForcePerft(next, depth - 1);
    }
    return total;
}

CPosition fromText(const std::string &text)
{
    CPosition position;
    std::string error;
    EXPECT_TRUE(CPositionText::parse(text, position, error)) << error;
    return position;
}

// Up to twelve pieces of each side anywhere, a man on the row where it
// would have been crowned made a king.
CPosition randomPosition(std::mt19937 &random)
{
    const char pieces[] = "wWbB";
    std::string text(CGameState::SquareCount, '.');
    int white = 0, black = 0;
    for (char &cell : text) {
        if (random() % 3 != 0)
            continue;
        char piece = pieces[random() % 4];
        const auto square = &cell - text.data();
        if ((piece == 'w' && square <= 3) || (piece == 'b' && square >= 28))
            piece = piece == 'w' ? 'W' : 'B';
        int &count = piece == 'w' || piece == 'W' ? white : black;
        if (count < 12) {
            cell = piece;
            ++count;
        }
    }
    return fromText(text + (random() % 2 != 0 ? " w" : " b"));
}

} // namespace

TEST(MoveList, InitialPositionInOrder)
{
    EXPECT_EQ(
        listed(CPosition()),
        (Steps {
            { 20, 16 }, { 21, 16 }, { 21, 17 }, { 22, 17 }, { 22, 18 }, { 23, 18 }, { 23, 19 } }));
}

// Random boards played on at random: quiet moves, man and king captures and
// positions inside capture sequences all come up.
TEST(MoveList, MatchesEveryPairTheRulesAccept)
{
    std::mt19937 random(20240611);
    int positions = 0, withCaptureSequence = 0;
    for (int game = 0; game < 400; ++game) {
        CPosition position = game % 4 == 0 ? CPosition() : randomPosition(random);
        for (int ply = 0; ply < 60; ++ply) {
            const Steps expected = allLegalPairs(position);
            ASSERT_EQ(listed(position), expected) << CPositionText::format(position);
            ++positions;
            withCaptureSequence += position.pendingCaptureCount > 0;
            if (expected.empty())
                break;
            const auto [from, to] = expected[random() % expected.size()];
            position.makeMove(from, to);
        }
    }
    EXPECT_GT(positions, 10000);
    EXPECT_GT(withCaptureSequence, 100);
}

TEST(Perft, InitialPositionCounts)
{
    const std::uint64_t expected[] = { 1, 7, 49, 302, 1469, 7361, 36768 };
    for (int depth = 0; depth <= 6; ++depth)
        EXPECT_EQ(CPerftCommand::count(CPosition(), depth), expected[depth]) << depth;
    EXPECT_EQ(bruteForcePerft(CPosition(), 4), 1469u);
}

TEST(Perft, AgreesWithBruteForceOnEndgames)
{
    const char *positions[] = {
        "W..............................B w",
        "...B.....W.......b....w.......W. b",
        "..W....b....B.....w..b...w..W... w 21",
        "b...w....W....B...b......w.B.... w - 38",
    };
    for (const char *text : positions) {
        const CPosition position = fromText(text);
        for (int depth = 0; depth <= 5; ++depth)
            EXPECT_EQ(CPerftCommand::count(position, depth), bruteForcePerft(position, depth))
                << text << " depth " << depth;
    }
}

TEST(Perft, NoStepMeansNoSuccessors)
{
    const CPosition blocked = fromText("b...w........................... w");
    EXPECT_EQ(CPerftCommand::count(blocked, 0), 1u);
    EXPECT_EQ(CPerftCommand::count(blocked, 3), 0u);
}
