#ifndef CHECKERS_TOOLS_FENTEXT_H
#define CHECKERS_TOOLS_FENTEXT_H

#include "position.h"

#include <string>

// A start position as PDN's FEN tag writes it: "W:W21,K32:B1-12", that is
// the side to move, then each colour's squares, 1 to 32, as single squares
// or ranges, a K marking kings. Only positions that play can reach and go
// on from are read: at most twelve pieces a side, no man on the row where it
// would have been crowned, and a side to move that has a move.
class CFenText
{
public:
    // On failure position is left as it was and error says why in one line.
    static bool parse(const std::string &text, CPosition &position, std::string &error);

private:
    static bool parseSide(const std::string &field, CPosition &position, std::string &error);
    static bool checkColours(const std::string &first, const std::string &second,
                             std::string &error);
    static bool parseColour(const std::string &field, CPosition &position, std::string &error);
    static bool parseItem(const std::string &item, int side, CPosition &position,
                          std::string &error);
    static bool parseSquare(const std::string &text, int &square, std::string &error);
    static bool place(int square, int piece, CPosition &position, std::string &error);
    static bool checkPlayable(const CPosition &position, std::string &error);
};

#endif
