#ifndef CHECKERS_BOARD_PLAYER_H
#define CHECKERS_BOARD_PLAYER_H

#include <QString>

// One side's player. The board hands it the turn through play(), which must
// return at once; the move itself arrives later through the board.
class CPlayer
{
public:
    explicit CPlayer(int side);
    virtual ~CPlayer();
    CPlayer(const CPlayer &) = delete;
    CPlayer &operator=(const CPlayer &) = delete;

    virtual bool isHuman() const = 0;
    virtual QString name() const = 0;
    virtual void play() = 0;

    // Both kinds start as White; the board's startGame gives each its side.
    int side;
    CPlayer *opponent;
};

#endif
