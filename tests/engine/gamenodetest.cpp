#include "engine/gamenode.h"
#include "engine/randomgenerator.h"
#include "positionfromtext.h"

#include <set>
#include <utility>
#include <vector>

namespace {

using Move = std::pair<int, int>;

const char *const Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";
// White kings on 28 and 30 can capture; the man on 22 could capture too.
const char *const KingCaptures = "B.................b..bw...b.W.W. w";

std::vector<Move> enumerate(CGameNode &node)
{
    std::vector<Move> moves;
    while (const int *move = node.nextMove())
        moves.emplace_back(move[0], move[1]);
    return moves;
}

// The random term is taken out by drawing it again from the same seed.
int materialOf(const CGameNode &node)
{
    CRandomGenerator random(99);
    const int term = random.next() % 7 - 3;
    CRandomGenerator again(99);
    return node.evaluate(again) - term;
}

int materialOf(const std::string &text)
{
    return materialOf(CGameNode(positionFromText(text), 0));
}

std::string withPiece(int square, char piece, char side = 'w')
{
    std::string squares(32, '.');
    squares[square] = piece;
    return squares + ' ' + side;
}

TEST(GameNodeEnumeration, InitialPositionInAscendingOrder)
{
    CGameNode node(positionFromText(Initial), 0);
    const std::vector<Move> expected
        = { { 20, 16 }, { 21, 16 }, { 21, 17 }, { 22, 17 }, { 22, 18 }, { 23, 18 }, { 23, 19 } };
    EXPECT_EQ(enumerate(node), expected);
    // Exhausted: null again, the iterator keeps the last move.
    EXPECT_EQ(node.nextMove(), nullptr);
    EXPECT_FALSE(node.hasMove());
    EXPECT_EQ(node.iterFrom(), 23);
    EXPECT_EQ(node.iterTo(), 19);
}

TEST(GameNodeEnumeration, KingCapturesOnlyByKingThenLanding)
{
    CGameNode node(positionFromText(KingCaptures), 0);
    const std::vector<Move> expected = { { 28, 17 }, { 30, 16 }, { 30, 23 } };
    EXPECT_EQ(enumerate(node), expected);
}

TEST(GameNodeEnumeration, HasMoveLeavesTheIteratorAlone)
{
    for (const char *text : { Initial, KingCaptures }) {
        CGameNode plain(positionFromText(text), 0);
        CGameNode asked(positionFromText(text), 0);
        const std::vector<Move> expected = enumerate(plain);
        std::vector<Move> moves;
        EXPECT_TRUE(asked.hasMove());
        EXPECT_EQ(asked.iterFrom(), -1);
        while (const int *move = asked.nextMove()) {
            moves.emplace_back(move[0], move[1]);
            const Move before(asked.iterFrom(), asked.iterTo());
            asked.hasMove();
            EXPECT_EQ(Move(asked.iterFrom(), asked.iterTo()), before);
        }
        EXPECT_EQ(moves, expected) << text;
    }
}

TEST(GameNodeEnumeration, NoLegalMove)
{
    // The black man on 28 has nowhere to go.
    CGameNode node(positionFromText(withPiece(28, 'b', 'b').replace(0, 1, "w")), 0);
    EXPECT_FALSE(node.hasMove());
    EXPECT_EQ(node.nextMove(), nullptr);
    EXPECT_FALSE(node.makeMove(nullptr));
}

TEST(GameNodeEnumeration, MiddleOfCaptureSequenceKeepsPendingPieces)
{
    // White has taken 25 with 29-22 and must go on with 22-13; 25 stays put
    // and cannot be taken again.
    CGameNode node(
        positionFromText(piecesText({ { 0, 'B' }, { 17, 'b' }, { 22, 'w' }, { 25, 'b' } }, "w 25")),
        0);
    EXPECT_EQ(node.pendingCaptureCount, 1);
    EXPECT_EQ(node.squares[25], CGameState::BlackMan);
    EXPECT_EQ(enumerate(node), std::vector<Move>({ { 22, 13 } }));
}

TEST(GameNodeConstruction, CopiesThePositionButNotThePlyCount)
{
    CPosition position = positionFromText(
        piecesText({ { 0, 'B' }, { 17, 'b' }, { 22, 'w' }, { 25, 'b' } }, "w 25 30"));
    position.checkMove(22, 13);
    CGameNode root(position, 7);
    EXPECT_EQ(root.pliesWithoutCapture, 0);
    EXPECT_EQ(root.pendingCaptures[0], 25);
    EXPECT_EQ(root.lastCheckVerdict, CGameState::Legal);
    EXPECT_EQ(root.fixedScore, 7);
    EXPECT_EQ(root.result, 0);
    EXPECT_EQ(root.firstFrom, 0);
    EXPECT_EQ(root.firstTo, 0);
    EXPECT_EQ(root.iterFrom(), -1);
    EXPECT_EQ(root.iterTo(), -1);

    root.firstFrom = 22;
    root.firstTo = 13;
    root.result = 3;
    root.nextMove();
    const CGameNode child(root);
    EXPECT_EQ(child.firstFrom, 22);
    EXPECT_EQ(child.firstTo, 13);
    EXPECT_EQ(child.fixedScore, 0);
    EXPECT_EQ(child.result, 0);
    EXPECT_EQ(child.iterFrom(), -1);
    EXPECT_EQ(child.squares[22], CGameState::WhiteMan);
}

// Two plies down, the first move stands, whatever its squares (0 is no
// move's pair), and the plies without a capture count from the copy's 0.
TEST(GameNodeFirstMove, KeptTwoPliesBelowTheRoot)
{
    const struct
    {
        const char *position;
        Move first;
        Move reply;
    } rows[] = {
        { Initial, { 22, 17 }, { 9, 13 } },
        { "b.......................w....... b", { 0, 4 }, { 24, 20 } },
        { "....w..................b........ w", { 4, 0 }, { 23, 27 } },
    };
    for (const auto &row : rows) {
        const CGameNode root(positionFromText(row.position), 0);
        CGameNode child(root);
        ASSERT_TRUE(child.makeMove(row.first.first, row.first.second)) << row.position;
        EXPECT_EQ(Move(child.firstFrom, child.firstTo), row.first);
        CGameNode grandchild(child);
        ASSERT_TRUE(grandchild.makeMove(row.reply.first, row.reply.second)) << row.position;
        EXPECT_EQ(Move(grandchild.firstFrom, grandchild.firstTo), row.first);
        EXPECT_EQ(grandchild.squares[row.reply.second], root.squares[row.reply.first]);
        EXPECT_EQ(grandchild.pliesWithoutCapture, 1) << row.position;
    }
}

TEST(GameNodeFirstMove, RefusedMoveRecordsNothing)
{
    CGameNode child(CGameNode(positionFromText(Initial), 0));
    EXPECT_FALSE(child.makeMove(20, 15));
    EXPECT_FALSE(child.makeMove(-1, 16));
    EXPECT_EQ(child.firstFrom, 0);
    EXPECT_EQ(child.firstTo, 0);
    EXPECT_EQ(child.sideToMove, CGameState::White);
    EXPECT_EQ(child.squares[20], CGameState::WhiteMan);
}

TEST(GameNodeGameOver, StoresTheResultAndStaysUsable)
{
    // 22x13 takes the last black piece.
    CGameNode node(positionFromText(".................b....w......... w"), 0);
    const int move[2] = { 22, 13 };
    ASSERT_TRUE(node.makeMove(move));
    EXPECT_EQ(node.result, CGameState::WhiteWins);
    EXPECT_EQ(node.blackCount, 0);
    CRandomGenerator random(1);
    EXPECT_EQ(node.evaluate(random), CGameNode::WinScore);
    EXPECT_FALSE(node.hasMove());

    node.gameOver(CGameState::BlackWins);
    EXPECT_EQ(node.evaluate(random), -CGameNode::WinScore);
}

TEST(GameNodeEvaluation, FixedScoreWins)
{
    CGameNode node(positionFromText(Initial), 1000000);
    node.gameOver(CGameState::BlackWins);
    CRandomGenerator random(1);
    EXPECT_EQ(node.evaluate(random), 1000000);
    EXPECT_FALSE(node.drawsRandomTerm());
}

TEST(GameNodeEvaluation, InitialPositionIsBalancedUpToTheRandomTerm)
{
    const CGameNode node(positionFromText(Initial), 0);
    EXPECT_EQ(materialOf(node), 0);
    CRandomGenerator random(1);
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        const int score = node.evaluate(random);
        EXPECT_GE(score, -3);
        EXPECT_LE(score, 3);
        seen.insert(score);
    }
    EXPECT_EQ(seen.size(), 7u) << "a fresh random term at every call";
}

TEST(GameNodeEvaluation, MenGainValueAsTheyAdvance)
{
    // Row 0 holds only kings in play; rows 1 to 7 for White, 0 to 6 for Black.
    const int white[8] = { 249, 236, 225, 216, 209, 204, 201, 200 };
    for (int row = 1; row < 8; ++row) {
        for (int place = 0; place < 4; ++place) {
            const int square = 4 * row + place;
            EXPECT_EQ(materialOf(withPiece(square, 'w')), white[row]) << square;
            EXPECT_EQ(materialOf(withPiece(31 - square, 'b')), -white[row]) << 31 - square;
        }
    }
}

TEST(GameNodeEvaluation, KingsAreWorthLessOnTheEdge)
{
    const std::set<int> corners = { 3, 28 };
    const std::set<int> edge = { 0, 1, 2, 4, 11, 12, 19, 20, 27, 29, 30, 31 };
    for (int square = 0; square < 32; ++square) {
        const int expected = corners.count(square) ? 250 : edge.count(square) ? 300 : 350;
        EXPECT_EQ(materialOf(withPiece(square, 'W')), expected) << square;
        EXPECT_EQ(materialOf(withPiece(square, 'B', 'b')), -expected) << square;
    }
}

TEST(GameNodeEvaluation, PendingCapturesStillCount)
{
    const CGameNode node(
        positionFromText(piecesText({ { 0, 'B' }, { 17, 'b' }, { 22, 'w' }, { 25, 'b' } }, "w 25")),
        0);
    // Black king on 0, black men on 17 and 25 (taken, still there), white man on 22.
    EXPECT_EQ(materialOf(node), -300 - 216 - 236 + 204);
}

} // namespace
