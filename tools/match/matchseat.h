#ifndef CHECKERS_TOOLS_MATCH_MATCHSEAT_H
#define CHECKERS_TOOLS_MATCH_MATCHSEAT_H

// Where player A sits in a game of a match: at White in the odd-numbered
// games and at Black in the even ones, so that the two games of a pair
// swap the colours. Everything that turns a colour into a player asks here.
class CMatchSeat
{
public:
    explicit CMatchSeat(int game);

    bool aIsWhite() const { return m_aIsWhite; }
    // Whether side, a CGameState::Side, is A's.
    bool isA(int side) const;
    // What A scored in a game that ended with result, a CGameState::Result,
    // in half points: 0, 1 or 2.
    int halfPointsOfA(int result) const;

private:
    bool m_aIsWhite;
};

#endif
