#include "recordingstate.h"

#include <gtest/gtest.h>

namespace {

// The neighbour worked out on the 8x8 board itself: rows from the top, dark
// squares at odd columns on even rows and even columns on odd rows.
int neighbour(int n, int rowStep, int columnStep)
{
    const int row = n / 4 + rowStep;
    const int column = (n / 4 % 2 == 0 ? 2 * (n % 4) + 1 : 2 * (n % 4)) + columnStep;
    if (row < 0 || row > 7 || column < 0 || column > 7)
        return -1;
    return row * 4 + column / 2;
}

std::vector<int> squaresWithoutNeighbour(int direction)
{
    std::vector<int> squares;
    for (int n = 0; n < CGameState::SquareCount; ++n) {
        if (CGameState::step(n, direction) == -1)
            squares.push_back(n);
    }
    return squares;
}

} // namespace

TEST(DiagonalSteps, MatchTheBoardGeometryOnEverySquare)
{
    for (int n = 0; n < CGameState::SquareCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(CGameState::stepUpLeft(n), neighbour(n, -1, -1));
        EXPECT_EQ(CGameState::stepUpRight(n), neighbour(n, -1, 1));
        EXPECT_EQ(CGameState::stepDownLeft(n), neighbour(n, 1, -1));
        EXPECT_EQ(CGameState::stepDownRight(n), neighbour(n, 1, 1));
    }
}

TEST(DiagonalSteps, EdgeSquaresHaveNoNeighbour)
{
    using V = std::vector<int>;
    EXPECT_EQ(squaresWithoutNeighbour(CGameState::UpLeft), (V { 0, 1, 2, 3, 4, 12, 20, 28 }));
    EXPECT_EQ(squaresWithoutNeighbour(CGameState::UpRight), (V { 0, 1, 2, 3, 11, 19, 27 }));
    EXPECT_EQ(squaresWithoutNeighbour(CGameState::DownLeft), (V { 4, 12, 20, 28, 29, 30, 31 }));
    EXPECT_EQ(squaresWithoutNeighbour(CGameState::DownRight),
              (V { 3, 11, 19, 27, 28, 29, 30, 31 }));
    EXPECT_EQ(CGameState::stepUpLeft(5), 0);
    EXPECT_EQ(CGameState::stepUpRight(4), 0);
    EXPECT_EQ(CGameState::stepDownLeft(3), 7);
    EXPECT_EQ(CGameState::stepDownRight(4), 8);
    EXPECT_EQ(CGameState::step(9, 4), -1);
}

TEST(InitialPosition, ConstructionSetsUpTheGame)
{
    const CRecordingState state;
    for (int n = 0; n < CGameState::SquareCount; ++n)
        EXPECT_EQ(state.squares[n], n < 12 ? 4 : n < 20 ? 1 : 3) << n;
    EXPECT_EQ(state.whiteCount, 12);
    EXPECT_EQ(state.blackCount, 12);
    EXPECT_EQ(state.whiteKings, 0);
    EXPECT_EQ(state.blackKings, 0);
    EXPECT_EQ(state.sideToMove, CGameState::White);
    EXPECT_EQ(state.pendingCaptureCount, 0);
    EXPECT_EQ(state.pliesWithoutCapture, 0);
    EXPECT_EQ(state.lastCheckVerdict, CGameState::NoVerdict);
}

TEST(InitialPosition, ResetClearsKingsAndCountersButKeepsTheMemo)
{
    CRecordingState state({ { 4, 3 }, { 24, 4 }, { 31, 3 } }, CGameState::White);
    ASSERT_TRUE(state.makeMove(4, 0));
    ASSERT_TRUE(state.makeMove(24, 28));
    ASSERT_EQ(state.whiteKings + state.blackKings, 2);
    ASSERT_FALSE(state.checkMove(0, 1));

    state.reset();
    CRecordingState fresh;
    fresh.lastCheckFrom = 0;
    fresh.lastCheckTo = 1;
    fresh.lastCheckVerdict = CGameState::Illegal;
    EXPECT_TRUE(state.sameFields(fresh));
}

TEST(RemovePiece, LowersTheCountersOfItsKind)
{
    CRecordingState state({ { 0, 6 }, { 1, 3 }, { 2, 8 }, { 3, 4 } }, CGameState::White);
    state.removePiece(0);
    EXPECT_EQ(state.whiteCount, 1);
    EXPECT_EQ(state.whiteKings, 0);
    state.removePiece(3);
    EXPECT_EQ(state.blackCount, 1);
    EXPECT_EQ(state.blackKings, 1);
    state.removePiece(5);
    EXPECT_EQ(state.whiteCount + state.blackCount + state.blackKings, 3);
    for (int n : { 0, 3, 5 })
        EXPECT_EQ(state.squares[n], CGameState::Empty);
}
