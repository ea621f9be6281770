#ifndef CHECKERS_TOOLS_PDN_FENTEXT_H
#define CHECKERS_TOOLS_PDN_FENTEXT_H

#include "tools/position/position.h"

#include <string>

// A start position as PDN's FEN tag writes it: "W:W21,K32:B1-12:H0:F1.",
// that is the side to move, then each colour's squares, 1 to 32, as single
// squares or ranges, a K marking kings, then if given the moves since the
// last capture and the number of the first move; a final '.' is allowed.
// Only positions that play can reach and go on from are read: at most twelve
// pieces a side, no man on the row where it would have been crowned, no more
// moves without a capture than the draw allows, and a side to move that has a
// move.
class CFenText
{
public:
    // A game of a thousand moves would be long; this is far from overflow.
    static constexpr int MaxMoveNumber = 1000000;

    // On failure position and firstMove are left as they were and error says
    // why in one line.
    static bool parse(const std::string &text, CPosition &position, int &firstMove,
                      std::string &error);
    // A move number from 1 to MaxMoveNumber.
    static bool parseMoveNumber(const std::string &text, int &number);

private:
    static bool parseSide(const std::string &field, CPosition &position, std::string &error);
    static bool checkColours(const std::string &first, const std::string &second,
                             std::string &error);
    static bool parseColour(const std::string &field, CPosition &position, std::string &error);
    static bool parseItem(const std::string &item, int side, CPosition &position,
                          std::string &error);
    static bool parseSquare(const std::string &text, int &square, std::string &error);
    static bool place(int square, int piece, CPosition &position, std::string &error);
    static bool parseCount(const std::string &field, CPosition &position, int &firstMove,
                           std::string &error);
    static bool checkPlayable(const CPosition &position, std::string &error);
};

#endif
