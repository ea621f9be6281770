#include "engine/search.h"
#include "engine/nodescore.h"
#include "positionfromtext.h"

#include <QtGlobal>

#include <cstdint>
#include <string>

namespace {

struct Best
{
    int from = -1;
    int to = -1;
    SearchStats stats;
};

Best bestMove(const std::string &text, int depth, unsigned seed = 1)
{
    Best best;
    findBestMove(positionFromText(text), depth, seed, best.from, best.to, &best.stats);
    return best;
}

const char *const Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";

TEST(Search, SingleRootMoveNeedsNoEvaluation)
{
    // The only legal step is the king's capture 28x7.
    for (int depth : { 1, 3, 5 }) {
        const Best best
            = bestMove(piecesText({ { 28, 'W' }, { 10, 'b' }, { 0, 'B' } }, "w"), depth);
        EXPECT_EQ(best.from, 28);
        EXPECT_EQ(best.to, 7);
        EXPECT_EQ(best.stats.nodes, 1);
        EXPECT_EQ(best.stats.evaluations, 0);
    }
}

TEST(Search, NoLegalMoveAnswersNoSquare)
{
    // The white man on 28 is blocked by 24 and cannot jump it.
    const Best best = bestMove(piecesText({ { 28, 'w' }, { 24, 'b' }, { 21, 'b' } }, "w"), 3);
    EXPECT_EQ(best.from, 0);
    EXPECT_EQ(best.to, 0);
    EXPECT_EQ(best.stats.nodes, 0);
}

TEST(Search, DepthOneTakesTheBestMaterial)
{
    // Both sides may take a man or a king, landing on the same square.
    const Best white
        = bestMove(piecesText({ { 21, 'w' }, { 23, 'w' }, { 17, 'b' }, { 18, 'B' } }, "w"), 1);
    EXPECT_EQ(white.from, 23);
    EXPECT_EQ(white.to, 14);
    const Best black
        = bestMove(piecesText({ { 9, 'b' }, { 11, 'b' }, { 13, 'w' }, { 15, 'W' } }, "b"), 1);
    EXPECT_EQ(black.from, 11);
    EXPECT_EQ(black.to, 18);
}

TEST(Search, DepthOneEvaluatesEveryChildOnceOrTwice)
{
    // Seven children: the first is compared with the two bound nodes, which
    // draw nothing; every later one with a real best node.
    const Best best = bestMove(Initial, 1);
    EXPECT_EQ(best.stats.nodes, 7);
    EXPECT_EQ(best.stats.evaluations, 1 + 6 * 2);
}

TEST(Search, ForcedMoveBelowTheRootCostsNoDepth)
{
    // White has two moves with the man on 29; Black's man on 3 has one reply.
    const char *const position = "...b.........................w.. w";
    EXPECT_EQ(bestMove(position, 1).stats.nodes, 2);
    // Depth 2 still sees White's two moves after the forced reply.
    EXPECT_EQ(bestMove(position, 2).stats.nodes, 2 + 2 + 2 + 2);
}

TEST(Search, EndlessForcedLinesAreBounded)
{
    // Both kings shuttle in a pocket for ever, every other piece is locked.
    // After 31-27 every position has exactly one move; after 3-7 White still
    // has two.
    const char *const position = "..wW..b.bbbbbbbwbwwbwwww.ww.Bb.w w";
    const Best best = bestMove(position, 2);
    EXPECT_EQ(best.stats.nodes, (1 + 1 + 2) + (1 + MaxForcedExtensions + 1));
    EXPECT_EQ(bestMove(position, 3).stats.nodes, bestMove(position, 3).stats.nodes);
}

TEST(Search, SameSeedSameAnswer)
{
    const Best first = bestMove(Initial, 5, 12345);
    const Best second = bestMove(Initial, 5, 12345);
    EXPECT_EQ(first.from, second.from);
    EXPECT_EQ(first.to, second.to);
    EXPECT_EQ(first.stats.nodes, second.stats.nodes);
    EXPECT_EQ(first.stats.evaluations, second.stats.evaluations);
}

// The score of the line chosen, for the side to move: equal material taken
// by either side scores alike, and so does the last piece taken.
TEST(Search, ScoresTheChosenLineForTheSideToMove)
{
    const struct
    {
        std::string position;
        int depth;
        int score;
    } rows[] = {
        // A king taken: two men of 204 and 216 left against one of 216.
        { piecesText({ { 21, 'w' }, { 23, 'w' }, { 17, 'b' }, { 18, 'B' } }, "w"), 1, 204 },
        { piecesText({ { 9, 'b' }, { 11, 'b' }, { 13, 'w' }, { 15, 'W' } }, "b"), 1, 204 },
        { piecesText({ { 23, 'w' }, { 18, 'b' } }, "w"), 3, CNodeScore::WinScore },
        { piecesText({ { 11, 'b' }, { 15, 'w' } }, "b"), 3, CNodeScore::WinScore },
    };
    for (const auto &row : rows)
        EXPECT_EQ(bestMove(row.position, row.depth).stats.score, row.score) << row.position;
}

// Abandon is asked at the root, then every thousand nodes or so; a search
// it stops gives false and leaves the step and the figures alone.
TEST(Search, AbandonsWhenAskedTo)
{
    const long long nodes = bestMove(Initial, 9).stats.nodes;
    // At which asking abandon says yes; 0: never.
    for (const int yesAt : { 1, 2, 20, 0 }) {
        int asked = 0;
        Best best;
        const bool finished = findBestMove(positionFromText(Initial), 9, 1, best.from, best.to,
                                           best.stats, [&] { return ++asked == yesAt; });
        EXPECT_EQ(finished, yesAt == 0);
        EXPECT_EQ(best.stats.nodes, finished ? nodes : 0);
        // Not asked again after yes.
        EXPECT_EQ(asked == yesAt, !finished);
        EXPECT_LE(asked, nodes / CSearch::AbandonInterval + 1);
        EXPECT_GE(asked, finished ? nodes / (CSearch::AbandonInterval + 64) : 1);
    }
}

TEST(Search, TimeSeededEntryFindsALegalMove)
{
    CPosition position = positionFromText(Initial);
    int from = -1, to = -1;
    findBestMove(position, 3, from, to);
    EXPECT_TRUE(position.checkMove(from, to));
}

} // namespace

// A score keeps its value and whether it draws a term through every change
// of origin, and the root's step comes back out whole, corner squares too.
TEST(NodeScore, KeepsItsValueThroughOriginsAndSelection)
{
    const std::int32_t termsAhead[] = { 2, -3 };
    const struct
    {
        int result;
        int material;
        int from;
        int to;
        int value; // with the term 2 if it draws one
    } rows[] = {
        { 0, 40, 0, 4, 42 },
        { 0, -7, 31, 27, -5 },
        { CGameState::WhiteWins, 40, 22, 17, CNodeScore::WinScore },
        { CGameState::BlackWins, 40, 9, 13, -CNodeScore::WinScore },
    };
    for (const auto &row : rows) {
        const CNodeScore leaf(0, row.result, row.material);
        const CNodeScore bound = leaf.as(CNodeScore::UpperBound);
        const CNodeScore step = bound.by(row.from, row.to);
        EXPECT_EQ(leaf.origin(), CNodeScore::Leaf);
        EXPECT_EQ(bound.origin(), CNodeScore::UpperBound);
        EXPECT_EQ(step.firstFrom(), row.from);
        EXPECT_EQ(step.firstTo(), row.to);
        for (const CNodeScore &score :
             { bound, step, CNodeScore::select(true, step, CNodeScore(5, 0, 0)),
               CNodeScore::select(false, CNodeScore(5, 0, 0), step) }) {
            const std::int32_t *terms = termsAhead;
            EXPECT_EQ(score.evaluate(terms), row.value) << row.from;
            EXPECT_EQ(terms - termsAhead, row.result == 0 ? 1 : 0) << row.from;
        }
    }
}
