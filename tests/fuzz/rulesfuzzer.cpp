// Plays arbitrary (from, to) pairs through makeMove from an arbitrary sound
// position and stops at the first broken invariant or the first refused
// step that changed something.
//
// Input: 32 square bytes ('.', 'w', 'W', 'b', 'B', or any byte folded onto
// a code), a side byte (odd: White), a byte for the moves without a
// capture, the verdict memo (from, to, verdict), a count of pending
// captures and one selector byte for each, then from/to values to the end
// (see CByteReader::squareOrAny).

#include "bytereader.h"
#include "invariantcheck.h"

#include <vector>

namespace {

class CFuzzState final : public CGameState
{
public:
    void gameOver(int result) override
    {
        ++gameOvers;
        CInvariantCheck::require(result == Draw || result == WhiteWins || result == BlackWins,
                                 "gameOver(" + std::to_string(result) + ")", *this);
        CInvariantCheck::require(pendingCaptureCount == 0,
                                 "gameOver while captured pieces are pending", *this);
        CInvariantCheck::requireSound(*this, "at gameOver");
    }

    int gameOvers = 0;
};

int pieceFor(std::uint8_t byte)
{
    switch (byte) {
    case '.':
        return CGameState::Empty;
    case 'w':
        return CGameState::WhiteMan;
    case 'W':
        return CGameState::WhiteKing;
    case 'b':
        return CGameState::BlackMan;
    case 'B':
        return CGameState::BlackKing;
    default:
        break;
    }
    // Half the squares empty, as in a game.
    static constexpr int Codes[] = { CGameState::Empty,     CGameState::Empty,
                                     CGameState::Empty,     CGameState::Empty,
                                     CGameState::WhiteMan,  CGameState::BlackMan,
                                     CGameState::WhiteKing, CGameState::BlackKing };
    return Codes[byte % 8];
}

// Pieces beyond the twelfth of a side are left off.
void readSquares(CByteReader &reader, CFuzzState &state)
{
    constexpr int MaxPieces = 12;
    state.whiteCount = state.blackCount = state.whiteKings = state.blackKings = 0;
    for (int &square : state.squares) {
        int piece = pieceFor(reader.byte());
        if ((CGameState::isWhite(piece) && state.whiteCount == MaxPieces)
            || (CGameState::isBlack(piece) && state.blackCount == MaxPieces))
            piece = CGameState::Empty;
        square = piece;
        state.whiteCount += CGameState::isWhite(piece);
        state.blackCount += CGameState::isBlack(piece);
        state.whiteKings += piece == CGameState::WhiteKing;
        state.blackKings += piece == CGameState::BlackKing;
    }
}

// Each selector picks one of the pieces of the side not to move that are
// not listed yet, so the list holds distinct pieces of that side.
void readPending(CByteReader &reader, CFuzzState &state)
{
    const int count = reader.byte() % (CGameState::MaxPending + 1);
    const bool whiteVictims = state.sideToMove == CGameState::Black;
    for (int i = 0; i < count; ++i) {
        std::vector<int> candidates;
        for (int n = 0; n < CGameState::SquareCount; ++n) {
            const int piece = state.squares[n];
            const bool victim
                = whiteVictims ? CGameState::isWhite(piece) : CGameState::isBlack(piece);
            if (victim && !state.isPendingCapture(n))
                candidates.push_back(n);
        }
        if (candidates.empty())
            return;
        state.pendingCaptures[state.pendingCaptureCount++]
            = candidates[reader.byte() % candidates.size()];
    }
}

void readPosition(CByteReader &reader, CFuzzState &state)
{
    readSquares(reader, state);
    state.sideToMove = reader.byte() % 2 == 1 ? CGameState::White : CGameState::Black;
    state.pliesWithoutCapture = reader.byte();
    state.lastCheckFrom = reader.squareOrAny();
    state.lastCheckTo = reader.squareOrAny();
    state.lastCheckVerdict = reader.byte() % 3;
    readPending(reader, state);
    CInvariantCheck::requireSound(state, "decoded position");
}

// checkMove, put to a copy, answers as makeMove decides unless the memo
// already holds the pair, and writes nothing but the memo.
bool probeCheckMove(const CFuzzState &state, int from, int to)
{
    CFuzzState probe = state;
    const bool verdict = probe.checkMove(from, to);
    CFuzzState memoRestored = probe;
    memoRestored.lastCheckFrom = state.lastCheckFrom;
    memoRestored.lastCheckTo = state.lastCheckTo;
    memoRestored.lastCheckVerdict = state.lastCheckVerdict;
    const std::string changed = CInvariantCheck::difference(memoRestored, state);
    CInvariantCheck::require(changed.empty(), "checkMove changed " + changed, state);
    CInvariantCheck::require(probe.lastCheckFrom == from && probe.lastCheckTo == to
                                 && probe.lastCheckVerdict
                                     == (verdict ? CGameState::Legal : CGameState::Illegal),
                             "checkMove left a memo that does not match its answer", state);
    return verdict;
}

void playStep(CFuzzState &state, int from, int to)
{
    const CFuzzState before = state;
    const std::string step = "step " + std::to_string(from) + "-" + std::to_string(to);
    const bool remembered = before.lastCheckVerdict != CGameState::NoVerdict
        && before.lastCheckFrom == from && before.lastCheckTo == to;
    const bool verdict = probeCheckMove(before, from, to);
    state.gameOvers = 0;
    const bool moved = state.makeMove(from, to);
    if (!remembered)
        CInvariantCheck::require(verdict == moved, step + ": checkMove and makeMove disagree",
                                 before);
    if (!moved) {
        const std::string changed = CInvariantCheck::difference(state, before);
        CInvariantCheck::require(changed.empty(), step + " refused but changed " + changed, before);
        CInvariantCheck::require(state.gameOvers == 0, step + " refused but ended the game",
                                 before);
        return;
    }
    CInvariantCheck::requireSound(state, step);
    CInvariantCheck::require(CInvariantCheck::sameMemo(state, before),
                             step + " changed the verdict memo", before);
    CInvariantCheck::require(state.gameOvers <= 1, step + " ended the game twice", before);
    if (state.sideToMove == before.sideToMove) {
        CInvariantCheck::require(state.pendingCaptureCount == before.pendingCaptureCount + 1
                                     && state.pliesWithoutCapture == 0 && state.gameOvers == 0,
                                 step + " kept the turn without a capture to go on with", before);
    } else {
        CInvariantCheck::require(state.pendingCaptureCount == 0,
                                 step + " passed the turn with captures pending", before);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CByteReader reader(data, size);
    CFuzzState state;
    readPosition(reader, state);
    while (!reader.atEnd()) {
        const int from = reader.squareOrAny();
        const int to = reader.squareOrAny();
        playStep(state, from, to);
    }
    return 0;
}
