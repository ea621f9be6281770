#include "recordingstate.h"

#include <climits>
#include <gtest/gtest.h>

TEST(LegalMoves, OpeningMovesOfBothSides)
{
    CRecordingState state;
    EXPECT_EQ(
        state.legalMoves(),
        (Moves {
            { 20, 16 }, { 21, 16 }, { 21, 17 }, { 22, 17 }, { 22, 18 }, { 23, 18 }, { 23, 19 } }));
    state.sideToMove = CGameState::Black;
    EXPECT_EQ(
        state.legalMoves(),
        (Moves { { 8, 12 }, { 8, 13 }, { 9, 13 }, { 9, 14 }, { 10, 14 }, { 10, 15 }, { 11, 15 } }));
}

TEST(LegalMoves, LoneKingSlidesAlongItsDiagonal)
{
    const CRecordingState state({ { 28, WK }, { 0, BK } }, W);
    EXPECT_EQ(
        state.legalMoves(),
        (Moves {
            { 28, 3 }, { 28, 7 }, { 28, 10 }, { 28, 14 }, { 28, 17 }, { 28, 21 }, { 28, 24 } }));
}

TEST(LegalMoves, MenNeverStepBackwards)
{
    const CRecordingState state({ { 13, WM }, { 0, BK } }, W);
    EXPECT_EQ(state.legalMoves(), (Moves { { 13, 8 }, { 13, 9 } }));
}

TEST(KingCapture, LandsOnlyJustBeyondTheTakenPiece)
{
    const CRecordingState state({ { 28, WK }, { 10, BM }, { 0, BK } }, W);
    EXPECT_EQ(state.legalMoves(), (Moves { { 28, 7 } }));
    int captured = -1;
    EXPECT_TRUE(state.isLegalMove(28, 7, captured));
    EXPECT_EQ(captured, 10);
    captured = -1;
    EXPECT_FALSE(state.kingCapture(28, 3, captured));
    EXPECT_EQ(captured, -1);
}

TEST(KingCapture, KingsCaptureFirst)
{
    const CRecordingState state({ { 28, WK }, { 25, WM }, { 21, BM }, { 10, BM }, { 0, BK } }, W);
    EXPECT_EQ(state.legalMoves(), (Moves { { 28, 17 } }));
    int captured = -1;
    EXPECT_TRUE(state.manCapture(25, 16, captured));
    EXPECT_FALSE(state.isLegalMove(25, 16, captured));
}

TEST(KingCapture, TakesAnAdjacentPiece)
{
    const CRecordingState state({ { 24, WK }, { 21, BM }, { 0, BK } }, W);
    EXPECT_EQ(state.legalMoves(), (Moves { { 24, 17 } }));
}

TEST(KingCapture, BlackKingTakesWhiteAtADistance)
{
    const CRecordingState state({ { 3, BK }, { 21, WM }, { 31, WM } }, CGameState::Black);
    EXPECT_EQ(state.legalMoves(), (Moves { { 3, 24 } }));
}

TEST(PendingCaptures, CannotBeTakenAgainAndBlockTheWay)
{
    CRecordingState state({ { 28, WK }, { 25, WM }, { 21, BM }, { 10, BM }, { 0, BK } }, W);
    state.pendingCaptures[0] = 21;
    state.pendingCaptureCount = 1;
    int captured;
    EXPECT_FALSE(state.kingCapture(28, 17, captured));
    EXPECT_FALSE(state.kingCapture(28, 7, captured));
    EXPECT_FALSE(state.kingHasCapture(28));
    EXPECT_FALSE(state.manCapture(25, 16, captured));
    EXPECT_FALSE(state.sideHasKingCapture(W));
    EXPECT_FALSE(state.sideHasManCapture(W));
    EXPECT_TRUE(state.isPendingCapture(21));
    EXPECT_FALSE(state.isPendingCapture(10));
}

TEST(ManCapture, NoJumpOffTheBoard)
{
    const CRecordingState state({ { 8, WM }, { 4, BM }, { 31, BK } }, W);
    EXPECT_FALSE(state.manHasCapture(8));
    EXPECT_EQ(state.legalMoves(), (Moves { { 8, 5 } }));
}

TEST(ManCapture, CaptureIsCompulsoryAndForwardOnly)
{
    const CRecordingState state({ { 17, WM }, { 13, BM }, { 30, WM }, { 21, BM }, { 0, BK } }, W);
    EXPECT_EQ(state.legalMoves(), (Moves { { 17, 8 } }));
}

TEST(PathClear, WalksOverEmptySquaresOnly)
{
    const CRecordingState state({ { 14, WM }, { 0, BK } }, W);
    EXPECT_TRUE(state.isPathClear(24, CGameState::UpRight, 17));
    EXPECT_FALSE(state.isPathClear(24, CGameState::UpRight, 3));
    EXPECT_FALSE(state.isPathClear(21, CGameState::UpRight, 14));
    EXPECT_FALSE(state.isPathClear(-1, CGameState::UpRight, 3));
    EXPECT_FALSE(state.isPathClear(4, CGameState::DownRight, 30));
    EXPECT_FALSE(state.isPathClear(24, CGameState::DownLeft, 21));
    EXPECT_FALSE(state.isPathClear(24, 5, 21));
}

TEST(OutOfRange, SquaresOffTheBoardAreRefused)
{
    CRecordingState state;
    int captured = -1;
    for (int off : { -1, 32, 1000, INT_MIN, INT_MAX }) {
        for (auto [from, to] : { std::pair { off, 16 }, std::pair { 22, off } }) {
            EXPECT_FALSE(state.isBasicMove(from, to));
            EXPECT_FALSE(state.isLegalMove(from, to, captured));
            EXPECT_FALSE(state.checkMove(from, to));
            EXPECT_FALSE(state.makeMove(from, to));
        }
    }
    EXPECT_EQ(captured, -1);
}

TEST(VerdictMemo, RepeatsTheFirstVerdictForTheSamePair)
{
    CRecordingState state;
    EXPECT_TRUE(state.checkMove(22, 18));
    EXPECT_EQ(state.lastCheckFrom, 22);
    EXPECT_EQ(state.lastCheckTo, 18);
    EXPECT_EQ(state.lastCheckVerdict, CGameState::Legal);
    ASSERT_TRUE(state.makeMove(22, 18));
    EXPECT_EQ(state.lastCheckVerdict, CGameState::Legal);
    EXPECT_TRUE(state.checkMove(22, 18));

    EXPECT_FALSE(state.checkMove(9, 18));
    EXPECT_TRUE(state.checkMove(9, 13));
    EXPECT_TRUE(state.makeMove(9, 13));
    EXPECT_TRUE(state.checkMove(9, 13));
    EXPECT_EQ(state.lastCheckVerdict, CGameState::Legal);
}
