#include "recordingstate.h"

#include <gtest/gtest.h>

TEST(MultiJump, PiecesLeaveInReverseOrderWhenTheSequenceEnds)
{
    CRecordingState state({ { 29, WM }, { 25, BM }, { 17, BM }, { 0, BK } }, W);
    ASSERT_TRUE(state.makeMove(29, 22));
    EXPECT_EQ(state.sideToMove, W);
    EXPECT_EQ(state.squares[25], BM);
    EXPECT_EQ(state.blackCount, 3);
    EXPECT_EQ(state.pendingCaptureCount, 1);
    EXPECT_EQ(state.pendingCaptures[0], 25);
    EXPECT_TRUE(state.removed.empty());
    EXPECT_EQ(state.legalMoves(), (Moves { { 22, 13 } }));

    ASSERT_TRUE(state.makeMove(22, 13));
    EXPECT_EQ(state.removed, (std::vector<int> { 17, 25 }));
    EXPECT_EQ(state.countsSeenByRemove, (std::vector<int> { 1, 0 }));
    EXPECT_EQ(state.sideToMove, B);
    EXPECT_EQ(state.blackCount, 1);
    EXPECT_EQ(state.squares[13], WM);
    EXPECT_TRUE(state.results.empty());
}

TEST(MultiJump, AnyPieceMayContinueButNotOverATakenOne)
{
    CRecordingState state({ { 29, WM }, { 30, WM }, { 25, BM }, { 26, BM }, { 17, BM }, { 0, BK } },
                          W);
    ASSERT_TRUE(state.makeMove(29, 22));
    EXPECT_EQ(state.legalMoves(), (Moves { { 22, 13 }, { 30, 23 } }));
    const CRecordingState before = state;
    EXPECT_FALSE(state.makeMove(30, 21));
    EXPECT_TRUE(state.sameFields(before));

    ASSERT_TRUE(state.makeMove(30, 23));
    EXPECT_EQ(state.removed, (std::vector<int> { 26, 25 }));
    EXPECT_EQ(state.sideToMove, B);
    EXPECT_EQ(state.squares[22], WM);
    EXPECT_EQ(state.squares[17], BM);
}

TEST(MultiJump, AKingThatGainsACaptureTakesOver)
{
    CRecordingState state({ { 29, WK }, { 25, WM }, { 21, BM }, { 22, BM }, { 13, BM }, { 0, BK } },
                          W);
    EXPECT_EQ(state.legalMoves(), (Moves { { 25, 16 }, { 25, 18 } }));
    ASSERT_TRUE(state.makeMove(25, 16));
    EXPECT_EQ(state.legalMoves(), (Moves { { 29, 18 } }));
    ASSERT_TRUE(state.makeMove(29, 18));
    EXPECT_EQ(state.removed, (std::vector<int> { 22, 21 }));
    EXPECT_EQ(state.sideToMove, B);
    EXPECT_EQ(state.squares[13], BM);
}

TEST(Crowning, MenReachingTheFarRowBecomeKings)
{
    CRecordingState state({ { 9, WM }, { 5, BM }, { 24, BM }, { 31, WM } }, W);
    ASSERT_TRUE(state.makeMove(9, 0));
    EXPECT_EQ(state.squares[0], WK);
    EXPECT_EQ(state.whiteKings, 1);
    ASSERT_TRUE(state.makeMove(24, 28));
    EXPECT_EQ(state.squares[28], BK);
    EXPECT_EQ(state.blackKings, 1);
    EXPECT_EQ(state.pliesWithoutCapture, 1);
}

struct GameEnd
{
    const char *name;
    CRecordingState state;
    int from, to, result;
};

class GameEndTest : public testing::TestWithParam<GameEnd>
{
};

// gameOver comes once, after the removal and the change of side.
TEST_P(GameEndTest, MoveDecidesTheGame)
{
    CRecordingState state = GetParam().state;
    const int mover = state.sideToMove;
    ASSERT_TRUE(state.makeMove(GetParam().from, GetParam().to));
    EXPECT_EQ(state.results, std::vector<int> { GetParam().result });
    EXPECT_EQ(state.sidesAtGameOver, std::vector<int> { mover == W ? B : W });
    EXPECT_EQ(state.pendingCaptureCount, 0);
}

CRecordingState withPlies(CRecordingState state, int plies)
{
    state.pliesWithoutCapture = plies;
    return state;
}

INSTANTIATE_TEST_SUITE_P(
    AllEnds, GameEndTest,
    testing::Values(
        GameEnd { "WhiteTakesTheLastBlackPiece", CRecordingState({ { 21, WM }, { 17, BM } }, W), 21,
                  14, 3 },
        GameEnd { "BlackTakesTheLastWhitePiece", CRecordingState({ { 10, BM }, { 14, WK } }, B), 10,
                  17, 4 },
        GameEnd { "WhiteIsLeftWithoutAMove",
                  withPlies(CRecordingState({ { 4, WM }, { 0, BM }, { 8, BM } }, B), 45), 8, 13,
                  4 },
        GameEnd { "BlackIsLeftWithoutAMove",
                  CRecordingState({ { 27, BM }, { 31, WM }, { 22, WM } }, W), 22, 18, 3 },
        GameEnd { "FortyFirstQuietMoveDraws", withPlies(CRecordingState(), 40), 22, 18, 0 }),
    [](const testing::TestParamInfo<GameEnd> &info) { return info.param.name; });

TEST(GameEnd, FortiethQuietMovePlaysOn)
{
    CRecordingState state;
    state.pliesWithoutCapture = 39;
    ASSERT_TRUE(state.makeMove(22, 18));
    EXPECT_EQ(state.pliesWithoutCapture, 40);
    EXPECT_TRUE(state.results.empty());
}

TEST(GameEnd, CaptureResetsTheDrawCount)
{
    CRecordingState state({ { 21, WM }, { 17, BM }, { 0, BM } }, W);
    state.pliesWithoutCapture = 40;
    ASSERT_TRUE(state.makeMove(21, 14));
    EXPECT_EQ(state.pliesWithoutCapture, 0);
    EXPECT_TRUE(state.results.empty());
}

TEST(IllegalStep, LeavesEveryFieldUnchanged)
{
    CRecordingState state({ { 21, WM }, { 17, BM }, { 30, WM }, { 0, BK } }, W);
    state.pliesWithoutCapture = 7;
    state.checkMove(1, 2);
    const CRecordingState before = state;
    for (auto [from, to] : Moves { { 30, 26 }, { 30, 25 }, { 21, 17 }, { 17, 22 }, { 21, 12 } }) {
        EXPECT_FALSE(state.makeMove(from, to)) << from << '-' << to;
        EXPECT_TRUE(state.sameFields(before)) << from << '-' << to;
    }
    EXPECT_TRUE(state.removed.empty());
    EXPECT_TRUE(state.results.empty());
}
