// The engine against the straightforward reference: the same moves in the
// same order, the same positions after every move, the same answers and
// statistics from every search.

#include "engine/gamenode.h"
#include "engine/search.h"
#include "positionfromtext.h"
#include "randompositions.h"
#include "tools/position/positiontext.h"
#include "tools/reference/referencenode.h"
#include "tools/reference/referencesearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Sanitizer builds run every CHECKERS_EQUIVALENCE_STRIDE-th case only.
#ifndef CHECKERS_EQUIVALENCE_STRIDE
#define CHECKERS_EQUIVALENCE_STRIDE 1
#endif

namespace {

constexpr int Stride = CHECKERS_EQUIVALENCE_STRIDE;

struct Kind
{
    const char *name;
    std::vector<CPosition> positions;
};

// Positions with a move in the middle of a capture sequence, or with a
// forced reply below the root, turn up in random games all the time; they
// are also gathered on their own so that each kind is surely covered.
std::vector<Kind> positionKinds()
{
    CRandomPositions random(2024);
    Kind games { "random game", {} };
    Kind captures { "capture sequence", {} };
    Kind forced { "forced reply", {} };
    for (int game = 0; game < 60; ++game) {
        for (const CPosition &position : random.game(120)) {
            games.positions.push_back(position);
            if (position.pendingCaptureCount > 0)
                captures.positions.push_back(position);
            CPosition reply = position;
            if (random.playRandomStep(reply) && CReferenceNode(reply, 0).hasMove()) {
                CReferenceNode node(reply, 0);
                node.nextMove();
                if (!node.hasMove())
                    forced.positions.push_back(position);
            }
        }
    }
    Kind kings { "king endgame", {} };
    for (int i = 0; i < 400; ++i)
        kings.positions.push_back(random.kingEndgame(2 + i % 4, 2 + i / 4 % 4));
    // A man crowned by a capture ends its move there, even where a king
    // could take on: kept here whatever the random games hold.
    const Kind crownings { "crowning capture",
                           {
                               // 8x1: a king on 1 could take 6.
                               positionFromText(".....bb.w....................... w"),
                               // 10x3, the one capture that crowns on 3.
                               positionFromText(".......b..w.............b....... w"),
                           } };
    return { games, captures, forced, kings, crownings };
}

const std::vector<Kind> &kinds()
{
    static const std::vector<Kind> all = positionKinds();
    return all;
}

std::string describe(const CGameState &position)
{
    return "position '" + CPositionText::format(position) + "'";
}

void expectSamePosition(const CGameNode &engine, const CReferenceNode &reference,
                        const std::string &what)
{
    for (int n = 0; n < CGameState::SquareCount; ++n)
        ASSERT_EQ(engine.squares[n], reference.squares[n]) << what << ", square " << n;
    EXPECT_EQ(engine.sideToMove, reference.sideToMove) << what;
    EXPECT_EQ(engine.whiteCount, reference.whiteCount) << what;
    EXPECT_EQ(engine.blackCount, reference.blackCount) << what;
    EXPECT_EQ(engine.whiteKings, reference.whiteKings) << what;
    EXPECT_EQ(engine.blackKings, reference.blackKings) << what;
    ASSERT_EQ(engine.pendingCaptureCount, reference.pendingCaptureCount) << what;
    for (int i = 0; i < engine.pendingCaptureCount; ++i)
        EXPECT_EQ(engine.pendingCaptures[i], reference.pendingCaptures[i]) << what;
    EXPECT_EQ(engine.pliesWithoutCapture, reference.pliesWithoutCapture) << what;
    EXPECT_EQ(engine.result, reference.result) << what;
    EXPECT_EQ(engine.firstFrom, reference.firstFrom) << what;
    EXPECT_EQ(engine.firstTo, reference.firstTo) << what;
}

// Every move in order, hasMove asked before each, and the child of each.
void expectSameMoves(const CPosition &position)
{
    CGameNode engine(position, 0);
    CReferenceNode reference(position, 0);
    const std::string what = describe(position);
    for (;;) {
        ASSERT_EQ(engine.hasMove(), reference.hasMove()) << what;
        const int *engineMove = engine.nextMove();
        const int *referenceMove = reference.nextMove();
        ASSERT_EQ(engineMove == nullptr, referenceMove == nullptr) << what;
        if (!engineMove)
            return;
        ASSERT_EQ(engineMove[0], referenceMove[0]) << what;
        ASSERT_EQ(engineMove[1], referenceMove[1]) << what;
        CGameNode engineChild(engine);
        CReferenceNode referenceChild(reference);
        ASSERT_TRUE(engineChild.makeMove(engineMove)) << what;
        ASSERT_TRUE(referenceChild.makeMove(referenceMove)) << what;
        expectSamePosition(engineChild, referenceChild,
                           what + " after " + std::to_string(engineMove[0]) + "-"
                               + std::to_string(engineMove[1]));
    }
}

// Every pair of squares, and some off the board, accepted or refused alike.
void expectSameVerdicts(const CPosition &position)
{
    for (int from = -1; from <= CGameState::SquareCount; ++from) {
        for (int to = -1; to <= CGameState::SquareCount; ++to) {
            CGameNode engine(position, 0);
            CReferenceNode reference(position, 0);
            ASSERT_EQ(engine.makeMove(from, to), reference.makeMove(from, to))
                << describe(position) << ", " << from << "-" << to;
        }
    }
}

TEST(EngineEquivalence, MovesAndChildPositions)
{
    int cases = 0;
    for (const Kind &kind : kinds()) {
        SCOPED_TRACE(kind.name);
        for (std::size_t i = 0; i < kind.positions.size(); i += Stride) {
            expectSameMoves(kind.positions[i]);
            if (i / Stride % 8 == 0)
                expectSameVerdicts(kind.positions[i]);
            ++cases;
        }
    }
    EXPECT_GT(cases, 1000 / Stride);
}

struct Answer
{
    int from = -1;
    int to = -1;
    SearchStats stats;

    bool operator==(const Answer &other) const
    {
        return from == other.from && to == other.to && stats.nodes == other.stats.nodes
            && stats.evaluations == other.stats.evaluations;
    }
};

std::ostream &operator<<(std::ostream &out, const Answer &answer)
{
    return out << answer.from << ' ' << answer.to << ' ' << answer.stats.nodes << ' '
               << answer.stats.evaluations;
}

void expectSameSearch(const CPosition &position, int depth, unsigned seed)
{
    Answer engine, reference;
    findBestMove(position, depth, seed, engine.from, engine.to, &engine.stats);
    CReferenceSearch::findBestMove(position, depth, seed, reference.from, reference.to,
                                   &reference.stats);
    EXPECT_EQ(engine, reference) << describe(position) << ", depth " << depth << ", seed " << seed;
}

// Deeper searches on fewer positions keep the run short; depth 7 is where
// deep matches spend their time.
TEST(EngineEquivalence, SearchAnswersAndStatistics)
{
    const int positionsPerDepth[8] = { 0, 1000, 500, 250, 80, 30, 8, 2 };
    const unsigned seeds[] = { 1, 77, 4000000000u };
    int searches = 0;
    for (const Kind &kind : kinds()) {
        SCOPED_TRACE(kind.name);
        const std::size_t count = kind.positions.size();
        for (int depth = 1; depth <= 7; ++depth) {
            const std::size_t step = std::max<std::size_t>(1, count / positionsPerDepth[depth]);
            for (std::size_t i = depth % step; i < count; i += step * Stride) {
                for (unsigned seed : seeds) {
                    expectSameSearch(kind.positions[i], depth, seed);
                    ++searches;
                }
            }
        }
    }
    EXPECT_GT(searches, 3000 / Stride);
}

} // namespace
