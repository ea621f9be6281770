#ifndef CHECKERS_TOOLS_POSITION_POSITIONTEXT_H
#define CHECKERS_TOOLS_POSITION_POSITIONTEXT_H

#include "position.h"

#include <string>
#include <vector>

// The one-line text form of a position:
//   SQUARES SIDE [PENDING [PLIES]]
// SQUARES is 32 characters for squares 0..31 ('.' empty, 'b'/'B' black man
// and king, 'w'/'W' white man and king), SIDE is 'w' or 'b', PENDING lists
// the squares captured so far in the current sequence, comma-separated in
// capture order, or '-', and PLIES counts the moves without a capture.
class CPositionText
{
public:
    // Reads text into position, which must be one a game could reach (see
    // CPosition::impossibility). On failure position is left as it was and
    // error says in one line what is wrong, quoting the offending part as
    // given.
    static bool parse(const std::string &text, CPosition &position, std::string &error);
    // The same without the test of reachability: any position the rules can
    // hold, as tests of the rules and the search set them up.
    static bool read(const std::string &text, CPosition &position, std::string &error);
    // Writes every field, the optional ones included.
    static std::string format(const CGameState &position);
    // The parts between separators, empty ones included.
    static std::vector<std::string> split(const std::string &text, char separator);

private:
    static bool parseSquares(const std::string &field, CPosition &position, std::string &error);
    static bool parseSide(const std::string &field, CPosition &position, std::string &error);
    static bool parsePending(const std::string &field, CPosition &position, std::string &error);
    static bool parsePendingSquare(const std::string &item, CPosition &position,
                                   std::string &error);
    static bool parsePlies(const std::string &field, CPosition &position, std::string &error);
    static char pieceLetter(int piece);
};

#endif
