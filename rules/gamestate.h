#ifndef CHECKERS_RULES_GAMESTATE_H
#define CHECKERS_RULES_GAMESTATE_H

// One position of a draughts game on the 32 playable squares and the rules
// that act on it. Squares are numbered 0..31 in rows of four from the top;
// piece codes are chosen so that colour is arithmetic: white pieces are the
// multiples of 3, black pieces the multiples of 4.
class CGameState
{
public:
    enum Piece { Empty = 1, WhiteMan = 3, BlackMan = 4, WhiteKing = 6, BlackKing = 8 };
    enum Side { White = 3, Black = 4 };
    enum Result { Draw = 0, WhiteWins = 3, BlackWins = 4 };
    enum Direction { UpLeft = 0, UpRight = 1, DownLeft = 2, DownRight = 3 };
    enum Verdict { NoVerdict = 0, Illegal = 1, Legal = 2 };

    static constexpr int SquareCount = 32;
    static constexpr int MaxPending = 12;
    // More completed moves than this without a capture draw the game.
    static constexpr int DrawPlies = 40;

    CGameState();

    virtual void reset();
    virtual bool makeMove(int from, int to);
    virtual void removePiece(int square);
    virtual void gameOver(int result) = 0;

    // Neighbouring square in one direction, or -1 off the board.
    static int stepUpLeft(int n);
    static int stepUpRight(int n);
    static int stepDownLeft(int n);
    static int stepDownRight(int n);
    static int step(int n, int direction);

    bool isBasicMove(int from, int to) const;
    bool isPendingCapture(int square) const;
    bool isSimpleMove(int from, int to) const;
    bool isPathClear(int square, int direction, int target) const;
    bool manCapture(int from, int to, int &captured) const;
    bool kingCapture(int from, int to, int &captured) const;
    bool manHasCapture(int square) const;
    bool kingHasCapture(int square) const;
    bool pieceHasCapture(int square) const;
    bool sideHasManCapture(int side) const;
    bool sideHasKingCapture(int side) const;
    bool isLegalMove(int from, int to, int &captured) const;
    bool checkMove(int from, int to);

    bool pieceHasStep(int square) const;
    bool sideHasMove(int side) const;

    static bool isWhite(int piece) { return piece % 3 == 0; }
    static bool isBlack(int piece) { return (piece & 3) == 0; }

    int squares[SquareCount];
    int sideToMove;
    int whiteCount;
    int blackCount;
    int whiteKings;
    int blackKings;
    int pendingCaptures[MaxPending];
    int pendingCaptureCount;
    int lastCheckFrom;
    int lastCheckTo;
    int lastCheckVerdict;
    int pliesWithoutCapture;

protected:
    // Positions are never deleted through this base; the node and the board
    // own their destruction.
    ~CGameState() = default;
    CGameState(const CGameState &) = default;
    CGameState &operator=(const CGameState &) = default;

private:
    bool isEnemy(int piece, int ownPiece) const;
    bool hasEnemyAt(int square, int ownPiece) const;
    bool kingCaptureAlong(int from, int d, int direction, int &captured) const;
    void finishMove(int to);
    void decideGameEnd();
};

#endif
